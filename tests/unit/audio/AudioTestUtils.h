// Helpers of the Windows audio tests: host tools (sox, paplay) run from inside Wine, folders
// under the build tree, files as bytes, and a message pump.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The host path of a Windows path on drive Z: ("Z:\tmp\a.wav" -> "/tmp/a.wav").
std::string UnixPath(const std::string& WinPath);

// Runs a command line of the host shell and answers what it printed on
// standard output and standard error.
std::string RunShell(const std::string& Command);

// A fresh, empty folder for one test under the working folder; Windows path with a trailing '\'.
std::string TestFolder(const std::string& Name);

// A sine tone made by sox at half amplitude.
void MakeTone(const std::string& WinPath, int Rate, int Channels, int Bits, double Seconds,
              int Frequency);

struct TSoxStat {
  double Seconds = -1;
  double Frequency = -1;
  std::string Output;
};
// sox's "stat" of a wave file, channels mixed to one.
TSoxStat SoxStat(const std::string& WinPath);

std::vector<uint8_t> ReadBytes(const std::string& WinPath);
void WriteBytes(const std::string& WinPath, const std::vector<uint8_t>& Bytes);
uint32_t U32At(const std::vector<uint8_t>& Bytes, size_t At);
uint16_t U16At(const std::vector<uint8_t>& Bytes, size_t At);

// Dispatches window messages until Done answers true or TimeoutMs pass; answers Done().
bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs);
void PumpFor(DWORD Ms);

// Plays a wave file into the session's null sink (the default source's monitor) while it lives.
class TTonePlayer {
 public:
  explicit TTonePlayer(const std::string& WinPath);
  ~TTonePlayer();

 private:
  std::string PidFile;
};
