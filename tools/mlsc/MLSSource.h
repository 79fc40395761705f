// The module compiler's text form of one string module in one language, and its
// conversion to and from the MLS container.
#pragma once

#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

struct TMLSSource {
  std::string Name;
  uint16_t Language = 0;
  std::vector<std::string> Strings;
};

// A fault in a source text, with the line it was found on.
class EMLSSourceError : public std::runtime_error {
 public:
  EMLSSourceError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message), Line(line) {}
  int Line;
};

// Reads a source text (the format is described in the compiler's help text, MLSSourceHelp).
TMLSSource ParseMLSSource(const std::string& text);

// The canonical text of a module: header lines, then every entry in index order.
std::string PrintMLSSource(const TMLSSource& source);

// The two description lines, each ending in CR LF: name, language name and "MLS module.",
// then the compiler, its version and the given time (UTC).
std::string MLSDescription(const TMLSSource& source, std::time_t built);

// The module's name as the description's first line gives it; empty when it names none.
std::string ModuleNameFromDescription(const std::string& description);

extern const char MLSCompilerVersion[];
extern const char MLSSourceHelp[];
