// The common helpers: folder placeholders, texts of sizes and times, paths, files,
// starting programs, small registry readers, window placement, the error box.
// The text helpers need no Windows and build everywhere; the rest are Windows only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "util/DateTime.h"

#ifdef _WIN32
#include <windows.h>

#include "util/Registry.h"
#endif

// ---- Text helpers (platform-free) -------------------------------------------

// Every occurrence of `find`, left to right and never overlapping, replaced; the
// replacement is not searched again. An empty `find` leaves the text as it is.
std::string ReplaceText(const std::string& text, const std::string& find,
                        const std::string& replacement);
// Each backslash + 'n' pair turned into CR LF, first pair first.
std::string ExpandLineBreaks(const std::string& text);
std::string RemoveTrailingBackslash(const std::string& text);
std::string JoinPath(const std::string& folder, const std::string& name);
// Up to and including the last backslash or colon; empty when there is none.
std::string ExtractFilePath(const std::string& path);

// "None", "%d bytes", "%d KB" (1024 bytes) or "%.2n MB" (1 024 000 bytes) with the given
// separators.
std::string FormatFileSize(int32_t size, const std::string& thousandSeparator,
                           const std::string& decimalSeparator);
// " h:mm ampm": a blank, the hour of the 12-hour clock, the minutes, a blank, am or pm.
std::string FormatTimeAmPm(TDateTime value, const std::string& amText, const std::string& pmText);

// The folder placeholders in the order they are looked for.
enum class TFolderPlaceholder { ProgramFiles, CommonFiles, Windows, System, Temp, This };
constexpr int FolderPlaceholderCount = 6;
const char* FolderPlaceholderText(TFolderPlaceholder placeholder);
// Expands the placeholders with the values that `valueOf` gives: each pass replaces
// every occurrence of the first kind present and then each double backslash by one.
// Values are asked for once per call. The passes end when no known placeholder is left,
// and also when a placeholder can never go away because the values bring it back.
std::string ExpandPlaceholders(const std::string& text,
                               const std::function<std::string(TFolderPlaceholder)>& valueOf);

// The command line that starts `program` with `parameters`: the program quoted when it
// holds a blank, then one blank, then the parameters; the parameters alone when there
// is no program.
std::string MakeCommandLine(const std::string& program, const std::string& parameters);
// A folder path split for creation: the drive root ("C:\") first, then each folder
// name. Empty for a path that does not begin with a drive letter, colon and backslash.
std::vector<std::string> SplitFolderPath(const std::string& path);

// ---- Windows helpers --------------------------------------------------------
#ifdef _WIN32

extern std::string ConfirmationCaption;
extern std::string InformationCaption;
extern std::string ErrorCaption;

class TRegistryEx : public TRegistry {
 public:
  using TRegistry::TRegistry;
  // Opens the key for reading only; nothing is created.
  bool OpenKeyRead(const std::string& key);
};

std::string ExpandFolderPlaceholders(const std::string& text);
std::string GetProgramFilesFolder();
std::string GetCommonFilesFolder();
// A value of HKLM\Software\Microsoft\Windows\CurrentVersion; throws Exception when
// that key cannot be opened.
std::string ReadCurrentVersionValue(const std::string& name);
std::string ReadRegistryString(HKEY rootKey, const std::string& key, const std::string& name,
                               const std::string& defaultText);

std::string FormatFileSize(int32_t size);
std::string FormatFileDateTime(TDateTime value);
int32_t FileSizeOf(const std::string& path);
TDateTime FileDateTimeOf(const std::string& path);
std::string GetTempFolder();

bool FolderExists(const std::string& path);
bool ForceFolders(const std::string& path, std::vector<std::string>* created = nullptr);
int64_t CopyFileData(const std::string& source, const std::string& destination);

void GetFileVersion(const std::string& path, DWORD& mostSignificant, DWORD& leastSignificant,
                    std::string& text);
std::string GetFileVersionText(const std::string& path);

bool RunProgram(const std::string& program, const std::string& parameters,
                const std::string& folder);
bool StartProcess(const std::string& program, const std::string& parameters,
                  const std::string& folder, WORD showState);

void CenterWindow(HWND owner, HWND window);
void ShowErrorBox(HWND owner, const std::string& message);
void ShowError(const std::string& message);

#endif
