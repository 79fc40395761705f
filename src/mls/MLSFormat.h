// The MLS string module container: reading (for the program) and writing (for the module
// compiler). Free of Windows so that the host build, the fuzzer and the compiler share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "util/Errors.h"

// Number of entries of the language table; index 0 names no language.
constexpr int MLSLanguageCount = 20;

// Three-letter codes of the language table, lower case, as used in module file names.
extern const char* const LanguageCodes[MLSLanguageCount];

// English names of the table's languages: what the module compiler writes into a module's
// description (the program itself takes the platform's localized names).
extern const char* const LanguageEnglishNames[MLSLanguageCount];

// Every MLS failure: a message text and nothing else.
class EMLSException : public Exception {
 public:
  using Exception::Exception;
};

// Raises EMLSException. With a code the message is "<text>\n(Error Code <code>)"; every "\n"
// of the message is expanded to CR LF.
[[noreturn]] void MLSError(const std::string& text, const std::string& code = std::string());

// A source of module bytes: a resource in memory or an open file.
class TMLSStream {
 public:
  virtual ~TMLSStream() = default;
  // Reads up to count bytes; fewer only at the end of the data.
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Moves the position count bytes forward (it may pass the end).
  virtual void Skip(uint32_t count) = 0;
};

// Bytes held by somebody else (a locked resource, a fuzzer input), read in place.
class TMLSMemoryStream : public TMLSStream {
 public:
  TMLSMemoryStream(const void* data, size_t size)
      : Data(static_cast<const uint8_t*>(data)), Size(size) {}
  size_t Read(void* buffer, size_t count) override;
  void Skip(uint32_t count) override;

 private:
  const uint8_t* Data;
  size_t Size;
  size_t Position = 0;
};

class TMLSFile {
 public:
  // Reads a whole module in the given language into Strings; the module must carry exactly
  // Strings.size() entries. Raises EMLSException (MLS250 to MLS255) on a format error.
  void ReadStrings(uint16_t Language, TMLSStream& Stream, std::span<std::string> Strings);
};

// The bytes of a module in the MLS layout. Raises EMLSException when a string or the
// description does not fit its 16-bit length field.
std::string WriteMLSModule(uint16_t Language, const std::string& Description,
                           const std::vector<std::string>& Strings);

// What a module says about itself, read without knowing its count in advance (for the
// compiler's printing). Raises EMLSException like ReadStrings.
struct TMLSModuleContents {
  uint16_t Language = 0;
  std::string Description;
  std::vector<std::string> Strings;
};
TMLSModuleContents ReadMLSModule(TMLSStream& Stream);
