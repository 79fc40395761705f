// VoiceMail.exe started by an end-to-end test as a user starts it, and its windows found
// from outside the process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/Inspect.h"

extern const char kMainCaption[];

// A path of the build host as Wine's drive Z: shows it.
std::string WindowsPath(std::string unixPath);
void Pause(int ms);

// The first visible top-level window of process `pid` whose class and title `match` accepts.
HWND FindProcessWindow(
    DWORD pid, const std::function<bool(const std::string& cls, const std::string& text)>& match);

class VoiceMailProcess {
 public:
  VoiceMailProcess() = default;
  // Ends the program if it still runs.
  ~VoiceMailProcess();
  VoiceMailProcess(const VoiceMailProcess&) = delete;
  VoiceMailProcess& operator=(const VoiceMailProcess&) = delete;

  // Starts the program from its own folder and waits up to 15 s for its main window.
  void Start(const std::string& unixExePath);
  HWND Form() const { return form_; }
  DWORD Id() const { return pi_.dwProcessId; }
  // A component of the main window, through the forms' inspection message.
  ui::Properties Get(const std::string& name) const { return ui::Inspect(form_, name); }
  bool Ended(DWORD ms) const;
  // The exit code once the program has ended.
  DWORD ExitCode() const;

 private:
  PROCESS_INFORMATION pi_{};
  HWND form_ = nullptr;
};
