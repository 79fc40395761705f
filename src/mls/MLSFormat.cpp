#include "mls/MLSFormat.h"

#include <algorithm>
#include <cstring>

#include "util/qsUtils.h"

// clang-format off
const char* const LanguageCodes[MLSLanguageCount] = {
    "xxx", "cat", "dan", "deu", "enu", "esp", "fin", "fra", "isl", "ita",
    "nld", "nor", "ptg", "rus", "sve", "ind", "ukr", "bel", "euq", "afk"};

const char* const LanguageEnglishNames[MLSLanguageCount] = {
    "(none)", "Catalan", "Danish", "German", "English (United States)",
    "Spanish", "Finnish", "French", "Icelandic", "Italian",
    "Dutch", "Norwegian (Bokmal)", "Portuguese (Portugal)", "Russian", "Swedish",
    "Indonesian", "Ukrainian", "Belarusian", "Basque", "Afrikaans"};
// clang-format on

void MLSError(const std::string& text, const std::string& code) {
  std::string message = code.empty() ? text : text + "\\n(Error Code " + code + ")";
  throw EMLSException(ExpandLineBreaks(message));
}

size_t TMLSMemoryStream::Read(void* buffer, size_t count) {
  size_t n = std::min(count, Size - Position);
  if (n > 0) std::memcpy(buffer, Data + Position, n);
  Position += n;
  return n;
}

void TMLSMemoryStream::Skip(uint32_t count) {
  Position += std::min<size_t>(count, Size - Position);
}

namespace {

const char FormatErrorText[] = "Invalid MLS Module format.";
const char Magic[3] = {'M', 'L', 'S'};

[[noreturn]] void FormatError(const char* code) {
  MLSError(FormatErrorText, code);
}

// A field that the data ends inside fails with the code of that field, so no byte that was
// never read is taken for a value.
void ReadField(TMLSStream& stream, void* buffer, size_t size, const char* code) {
  if (stream.Read(buffer, size) != size) FormatError(code);
}

uint16_t ReadWord(TMLSStream& stream, const char* code) {
  uint8_t b[2];
  ReadField(stream, b, sizeof b, code);
  return static_cast<uint16_t>(b[0] | b[1] << 8);
}

uint32_t ReadLong(TMLSStream& stream, const char* code) {
  uint8_t b[4];
  ReadField(stream, b, sizeof b, code);
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
}

void ReadMagic(TMLSStream& stream, const char* code) {
  char b[3];
  if (stream.Read(b, sizeof b) != sizeof b || std::memcmp(b, Magic, sizeof b) != 0)
    FormatError(code);
}

// Magic, version and language; returns the language field.
uint16_t ReadHead(TMLSStream& stream) {
  ReadMagic(stream, "MLS250");
  uint8_t version = 0;
  ReadField(stream, &version, 1, "MLS251");
  if (version != 1) FormatError("MLS251");
  return ReadWord(stream, "MLS252");
}

// The description length has no check of its own; a module that ends inside it cannot
// hold the count either, so it fails as the count does.
uint16_t ReadDescriptionLength(TMLSStream& stream) {
  return ReadWord(stream, "MLS253");
}

// Fills each string with exactly its length of bytes, in index order. A short read leaves
// the failing string holding the bytes that did arrive, and nothing more.
void ReadStringData(TMLSStream& stream, std::span<std::string> strings,
                    const std::vector<uint16_t>& lengths) {
  for (size_t i = 0; i < strings.size(); ++i) {
    std::string& s = strings[i];
    s.resize(lengths[i]);
    size_t got = lengths[i] == 0 ? 0 : stream.Read(s.data(), lengths[i]);
    if (got != lengths[i]) {
      s.resize(got);
      FormatError("MLS254");
    }
  }
  ReadMagic(stream, "MLS255");
}

}  // namespace

void TMLSFile::ReadStrings(uint16_t Language, TMLSStream& Stream, std::span<std::string> Strings) {
  if (ReadHead(Stream) != Language) FormatError("MLS252");
  uint16_t descriptionLength = ReadDescriptionLength(Stream);
  if (descriptionLength > 0) Stream.Skip(descriptionLength);
  if (ReadLong(Stream, "MLS253") != Strings.size()) FormatError("MLS253");

  // The whole length table in one read, before any string is touched.
  std::vector<uint8_t> table(2 * Strings.size());
  if (!table.empty() && Stream.Read(table.data(), table.size()) != table.size())
    FormatError("MLS254");
  std::vector<uint16_t> lengths(Strings.size());
  for (size_t i = 0; i < lengths.size(); ++i)
    lengths[i] = static_cast<uint16_t>(table[2 * i] | table[2 * i + 1] << 8);
  ReadStringData(Stream, Strings, lengths);
}

TMLSModuleContents ReadMLSModule(TMLSStream& Stream) {
  TMLSModuleContents contents;
  contents.Language = ReadHead(Stream);
  contents.Description.resize(ReadDescriptionLength(Stream));
  if (Stream.Read(contents.Description.data(), contents.Description.size()) !=
      contents.Description.size())
    FormatError("MLS253");
  uint32_t count = ReadLong(Stream, "MLS253");
  // The count comes from the data: grow with what actually arrives instead of trusting it.
  std::vector<uint16_t> lengths;
  lengths.reserve(std::min<uint32_t>(count, 65536));
  for (uint32_t i = 0; i < count; ++i) lengths.push_back(ReadWord(Stream, "MLS254"));
  contents.Strings.resize(count);
  ReadStringData(Stream, contents.Strings, lengths);
  return contents;
}

namespace {

void AppendWord(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8 & 0xFF);
}

}  // namespace

std::string WriteMLSModule(uint16_t Language, const std::string& Description,
                           const std::vector<std::string>& Strings) {
  if (Description.size() > 0xFFFF) MLSError("The module description is longer than 65535 bytes.");
  std::string out(Magic, sizeof Magic);
  out += '\1';
  AppendWord(out, Language);
  AppendWord(out, static_cast<uint32_t>(Description.size()));
  out += Description;
  uint32_t count = static_cast<uint32_t>(Strings.size());
  AppendWord(out, count & 0xFFFF);
  AppendWord(out, count >> 16);
  for (size_t i = 0; i < Strings.size(); ++i) {
    if (Strings[i].size() > 0xFFFF)
      MLSError("Entry " + std::to_string(i) + " is longer than 65535 bytes.");
    AppendWord(out, static_cast<uint32_t>(Strings[i].size()));
  }
  for (const std::string& s : Strings) out += s;
  out.append(Magic, sizeof Magic);
  return out;
}
