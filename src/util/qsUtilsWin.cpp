// The Windows helpers of qsUtils.
#include <windows.h>

#include <memory>

#include "util/qsUtils.h"

std::string ConfirmationCaption = "Confirmation";
std::string InformationCaption = "Information";
std::string ErrorCaption = "Error";

namespace {

const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

std::string LocaleText(LCTYPE type, const char* fallback) {
  char buffer[100];
  int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, n - 1) : std::string(fallback);
}

// A folder from one of the Get...DirectoryA calls; empty when it does not fit.
template <typename Call>
std::string SystemFolder(Call call) {
  char buffer[256];
  UINT n = call(buffer, 256);
  return n > 0 && n < 256 ? std::string(buffer, n) : std::string();
}

std::string ProgramFolder() {
  char buffer[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return RemoveTrailingBackslash(ExtractFilePath(std::string(buffer, n < MAX_PATH ? n : 0)));
}

std::string FolderValue(TFolderPlaceholder placeholder) {
  switch (placeholder) {
    case TFolderPlaceholder::ProgramFiles:
      return GetProgramFilesFolder();
    case TFolderPlaceholder::CommonFiles:
      return GetCommonFilesFolder();
    case TFolderPlaceholder::Windows:
      return SystemFolder([](char* b, UINT n) { return GetWindowsDirectoryA(b, n); });
    case TFolderPlaceholder::System:
      return SystemFolder([](char* b, UINT n) { return GetSystemDirectoryA(b, n); });
    case TFolderPlaceholder::Temp:
      return SystemFolder([](char* b, UINT n) { return UINT(GetTempPathA(n, b)); });
    case TFolderPlaceholder::This:
      return ProgramFolder();
  }
  return "";
}

struct FindCloser {
  void operator()(HANDLE h) const { FindClose(h); }
};

// The directory entry for a path, as a search for any attributes finds it.
bool FindEntry(const std::string& path, WIN32_FIND_DATAA& entry) {
  HANDLE h = FindFirstFileA(path.c_str(), &entry);
  if (h == INVALID_HANDLE_VALUE) return false;
  std::unique_ptr<void, FindCloser> closer(h);
  return true;
}

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using UniqueFile = std::unique_ptr<void, HandleCloser>;

UniqueFile OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  return UniqueFile(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

}  // namespace

// ---- Registry ---------------------------------------------------------------

// The registry class's read-only open is this very call: KEY_READ, nothing created.
bool TRegistryEx::OpenKeyRead(const std::string& key) {
  return OpenKeyReadOnly(key);
}

std::string ReadCurrentVersionValue(const std::string& name) {
  TRegistryEx registry(HKEY_LOCAL_MACHINE);
  if (!registry.OpenKeyRead(kCurrentVersionKey))
    throw Exception(
        std::string("Cannot access system registry infromation in:\\nHKEY_LOCAL_MACHINE\\") +
        kCurrentVersionKey +
        "\\n\\nPlease make sure that you have a proper access rights to the system.");
  std::string value = registry.ReadString(name);
  registry.CloseKey();
  return value;
}

std::string GetProgramFilesFolder() {
  return ReadCurrentVersionValue("ProgramFilesDir");
}

std::string GetCommonFilesFolder() {
  return ReadCurrentVersionValue("CommonFilesDir");
}

std::string ReadRegistryString(HKEY rootKey, const std::string& key, const std::string& name,
                               const std::string& defaultText) {
  TRegistryEx registry(rootKey);
  if (!registry.KeyExists(key) || !registry.OpenKeyRead(key)) return defaultText;
  try {
    if (registry.ValueExists(name)) return registry.ReadString(name);
  } catch (const ERegistryException&) {
    // A value of another type: this helper reports failures by its result only.
  }
  return defaultText;
}

std::string ExpandFolderPlaceholders(const std::string& text) {
  return ExpandPlaceholders(text, FolderValue);
}

// ---- Texts of sizes and times -----------------------------------------------

std::string FormatFileSize(int32_t size) {
  return FormatFileSize(size, LocaleText(LOCALE_STHOUSAND, ","), LocaleText(LOCALE_SDECIMAL, "."));
}

std::string FormatFileDateTime(TDateTime value) {
  const TDateParts d = DecodeDate(value);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(d.Year);
  st.wMonth = static_cast<WORD>(d.Month);
  st.wDay = static_cast<WORD>(d.Day);
  char date[100];
  int n = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
  return std::string(date, n > 0 ? n - 1 : 0) +
         FormatTimeAmPm(value, LocaleText(LOCALE_S1159, "am"), LocaleText(LOCALE_S2359, "pm"));
}

// ---- Files and folders ------------------------------------------------------

int32_t FileSizeOf(const std::string& path) {
  WIN32_FIND_DATAA entry;
  return FindEntry(path, entry) ? static_cast<int32_t>(entry.nFileSizeLow) : 0;
}

TDateTime FileDateTimeOf(const std::string& path) {
  WIN32_FIND_DATAA entry;
  FILETIME local;
  WORD date, time;
  if (!FindEntry(path, entry) || !FileTimeToLocalFileTime(&entry.ftLastWriteTime, &local) ||
      !FileTimeToDosDateTime(&local, &date, &time))
    return 0;
  return FileDateToDateTime(static_cast<int32_t>(static_cast<uint32_t>(date) << 16 | time));
}

std::string GetTempFolder() {
  char buffer[256];
  DWORD n = GetTempPathA(255, buffer);
  if (n == 0 || n > 255) return "";
  std::string folder(buffer, n);
  return folder.back() == '\\' ? folder : folder + "\\";
}

bool FolderExists(const std::string& path) {
  switch (path.size()) {
    case 0:
    case 1:
      return false;
    case 2:
      return path[1] == ':';
    case 3:
      return path[1] == ':' && path[2] == '\\';
  }
  WIN32_FIND_DATAA entry;
  return FindEntry(RemoveTrailingBackslash(path), entry) &&
         (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ForceFolders(const std::string& path, std::vector<std::string>* created) {
  if (path.empty()) return false;
  const std::string folder = RemoveTrailingBackslash(path);
  if (FolderExists(folder)) return true;
  const std::vector<std::string> parts = SplitFolderPath(folder);
  if (parts.empty()) return false;
  std::string current = RemoveTrailingBackslash(parts[0]);
  for (size_t i = 1; i < parts.size(); ++i) {
    current += "\\" + parts[i];
    if (FolderExists(current)) continue;
    if (!CreateDirectoryA(current.c_str(), nullptr)) return false;
    if (created) created->push_back(current);
  }
  return true;
}

int64_t CopyFileData(const std::string& source, const std::string& destination) {
  UniqueFile in = OpenFile(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (!in) return 0;
  // No sharing: a destination that is the source itself (open above) is refused
  // instead of being emptied.
  UniqueFile out = OpenFile(destination, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!out) return 0;
  int64_t total = 0;
  char block[2048];
  for (;;) {
    DWORD read = 0, written = 0;
    if (!ReadFile(in.get(), block, sizeof block, &read, nullptr) || read == 0) break;
    const BOOL ok = WriteFile(out.get(), block, read, &written, nullptr);
    total += written;
    if (!ok || written < read) break;
  }
  return total;
}

// ---- Versions and processes -------------------------------------------------

void GetFileVersion(const std::string& path, DWORD& mostSignificant, DWORD& leastSignificant,
                    std::string& text) {
  mostSignificant = leastSignificant = 0;
  text = "(Unknown)";
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return;
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()) ||
      !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof *info)
    return;
  mostSignificant = info->dwFileVersionMS;
  leastSignificant = info->dwFileVersionLS;
  text = std::to_string(HIWORD(mostSignificant)) + "." + std::to_string(LOWORD(mostSignificant)) +
         "." + std::to_string(HIWORD(leastSignificant)) + "." +
         std::to_string(LOWORD(leastSignificant));
}

std::string GetFileVersionText(const std::string& path) {
  DWORD ms, ls;
  std::string text;
  GetFileVersion(path, ms, ls, text);
  return text;
}

bool RunProgram(const std::string& program, const std::string& parameters,
                const std::string& folder) {
  return StartProcess(program, parameters, folder, SW_SHOWNORMAL);
}

bool StartProcess(const std::string& program, const std::string& parameters,
                  const std::string& folder, WORD showState) {
  std::string workFolder = folder;
  if (workFolder.empty())
    workFolder = RemoveTrailingBackslash(ExtractFilePath(!program.empty() ? program : parameters));
  // No folder given to CreateProcessA: the new program starts in our current directory.
  const char* directory = FolderExists(workFolder) ? workFolder.c_str() : nullptr;

  std::string commandLine = MakeCommandLine(program, parameters);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags =
      STARTF_USESHOWWINDOW | (showState != 0 ? STARTF_FORCEONFEEDBACK : STARTF_FORCEOFFFEEDBACK);
  startup.wShowWindow = showState;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, directory, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// ---- Windows and messages ---------------------------------------------------

void CenterWindow(HWND owner, HWND window) {
  const int screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYFULLSCREEN);
  RECT reference{0, 0, screenWidth, screenHeight};
  if (owner) GetWindowRect(owner, &reference);
  RECT own{};
  GetWindowRect(window, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  int left = reference.left + (reference.right - reference.left - width) / 2;
  int top = reference.top + (reference.bottom - reference.top - height) / 2;
  if (left + width > screenWidth) left = screenWidth - width;
  if (top + height > screenHeight) top = screenHeight - height;
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowErrorBox(HWND owner, const std::string& message) {
  MessageBeep(MB_ICONHAND);
  MessageBoxA(owner, ExpandLineBreaks(message).c_str(), ErrorCaption.c_str(),
              MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

void ShowError(const std::string& message) {
  ShowErrorBox(nullptr, message);
}
