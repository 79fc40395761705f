#include "MLSTestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "mls/SoundRecMLS.h"
#include "mls/VoiceMailMLS.h"
#include "mls/bvSharedMLS.h"
#include "mls/qsMLS.h"
#include "mls/qsMLSDialogs.h"
#include "mls/qsSharedMLS.h"
#include "util/qsUtils.h"

const TModuleInfo TestModules[4] = {
    {"qsShared", 232}, {"bvShared", 20}, {"VoiceMail", 48}, {"SoundRec", 26}};

std::string TestProgramFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p = path;
  return p.substr(0, p.find_last_of('\\') + 1);
}

std::string ProgramModuleFolder() {
  return TestProgramFolder() + "mls";
}

std::string SharedModuleFolder() {
  return ExpandFolderPlaceholders("<ProgramFilesDir>\\Brevilo\\Shared Files\\MLS");
}

std::string ModuleSource(const std::string& name, const std::string& code, int count,
                         const std::string& tag, const std::map<int, std::string>& texts) {
  std::string source =
      "module " + name + "\nlanguage " + code + "\ncount " + std::to_string(count) + "\n";
  for (int i = 0; i < count; ++i) {
    auto given = texts.find(i);
    source += std::to_string(i) + "=" +
              (given != texts.end() ? given->second : tag + " " + std::to_string(i)) + "\n";
  }
  return source;
}

void CompileModule(const std::string& source, const std::string& path) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string sourcePath = std::string(temp) + "bda-mls-fixture.txt";
  std::ofstream(sourcePath, std::ios::binary) << source;
  std::string command =
      "\"" + TestProgramFolder() + "mlsc.exe\" compile \"" + sourcePath + "\" \"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process))
      << command;
  WaitForSingleObject(process.hProcess, 30000);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DeleteFileA(sourcePath.c_str());
  ASSERT_EQ(exitCode, 0u) << command;
}

void PutModule(const std::string& folder, const std::string& fileName, const std::string& name,
               const std::string& code, int count, const std::string& tag,
               const std::map<int, std::string>& texts) {
  CompileModule(ModuleSource(name, code, count, tag, texts), JoinPath(folder, fileName));
}

namespace {

void CreateFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(path.c_str(), nullptr);
}

void DeleteMatching(const std::string& folder, const std::string& pattern) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(JoinPath(folder, pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    DeleteFileA(JoinPath(folder, found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

void RemoveModuleFiles() {
  for (const std::string& folder : {ProgramModuleFolder(), SharedModuleFolder()}) {
    CreateFolders(folder);
    DeleteMatching(folder, "*.mls");
  }
  DeleteFileA((TestProgramFolder() + "MLSReport.txt").c_str());
}

void StartLanguageUnits() {
  qsMLSStartUp();
  qsSharedMLSStartUp();
  bvSharedMLSStartUp();
  VoiceMailMLSStartUp();
  SoundRecMLSStartUp();
  qsMLSDialogsStartUp();
}

void EndLanguageUnits() {
  qsMLSDialogsShutDown();
  SoundRecMLSShutDown();
  VoiceMailMLSShutDown();
  bvSharedMLSShutDown();
  qsSharedMLSShutDown();
  qsMLSShutDown();
}

void DeleteLanguageValue(const char* valueName) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brevilo\\MLS", 0, KEY_SET_VALUE, &key) == 0) {
    RegDeleteValueA(key, valueName);
    RegCloseKey(key);
  }
}
