// A helper program of the tests: writes what it was started with (command line, working
// folder, start-up flags and show state) to the file that BDA_PROCESS_RECORD names,
// and renames it into place only when complete.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  char target[MAX_PATH], folder[MAX_PATH];
  if (!GetEnvironmentVariableA("BDA_PROCESS_RECORD", target, MAX_PATH)) return 2;
  GetCurrentDirectoryA(MAX_PATH, folder);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  const std::string part = std::string(target) + ".part";
  FILE* f = std::fopen(part.c_str(), "wb");
  if (!f) return 3;
  std::fprintf(f, "%s\n%s\n%lu\n%u\n", GetCommandLineA(), folder,
               static_cast<unsigned long>(startup.dwFlags), startup.wShowWindow);
  std::fclose(f);
  return MoveFileExA(part.c_str(), target, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
