#include "e2e/common/VoiceMailProcess.h"

#include <chrono>
#include <thread>

const char kMainCaption[] = "Brevilo Dorar Adar";

std::string WindowsPath(std::string unixPath) {
  for (char& c : unixPath)
    if (c == '/') c = '\\';
  return "Z:" + unixPath;
}

void Pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {

struct WindowSearch {
  DWORD pid;
  const std::function<bool(const std::string&, const std::string&)>& match;
  HWND found = nullptr;
};

BOOL CALLBACK SearchWindow(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<WindowSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
  char cls[64] = "", text[128] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  GetWindowTextA(hwnd, text, sizeof text);
  if (!s->match(cls, text)) return TRUE;
  s->found = hwnd;
  return FALSE;
}

}  // namespace

HWND FindProcessWindow(
    DWORD pid, const std::function<bool(const std::string& cls, const std::string& text)>& match) {
  WindowSearch s{pid, match};
  EnumWindows(SearchWindow, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

VoiceMailProcess::~VoiceMailProcess() {
  if (!pi_.hProcess) return;
  if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
  CloseHandle(pi_.hProcess);
  CloseHandle(pi_.hThread);
}

void VoiceMailProcess::Start(const std::string& unixExePath) {
  std::string exe = WindowsPath(unixExePath);
  std::string folder = exe.substr(0, exe.rfind('\\'));
  std::string command = "\"" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &si, &pi_))
    return;
  auto isMain = [](const std::string&, const std::string& text) { return text == kMainCaption; };
  for (int i = 0; i < 300 && !form_; ++i) {
    form_ = FindProcessWindow(pi_.dwProcessId, isMain);
    if (!form_) Pause(50);
  }
}

bool VoiceMailProcess::Ended(DWORD ms) const {
  return pi_.hProcess && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD VoiceMailProcess::ExitCode() const {
  DWORD code = 0xFFFFFFFF;
  if (pi_.hProcess) GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}
