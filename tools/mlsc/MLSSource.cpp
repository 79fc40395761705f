#include "MLSSource.h"

#include <algorithm>
#include <cstdio>

#include "mls/MLSFormat.h"

const char MLSCompilerVersion[] = "1.0";

const char MLSSourceHelp[] =
    "Source format: 8-bit text in the code page of the module's language, one module in one\n"
    "language. Lines end in LF or CR LF.\n"
    "  # ...          a comment line (only where a line starts with '#'); blank lines are ignored\n"
    "  module NAME    the module's name, as in its file names (VoiceMail, qsShared, ...)\n"
    "  language L     the language: its three-letter code (enu, deu, ...) or its index 0 to 19\n"
    "  count N        the number of entries; each of 0 to N-1 must be given exactly once\n"
    "  I=TEXT         entry I; TEXT is every byte after the '=' up to the end of the line\n"
    "Each of module, language and count is given once, before the entries. In TEXT every byte\n"
    "stands for itself, the backslash too: \"\\n\" stays the two characters backslash and n, the\n"
    "line-break mark that the program expands. The one exception is '^': \"^^\" is a single '^'\n"
    "and '^' followed by two hexadecimal digits is the byte of that value, so ^09 is a tab,\n"
    "^0D^0A a CR LF and ^00 a zero byte. A line's own CR before its LF is not part of TEXT;\n"
    "trailing blanks are.\n";

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

// A decimal number of at most 9 digits and nothing else; -1 otherwise.
long ParseNumber(const std::string& s) {
  if (s.empty() || s.size() > 9) return -1;
  long value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Unescape(const std::string& text, int line) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '^') {
      out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '^') {
      out += '^';
      ++i;
    } else if (i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      throw EMLSSourceError(line, "'^' must be followed by '^' or two hexadecimal digits");
    }
  }
  return out;
}

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    unsigned char b = static_cast<unsigned char>(c);
    if (c == '^') {
      out += "^^";
    } else if (b < 0x20 || b == 0x7F) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "^%02X", b);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

int ParseLanguage(const std::string& value, int line) {
  for (int i = 0; i < MLSLanguageCount; ++i)
    if (value == LanguageCodes[i]) return i;
  // Indexes outside the table are accepted so that any module prints and compiles back.
  long index = ParseNumber(value);
  if (index < 0 || index > 0xFFFF)
    throw EMLSSourceError(line, "unknown language \"" + value + "\"");
  return static_cast<int>(index);
}

struct Parser {
  TMLSSource source;
  bool haveName = false, haveLanguage = false, haveCount = false;
  std::vector<bool> given;

  void Directive(const std::string& word, const std::string& value, int line) {
    bool& seen = word == "module" ? haveName : word == "language" ? haveLanguage : haveCount;
    if (seen) throw EMLSSourceError(line, "\"" + word + "\" is given twice");
    if (value.empty()) throw EMLSSourceError(line, "\"" + word + "\" needs a value");
    seen = true;
    if (word == "module") {
      if (value.find_first_of(" \t") != std::string::npos)
        throw EMLSSourceError(line, "a module name has no blanks");
      source.Name = value;
    } else if (word == "language") {
      source.Language = static_cast<uint16_t>(ParseLanguage(value, line));
    } else {
      long count = ParseNumber(value);
      if (count < 0 || count > 65535) throw EMLSSourceError(line, "bad count \"" + value + "\"");
      source.Strings.assign(count, std::string());
      given.assign(count, false);
    }
  }

  void Entry(const std::string& number, const std::string& text, int line) {
    if (!haveName || !haveLanguage || !haveCount)
      throw EMLSSourceError(line, "module, language and count come before the entries");
    long index = ParseNumber(number);
    if (index < 0) throw EMLSSourceError(line, "bad entry number \"" + number + "\"");
    if (index >= static_cast<long>(given.size()))
      throw EMLSSourceError(line, "entry " + number + " is beyond the count");
    if (given[index]) throw EMLSSourceError(line, "entry " + number + " is given twice");
    std::string value = Unescape(text, line);
    if (value.size() > 65535) throw EMLSSourceError(line, "an entry holds at most 65535 bytes");
    given[index] = true;
    source.Strings[index] = value;
  }

  void Line(const std::string& l, int line) {
    if (l.empty() || l[0] == '#' || Trim(l).empty()) return;
    size_t eq = l.find('=');
    size_t blank = l.find_first_of(" \t");
    if (eq != std::string::npos && (blank == std::string::npos || eq < blank)) {
      Entry(l.substr(0, eq), l.substr(eq + 1), line);
      return;
    }
    std::string word = l.substr(0, blank);
    if (word != "module" && word != "language" && word != "count")
      throw EMLSSourceError(line, "expected module, language, count or an entry \"I=TEXT\"");
    if (!given.empty() && std::find(given.begin(), given.end(), true) != given.end())
      throw EMLSSourceError(line, "\"" + word + "\" after the entries");
    Directive(word, blank == std::string::npos ? std::string() : Trim(l.substr(blank)), line);
  }
};

}  // namespace

TMLSSource ParseMLSSource(const std::string& text) {
  Parser p;
  int line = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string l = text.substr(start, end - start);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    p.Line(l, ++line);
    start = end + 1;
  }
  if (!p.haveName || !p.haveLanguage || !p.haveCount)
    throw EMLSSourceError(line, "module, language and count must all be given");
  for (size_t i = 0; i < p.given.size(); ++i)
    if (!p.given[i]) throw EMLSSourceError(line, "entry " + std::to_string(i) + " is missing");
  return p.source;
}

std::string PrintMLSSource(const TMLSSource& source) {
  std::string out = "module " + source.Name + "\n";
  out += "language " +
         (source.Language < MLSLanguageCount ? std::string(LanguageCodes[source.Language])
                                             : std::to_string(source.Language)) +
         "\n";
  out += "count " + std::to_string(source.Strings.size()) + "\n";
  for (size_t i = 0; i < source.Strings.size(); ++i)
    out += std::to_string(i) + "=" + Escape(source.Strings[i]) + "\n";
  return out;
}

std::string MLSDescription(const TMLSSource& source, std::time_t built) {
  char stamp[32] = "";
  if (const std::tm* t = std::gmtime(&built))
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d at %H:%M:%S", t);
  std::string language =
      source.Language < MLSLanguageCount ? LanguageEnglishNames[source.Language] : "(unknown)";
  return source.Name + " " + language + " MLS module.\r\nMLS Module Compiler mlsc, version " +
         MLSCompilerVersion + ", compiled " + stamp + "\r\n";
}

std::string ModuleNameFromDescription(const std::string& description) {
  std::string first = description.substr(0, description.find("\r\n"));
  const std::string tail = " MLS module.";
  if (first.size() <= tail.size() || first.compare(first.size() - tail.size(), tail.size(), tail))
    return std::string();
  return first.substr(0, first.find(' '));
}
