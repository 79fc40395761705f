#include "mls/qsMLS.h"

#include <algorithm>

#include "util/Errors.h"
#include "util/Registry.h"
#include "util/qsUtils.h"

std::string LanguageNames[MLSLanguageCount];
LCID LanguageLCIDs[MLSLanguageCount];
std::string MLSFolder;
std::string SharedMLSFolder;
TMLSManager* MLSManager = nullptr;

namespace {

const char MLSSettingsKey[] = "Software\\Brevilo\\MLS";

std::string ProgramPath() {
  char path[MAX_PATH] = "";
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n);
}

// The program's folder with its trailing backslash.
std::string ProgramFolder() {
  std::string path = ProgramPath();
  return path.substr(0, path.find_last_of('\\') + 1);
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string LocaleText(LCID locale, LCTYPE type) {
  char text[128] = "";
  int n = GetLocaleInfoA(locale, type, text, sizeof text);
  return n > 0 ? std::string(text) : std::string();
}

std::vector<LCID>* EnumeratedLocales = nullptr;

BOOL CALLBACK CollectLocale(LPSTR text) {
  EnumeratedLocales->push_back(static_cast<LCID>(strtoul(text, nullptr, 16)));
  return TRUE;
}

void FillLanguageTable() {
  std::vector<LCID> locales;
  EnumeratedLocales = &locales;
  EnumSystemLocalesA(CollectLocale, LCID_SUPPORTED);
  EnumeratedLocales = nullptr;
  std::vector<std::string> abbreviations;
  for (LCID locale : locales) abbreviations.push_back(LocaleText(locale, LOCALE_SABBREVLANGNAME));
  for (int i = 0; i < MLSLanguageCount; ++i) {
    LanguageNames[i] = "(Unknown)";
    LanguageLCIDs[i] = 0;
    for (size_t l = 0; l < locales.size(); ++l) {
      if (lstrcmpiA(abbreviations[l].c_str(), LanguageCodes[i]) == 0) {
        LanguageNames[i] = LocaleText(locales[l], LOCALE_SLANGUAGE);
        LanguageLCIDs[i] = locales[l];
        break;
      }
    }
  }
}

std::string UpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// A module file, read-only and shared for reading and writing by others.
class TMLSFileStream : public TMLSStream {
 public:
  explicit TMLSFileStream(const std::string& path) : Path(path) {
    File = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (File == INVALID_HANDLE_VALUE)
      RaiseOSError(GetLastError(), "Cannot open file \"" + path + "\"");
  }
  ~TMLSFileStream() override { CloseHandle(File); }
  TMLSFileStream(const TMLSFileStream&) = delete;
  TMLSFileStream& operator=(const TMLSFileStream&) = delete;

  size_t Read(void* buffer, size_t count) override {
    size_t total = 0;
    while (total < count) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(count - total, 1 << 20)), got = 0;
      if (!ReadFile(File, static_cast<char*>(buffer) + total, chunk, &got, nullptr))
        RaiseOSError(GetLastError(), "Cannot read file \"" + Path + "\"");
      if (got == 0) break;
      total += got;
    }
    return total;
  }

  void Skip(uint32_t count) override {
    LARGE_INTEGER distance;
    distance.QuadPart = count;
    if (!SetFilePointerEx(File, distance, nullptr, FILE_CURRENT))
      RaiseOSError(GetLastError(), "Cannot seek in file \"" + Path + "\"");
  }

 private:
  std::string Path;
  HANDLE File;
};

// The module's copy in the program's own resources, read in place.
TMLSMemoryStream OpenModuleResource(const std::string& name) {
  std::string resourceName = "MLS_" + UpperCase(name);
  HMODULE program = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(program, resourceName.c_str(), MAKEINTRESOURCEA(10));
  HGLOBAL loaded = resource ? LoadResource(program, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw Exception("Resource " + resourceName + " not found");
  return TMLSMemoryStream(data, SizeofResource(program, resource));
}

void SetModuleFolders() {
  if (MLSFolder.empty()) MLSFolder = ProgramFolder() + "mls";
  if (SharedMLSFolder.empty())
    SharedMLSFolder = ExpandFolderPlaceholders("<ProgramFilesDir>\\Brevilo\\Shared Files\\MLS");
}

std::string JoinCodes(TLanguageSet set) {
  std::string codes;
  for (int i = 0; i < MLSLanguageCount; ++i) {
    if (!(set & LanguageBit(i))) continue;
    if (!codes.empty()) codes += ", ";
    codes += LanguageCodes[i];
  }
  return codes;
}

}  // namespace

TMLSModule::TMLSModule(LCID builtInLocale, const std::string& name)
    : BuiltInLanguage(LanguageFromLCID(builtInLocale)), Name(name) {
  MLSManager->Modules.push_back(this);
}

TMLSModule::~TMLSModule() {
  if (!MLSManager) return;
  auto& modules = MLSManager->Modules;
  modules.erase(std::remove(modules.begin(), modules.end(), this), modules.end());
}

bool TMLSModule::FindModuleFile(uint8_t language, std::string& path) {
  SetModuleFolders();
  // An index outside the table names no language, like index 0.
  const char* code = LanguageCodes[language < MLSLanguageCount ? language : 0];
  path = Name + "_" + code + ".mls";
  for (const std::string* folder : {&MLSFolder, &SharedMLSFolder}) {
    std::string candidate = JoinPath(*folder, path);
    if (FileExists(candidate)) {
      path = candidate;
      return true;
    }
  }
  return false;
}

TLanguageSet TMLSModule::GetAvailableLanguages() {
  if (AvailableLanguages == 0) {
    AvailableLanguages = LanguageBit(BuiltInLanguage);
    std::string path;
    if (!Name.empty())
      for (int i = 1; i < MLSLanguageCount; ++i)
        if (FindModuleFile(static_cast<uint8_t>(i), path)) AvailableLanguages |= LanguageBit(i);
  }
  return AvailableLanguages;
}

void TMLSModule::LoadLanguage(uint8_t language) {
  if (language == BuiltInLanguage) {
    TMLSMemoryStream stream = OpenModuleResource(Name);
    LoadFromStream(language, stream);
    return;
  }
  std::string path;
  if (!FindModuleFile(language, path)) {
    // The line breaks of the text are expanded before the names go in, so that a folder
    // such as "C:\new" is shown as it is.
    throw EMLSException(ExpandLineBreaks("Failed to load MLS module: \"") + path +
                        ExpandLineBreaks("\" \\n(Error Code MLS260)\\n\\nSearched folders:\\n   ") +
                        MLSFolder + ExpandLineBreaks("\\n   ") + SharedMLSFolder);
  }
  TMLSFileStream stream(path);
  LoadFromStream(language, stream);
}

void TMLSManager::SetLanguage(uint8_t language) {
  if (language == 0) language = GetDefaultLanguage();
  if (language != Language) ChangeLanguage(language);
}

void TMLSManager::ChangeLanguage(uint8_t language) {
  Language = language;
  for (TMLSModule* module : Modules) module->LoadLanguage(language);
  NotifyClients();
}

uint8_t TMLSManager::GetDefaultLanguage() {
  if (DefaultLanguage != 0) return DefaultLanguage;
  uint8_t language = Modules.empty() ? 0 : Modules.front()->BuiltInLanguage;
  for (TMLSModule* module : Modules)
    if (module->BuiltInLanguage != language) language = 0;
  DefaultLanguage = language;
  return language;
}

TLanguageSet TMLSManager::GetAvailableLanguages() {
  if (AvailableSet != 0) return AvailableSet;
  WriteReport();
  TLanguageSet set = 0xFFFFE;
  for (TMLSModule* module : Modules) set &= module->GetAvailableLanguages();
  AvailableSet = set;
  return set;
}

void TMLSManager::AddClient(void* client, TMLSClientCode code) {
  for (const TClientRecord& record : Clients)
    if (record.Client == client && record.Code == code) return;
  Clients.push_back({client, code});
}

void TMLSManager::RemoveClient(void* client, TMLSClientCode code) {
  for (auto it = Clients.begin(); it != Clients.end(); ++it) {
    if (it->Client == client && it->Code == code) {
      Clients.erase(it);
      return;
    }
  }
}

void TMLSManager::NotifyClients() {
  // By index: a handler may register or unregister clients.
  for (size_t i = 0; i < Clients.size(); ++i) Clients[i].Code(Clients[i].Client, this);
}

void TMLSManager::WriteReport() {
  std::string program = ProgramPath();
  std::string report = ProgramFolder() + "MLSReport.txt";
  if (!FileExists(report)) return;
  std::string prefix = program.substr(program.find_last_of('\\') + 1) + " - ";
  TLanguageSet all = 0;
  for (TMLSModule* module : Modules) all |= module->GetAvailableLanguages();
  for (TMLSModule* module : Modules) {
    TLanguageSet present = module->GetAvailableLanguages();
    std::string key = "MLS Module " + module->Name;
    WritePrivateProfileStringA((prefix + "Present Languages").c_str(), key.c_str(),
                               JoinCodes(present).c_str(), report.c_str());
    std::string missing = JoinCodes(all & ~present);
    if (!missing.empty())
      WritePrivateProfileStringA((prefix + "Missing Languages").c_str(), key.c_str(),
                                 missing.c_str(), report.c_str());
  }
}

void qsMLSStartUp() {
  FillLanguageTable();
  MLSManager = new TMLSManager;
}

void qsMLSShutDown() {
  delete MLSManager;
  MLSManager = nullptr;
  MLSFolder.clear();
  SharedMLSFolder.clear();
}

uint8_t LanguageFromLCID(LCID locale) {
  for (int i = 0; i < MLSLanguageCount; ++i)
    if (LanguageLCIDs[i] == locale) return static_cast<uint8_t>(i);
  return 0;
}

uint8_t UserDefaultLanguage() {
  return LanguageFromLCID(ConvertDefaultLocale(LOCALE_USER_DEFAULT));
}

uint8_t ReadLanguageSetting(const std::string& valueName) {
  int language = 0;
  try {
    TRegistry registry(HKEY_CURRENT_USER);
    if (registry.OpenKey(MLSSettingsKey, true) && registry.ValueExists(valueName))
      language = registry.ReadInteger(valueName) & 0xFF;
  } catch (const ERegistryException&) {
    language = 0;  // a value of another type counts as none
  }
  // Only indexes of the table count; anything else is treated as no stored language.
  if (language <= 0 || language >= MLSLanguageCount) return UserDefaultLanguage();
  return static_cast<uint8_t>(language);
}

void WriteLanguageSetting(const std::string& valueName, uint8_t language) {
  TRegistry registry(HKEY_CURRENT_USER);
  if (!registry.OpenKey(MLSSettingsKey, true))
    throw ERegistryException(
        "Cannot open the key HKEY_CURRENT_USER\\" + std::string(MLSSettingsKey), 0);
  registry.WriteInteger(valueName, language);
}
