// Compression of a 10-minute 44100 Hz stereo 16-bit message: CompressMessageFile against sox
// doing the same job, alternating, several runs; and the private memory that the compression
// adds to this process at its peak.
//   bench_compress [FOLDER] [RUNS]   FOLDER on drive Z: (default: the working folder)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "audio/WaveConvert.h"

namespace {

std::string UnixPath(std::string path) {
  path = path.substr(2);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA a{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a);
  return (uint64_t(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs a host shell command through Wine's start program (a host program started from this
// process itself is left untracked by Wine); the command leaves a mark when it has ended.
void Shell(const std::string& folder, const std::string& command) {
  std::string script = folder + "shell.sh", done = folder + "shell.done";
  DeleteFileA(done.c_str());
  if (FILE* f = std::fopen(script.c_str(), "wb")) {
    std::fprintf(f, "%s\n: >%s\n", command.c_str(), UnixPath(done).c_str());
    std::fclose(f);
  }
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::string line = std::string(system) + "\\start.exe /unix /bin/sh " + UnixPath(script);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &si, &pi)) {
    std::fprintf(stderr, "cannot start %s\n", line.c_str());
    std::exit(1);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  while (!Exists(done)) Sleep(2);
  DeleteFileA(done.c_str());
  DeleteFileA(script.c_str());
}

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  return pmc.PagefileUsage;  // the commit charge: private bytes (Wine leaves PrivateUsage 0)
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double ReadNumber(const std::string& path) {
  double value = 0;
  if (FILE* f = std::fopen(path.c_str(), "r")) {
    if (std::fscanf(f, "%lf", &value) != 1) value = 0;
    std::fclose(f);
  }
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  std::string folder = argc > 1 ? argv[1] : cwd;
  if (folder.back() != '\\') folder += '\\';
  int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  std::string source = folder + "source.wav", msg = folder + "msg.wav", sox = folder + "sox.wav";
  std::string nanos = folder + "sox.ns";

  if (!Exists(source)) {
    std::printf("making a 10-minute 44100 Hz stereo 16-bit message...\n");
    Shell(folder, "sox -n -r 44100 -c 2 -b 16 " + UnixPath(source) +
                      " synth 600 sine 300-3400 sine 440 vol 0.5");
  }

  std::vector<double> ours, theirs;
  SIZE_T peakAdded = 0;
  uint64_t ourSize = 0, soxSize = 0;
  for (int run = 0; run < runs; ++run) {
    CopyFileA(source.c_str(), msg.c_str(), FALSE);
    std::atomic<bool> running{true};
    SIZE_T base = PrivateBytes();
    std::atomic<SIZE_T> peak{base};
    std::thread sampler([&] {
      while (running) {
        SIZE_T now = PrivateBytes();
        if (now > peak) peak = now;
        Sleep(1);
      }
    });
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    bool ok = CompressMessageFile(msg);
    QueryPerformanceCounter(&t1);
    running = false;
    sampler.join();
    if (!ok) {
      std::fprintf(stderr, "CompressMessageFile failed\n");
      return 1;
    }
    ours.push_back(Seconds(t0, t1));
    peakAdded = std::max(peakAdded, peak - base);
    ourSize = FileSize(msg);

    // sox times itself, so that the start of the shell is not counted.
    Shell(folder, "s=$(date +%s%N); sox " + UnixPath(source) + " -r 8000 -c 1 -e gsm-full-rate " +
                      UnixPath(sox) + "; echo $(( $(date +%s%N) - s )) >" + UnixPath(nanos));
    theirs.push_back(ReadNumber(nanos) / 1e9);
    soxSize = FileSize(sox);
    std::printf("run %d: CompressMessageFile %.3f s, sox %.3f s\n", run + 1, ours.back(),
                theirs.back());
  }
  double mo = Median(ours), ms = Median(theirs);
  std::printf("source: 600 s, 44100 Hz stereo 16-bit, %llu bytes\n",
              (unsigned long long)FileSize(source));
  std::printf("median CompressMessageFile: %.3f s (%llu bytes written)\n", mo,
              (unsigned long long)ourSize);
  std::printf("median sox gsm-full-rate:   %.3f s (%llu bytes written)\n", ms,
              (unsigned long long)soxSize);
  std::printf("ratio CompressMessageFile / sox: %.2f\n", mo / ms);
  std::printf("peak private memory added by the compression: %.2f MiB\n",
              double(peakAdded) / (1024 * 1024));
  DeleteFileA(msg.c_str());
  DeleteFileA(sox.c_str());
  DeleteFileA(nanos.c_str());
  return 0;
}
