#include "unit/audio/AudioTestUtils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>

std::string UnixPath(const std::string& WinPath) {
  EXPECT_TRUE(WinPath.size() > 2 && (WinPath[0] == 'Z' || WinPath[0] == 'z') && WinPath[1] == ':')
      << WinPath;
  std::string path = WinPath.substr(2);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

std::string RunShell(const std::string& Command) {
  // The output goes to files in the working folder, which is on the host's drive.
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  char outFile[MAX_PATH];
  GetTempFileNameA(cwd, "sh", 0, outFile);
  std::string script = std::string(outFile) + ".sh", done = std::string(outFile) + ".done";
  std::string text =
      "( " + Command + " ) >" + UnixPath(outFile) + " 2>&1\n: >" + UnixPath(done) + "\n";
  WriteBytes(script, std::vector<uint8_t>(text.begin(), text.end()));
  // A host program started from this process upsets Wine once the MCI wave device has run here
  // (a crash in the heap), so Wine's start program spawns it. Wine does not wait for host
  // programs either: the script leaves a mark when the command has ended.
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::string line = std::string(system) + "\\start.exe /unix /bin/sh " + UnixPath(script);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  // Under load Wine now and then refuses a start with ERROR_INTERNAL_ERROR; a retry succeeds.
  bool started = false;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt) Sleep(200);
    started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                             nullptr, nullptr, &si, &pi);
  }
  if (!started) {
    ADD_FAILURE() << "cannot start " << line << ": " << GetLastError();
    return {};
  }
  CloseHandle(pi.hThread);
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hProcess);
  DWORD start = GetTickCount();
  while (GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount() - start > 300000) {
      ADD_FAILURE() << "no end of: " << Command;
      break;
    }
    Sleep(10);
  }
  DeleteFileA(done.c_str());
  DeleteFileA(script.c_str());
  std::ifstream in(outFile, std::ios::binary);
  std::string out((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  DeleteFileA(outFile);
  return out;
}

std::string TestFolder(const std::string& Name) {
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  std::string folder = std::string(cwd) + "\\work-" + Name;
  RunShell("rm -rf " + UnixPath(folder) + " && mkdir -p " + UnixPath(folder));
  return folder + "\\";
}

void MakeTone(const std::string& WinPath, int Rate, int Channels, int Bits, double Seconds,
              int Frequency) {
  std::string out =
      RunShell("sox -n -r " + std::to_string(Rate) + " -c " + std::to_string(Channels) + " -b " +
               std::to_string(Bits) + " " + UnixPath(WinPath) + " synth " +
               std::to_string(Seconds) + " sine " + std::to_string(Frequency) + " vol 0.5");
  ASSERT_EQ(GetFileAttributesA(WinPath.c_str()) != INVALID_FILE_ATTRIBUTES, true) << out;
}

TSoxStat SoxStat(const std::string& WinPath) {
  TSoxStat stat;
  stat.Output = RunShell("sox " + UnixPath(WinPath) + " -n channels 1 stat");
  std::smatch m;
  if (std::regex_search(stat.Output, m, std::regex(R"(Length \(seconds\):\s*([0-9.]+))")))
    stat.Seconds = std::stod(m[1]);
  if (std::regex_search(stat.Output, m, std::regex(R"(Rough\s+frequency:\s*([0-9.]+))")))
    stat.Frequency = std::stod(m[1]);
  return stat;
}

std::vector<uint8_t> ReadBytes(const std::string& WinPath) {
  std::ifstream in(WinPath, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& WinPath, const std::vector<uint8_t>& Bytes) {
  std::ofstream out(WinPath, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
}

uint32_t U32At(const std::vector<uint8_t>& Bytes, size_t At) {
  uint32_t v = 0;
  if (At + 4 <= Bytes.size()) std::memcpy(&v, Bytes.data() + At, 4);
  return v;
}

uint16_t U16At(const std::vector<uint8_t>& Bytes, size_t At) {
  uint16_t v = 0;
  if (At + 2 <= Bytes.size()) std::memcpy(&v, Bytes.data() + At, 2);
  return v;
}

bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs) {
  DWORD start = GetTickCount();
  while (!Done()) {
    if (GetTickCount() - start > TimeoutMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
  return true;
}

void PumpFor(DWORD Ms) {
  (void)PumpUntil([] { return false; }, Ms);
}

TTonePlayer::TTonePlayer(const std::string& WinPath) {
  PidFile = UnixPath(WinPath) + ".pid";
  RunShell("paplay -d nul " + UnixPath(WinPath) + " </dev/null >/dev/null 2>&1 & echo $! >" +
           PidFile);
  Sleep(300);  // let the stream reach the sink
}

TTonePlayer::~TTonePlayer() {
  RunShell("kill $(cat " + PidFile + ") 2>/dev/null; rm -f " + PidFile);
}
