// The platform-free helpers of qsUtils.
#include "util/qsUtils.h"

#include <cctype>
#include <optional>

namespace {

const char* const kPlaceholders[FolderPlaceholderCount] = {"<ProgramFilesDir>", "<CommonFilesDir>",
                                                           "<WindowsDir>",      "<SystemDir>",
                                                           "<TempDir>",         "<ThisDir>"};

// Values can also rebuild a placeholder from pieces of each other ("<Temp" and "Dir>");
// such a run never ends and may double the text on each pass, so the passes and the
// growth are bounded far beyond any real path.
constexpr int kMaxPasses = 1024;
constexpr size_t kMaxGrowth = 64 * 1024;

int FirstPlaceholderIn(const std::string& text) {
  for (int k = 0; k < FolderPlaceholderCount; ++k)
    if (text.find(kPlaceholders[k]) != std::string::npos) return k;
  return -1;
}

std::string GroupThousands(int64_t number, const std::string& separator) {
  std::string digits = std::to_string(number);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, separator);
  return digits;
}

}  // namespace

std::string ReplaceText(const std::string& text, const std::string& find,
                        const std::string& replacement) {
  if (find.empty()) return text;
  std::string result;
  size_t start = 0;
  for (size_t at; (at = text.find(find, start)) != std::string::npos; start = at + find.size())
    result.append(text, start, at - start).append(replacement);
  return result.append(text, start, std::string::npos);
}

// Replacing the pairs in one pass from the left is the same as replacing the first pair
// again and again: CR LF never forms a new pair with what stands before it.
std::string ExpandLineBreaks(const std::string& text) {
  return ReplaceText(text, "\\n", "\r\n");
}

std::string RemoveTrailingBackslash(const std::string& text) {
  if (!text.empty() && text.back() == '\\') return text.substr(0, text.size() - 1);
  return text;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

std::string ExtractFilePath(const std::string& path) {
  size_t at = path.find_last_of("\\:");
  return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string FormatFileSize(int32_t size, const std::string& thousandSeparator,
                           const std::string& decimalSeparator) {
  if (size == 0) return "None";
  if (size < 1024) return std::to_string(size) + " bytes";
  if (size < 1024000) return std::to_string(size / 1024) + " KB";
  // Hundredths of a "megabyte" of 1 024 000 bytes, rounded half up in exact arithmetic.
  const int64_t hundredths = (static_cast<int64_t>(size) * 100 + 512000) / 1024000;
  const int64_t fraction = hundredths % 100;
  return GroupThousands(hundredths / 100, thousandSeparator) + decimalSeparator +
         static_cast<char>('0' + fraction / 10) + static_cast<char>('0' + fraction % 10) + " MB";
}

std::string FormatTimeAmPm(TDateTime value, const std::string& amText, const std::string& pmText) {
  const TTimeParts t = DecodeTime(value);
  const int hour12 = t.Hour % 12 == 0 ? 12 : t.Hour % 12;
  const char minutes[3] = {static_cast<char>('0' + t.Minute / 10),
                           static_cast<char>('0' + t.Minute % 10), '\0'};
  return " " + std::to_string(hour12) + ":" + minutes + " " + (t.Hour < 12 ? amText : pmText);
}

const char* FolderPlaceholderText(TFolderPlaceholder placeholder) {
  return kPlaceholders[static_cast<int>(placeholder)];
}

std::string ExpandPlaceholders(const std::string& text,
                               const std::function<std::string(TFolderPlaceholder)>& valueOf) {
  std::optional<std::string> values[FolderPlaceholderCount];
  auto value = [&](int k) -> const std::string& {
    if (!values[k]) values[k] = valueOf(static_cast<TFolderPlaceholder>(k));
    return *values[k];
  };
  // Whether the value of `kind` leads, through the placeholders that the values hold,
  // back to `kind`. Then some placeholder of that circle stays in the text for ever:
  // placeholders cannot overlap, so expanding one never removes another.
  auto bringsItselfBack = [&](int kind) {
    bool seen[FolderPlaceholderCount] = {};
    std::vector<int> pending{kind};
    while (!pending.empty()) {
      const int k = pending.back();
      pending.pop_back();
      for (int j = 0; j < FolderPlaceholderCount; ++j) {
        if (value(k).find(kPlaceholders[j]) == std::string::npos) continue;
        if (j == kind) return true;
        if (!seen[j]) seen[j] = true, pending.push_back(j);
      }
    }
    return false;
  };

  std::string result = text;
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    const int kind = FirstPlaceholderIn(result);
    if (kind < 0) break;
    result = ReplaceText(result, kPlaceholders[kind], value(kind));
    // A value ending in a backslash followed by the text's own backslash.
    result = ReplaceText(result, "\\\\", "\\");
    if (result.find('<') == std::string::npos || bringsItselfBack(kind) ||
        result.size() > text.size() + kMaxGrowth)
      break;
  }
  return result;
}

std::string MakeCommandLine(const std::string& program, const std::string& parameters) {
  // Without a program the parameters name it; a blank before them would make
  // CreateProcessA look for a program with an empty name.
  if (program.empty()) return parameters;
  const std::string quoted =
      program.find(' ') != std::string::npos ? "\"" + program + "\" " : program + " ";
  return quoted + parameters;
}

std::vector<std::string> SplitFolderPath(const std::string& path) {
  if (path.size() < 3 || !std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':' ||
      path[2] != '\\')
    return {};
  std::vector<std::string> parts{path.substr(0, 3)};
  size_t start = 3;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}
