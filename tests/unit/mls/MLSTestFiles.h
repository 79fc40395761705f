// Module files for the manager's tests: compiled at test time by the module compiler
// (mlsc.exe, copied beside the test program) and placed in the two real module folders.
#pragma once

#include <map>
#include <string>

// The folder of the test program, with its trailing backslash.
std::string TestProgramFolder();
// The program's module folder and the family's shared one.
std::string ProgramModuleFolder();
std::string SharedModuleFolder();

// A source text for mlsc: entry i is "<tag> <i>" unless `texts` gives it.
std::string ModuleSource(const std::string& name, const std::string& code, int count,
                         const std::string& tag, const std::map<int, std::string>& texts = {});
// Runs "mlsc.exe compile" on the source and writes the module to `path`.
void CompileModule(const std::string& source, const std::string& path);
// Compiles ModuleSource(...) into folder\<fileName>.
void PutModule(const std::string& folder, const std::string& fileName, const std::string& name,
               const std::string& code, int count, const std::string& tag,
               const std::map<int, std::string>& texts = {});
// Deletes every module file and the report that the tests may have left.
void RemoveModuleFiles();

// The four modules' names and counts, in registration order.
struct TModuleInfo {
  const char* Name;
  int Count;
};
extern const TModuleInfo TestModules[4];

// Starts the language units in the program's order (manager, qsShared, bvShared,
// VoiceMail, SoundRec, caption client) and ends them in reverse.
void StartLanguageUnits();
void EndLanguageUnits();

// Deletes the stored language value of the tests.
void DeleteLanguageValue(const char* valueName);
