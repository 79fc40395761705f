#include "desktop/ShLinks.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

#include "util/qsUtils.h"

namespace {

// Paths handed to IPersistFile: 259 characters and the terminating zero.
constexpr size_t MaxLinkPath = 259;

template <typename T>
struct ComRelease {
  void operator()(T* p) const { p->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease<T>>;

// The process has OLE initialised already; this only adds a nesting level, and it is
// undone only when it was actually added.
class ComScope {
 public:
  ComScope() : FInitialized(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (FInitialized) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool FInitialized;
};

// Item-ID lists of the shell belong to its task allocator.
void FreeIDList(LPITEMIDLIST pidl) {
  if (!pidl) return;
  IMalloc* malloc = nullptr;
  if (SUCCEEDED(CoGetMalloc(1, &malloc))) {
    malloc->Free(pidl);
    malloc->Release();
  }
}

// Within a COM scope.
bool SpecialFolderPath(int SpecialFolder, std::string& Path) {
  LPITEMIDLIST pidl = nullptr;
  bool found = false;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, SpecialFolder, &pidl))) {
    char buffer[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListA(pidl, buffer)) {
      Path = buffer;
      found = true;
    }
  }
  FreeIDList(pidl);
  return found;
}

ComPtr<IShellLinkA> NewShellLink() {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return nullptr;
  return ComPtr<IShellLinkA>(link);
}

ComPtr<IPersistFile> FileOf(IShellLinkA* link) {
  IPersistFile* file = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
    return nullptr;
  return ComPtr<IPersistFile>(file);
}

// The path as IPersistFile takes it; empty when it does not fit, since a cut path would
// name another file.
std::wstring LinkFileName(const std::string& Path) {
  if (Path.empty() || Path.size() > MaxLinkPath) return {};
  wchar_t buffer[MaxLinkPath + 1] = {};
  const int length = MultiByteToWideChar(CP_ACP, 0, Path.data(), static_cast<int>(Path.size()),
                                         buffer, static_cast<int>(MaxLinkPath));
  return std::wstring(buffer, length > 0 ? length : 0);
}

bool SetProperties(IShellLinkA* link, const TShellLinkInfo& Info) {
  return SUCCEEDED(link->SetArguments(Info.Arguments.c_str())) &&
         SUCCEEDED(link->SetDescription(Info.Description.c_str())) &&
         SUCCEEDED(link->SetIconLocation(Info.IconPath.c_str(), Info.IconIndex)) &&
         SUCCEEDED(link->SetPath(Info.Path.c_str())) &&
         SUCCEEDED(link->SetWorkingDirectory(Info.WorkingDir.c_str())) &&
         SUCCEEDED(link->SetHotkey(Info.HotKey));
}

void GetProperties(IShellLinkA* link, TShellLinkInfo& Info) {
  char buffer[MAX_PATH];
  // Each getter fills the buffer only when it succeeds.
  auto text = [&buffer](HRESULT hr) { return SUCCEEDED(hr) ? std::string(buffer) : std::string(); };
  buffer[0] = 0;
  Info.Path = text(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_UNCPRIORITY));
  buffer[0] = 0;
  Info.WorkingDir = text(link->GetWorkingDirectory(buffer, MAX_PATH));
  buffer[0] = 0;
  int index = 0;
  Info.IconPath = text(link->GetIconLocation(buffer, MAX_PATH, &index));
  Info.IconIndex = index;
  if (Info.IconPath.empty()) Info.IconPath = Info.Path;
  buffer[0] = 0;
  Info.Arguments = text(link->GetArguments(buffer, MAX_PATH));
  buffer[0] = 0;
  Info.Description = text(link->GetDescription(buffer, MAX_PATH));
  WORD hotKey = 0;
  if (SUCCEEDED(link->GetHotkey(&hotKey))) Info.HotKey = hotKey;
}

}  // namespace

bool CreateShellLink(const std::string& LinkName, const std::string& Folder, int SpecialFolder,
                     TShellLinkInfo Info) {
  ComScope com;
  std::string folder = Folder;
  if (folder.empty() && !SpecialFolderPath(SpecialFolder, folder)) return false;
  const std::string fullPath = folder + "\\" + LinkName;
  const std::wstring fileName = LinkFileName(fullPath);
  if (fileName.empty()) return false;
  (void)ForceFolders(fullPath.substr(0, fullPath.find_last_of('\\') + 1));
  ComPtr<IShellLinkA> link = NewShellLink();
  if (!link || !SetProperties(link.get(), Info)) return false;
  ComPtr<IPersistFile> file = FileOf(link.get());
  return file && SUCCEEDED(file->Save(fileName.c_str(), TRUE));
}

bool ReadShellLink(const std::string& Path, TShellLinkInfo& Info) {
  Info = TShellLinkInfo{};
  ComScope com;
  ComPtr<IShellLinkA> link = NewShellLink();
  if (!link) return false;
  ComPtr<IPersistFile> file = FileOf(link.get());
  if (!file) return false;
  const std::wstring fileName = LinkFileName(Path);
  if (!fileName.empty()) (void)file->Load(fileName.c_str(), STGM_READ);
  GetProperties(link.get(), Info);
  return true;
}

void GetSpecialFolder(int SpecialFolder, std::string& Path) {
  ComScope com;
  (void)SpecialFolderPath(SpecialFolder, Path);
}
