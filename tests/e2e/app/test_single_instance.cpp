// VoiceMail.exe started twice under Wine: the second start hands over to the first and ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const MainCaption = "Brevilo Dorar Adar";

std::string ProgramPath() {
  std::string path = std::string("Z:") + VOICEMAIL_EXE;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

struct Process {
  PROCESS_INFORMATION pi{};
  ~Process() {
    if (!pi.hProcess) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  bool Start(const std::string& params) {
    std::string cmd = "\"" + ProgramPath() + "\"" + (params.empty() ? "" : " " + params);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    return CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi);
  }
  bool Ended(DWORD ms) const { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
};

// Visible top-level windows with the main window's caption, of any process.
std::vector<HWND> MainWindows() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND wnd, LPARAM list) -> BOOL {
        char text[64] = {};
        GetWindowTextA(wnd, text, sizeof text);
        if (IsWindowVisible(wnd) && std::string(text) == MainCaption)
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

template <typename Done>
bool WaitFor(Done done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  }
  return true;
}

// A window of this process that holds the foreground meanwhile.
HWND ForegroundStealer() {
  HWND wnd = CreateWindowExA(0, "STATIC", "other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                             100, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(wnd);
  return wnd;
}

}  // namespace

TEST(SingleInstance, ASecondStartBringsTheRunningWindowBackAndEnds) {
  ASSERT_TRUE(MainWindows().empty()) << "a VoiceMail window is open already";
  Process first;
  ASSERT_TRUE(first.Start("")) << GetLastError();
  ASSERT_TRUE(WaitFor([] { return MainWindows().size() == 1; }, 20000));
  const HWND main = MainWindows()[0];

  struct Case {
    const char* name;
    bool minimized;
    const char* params;
  } cases[] = {
      {"behind another window", false, ""},
      {"minimized, with parameters", true, "first \"second one\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND other = ForegroundStealer();
    if (c.minimized) {
      ShowWindow(main, SW_MINIMIZE);
      ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != 0; }, 3000));
    }
    ASSERT_NE(GetForegroundWindow(), main);

    Process second;
    const DWORD start = GetTickCount();
    ASSERT_TRUE(second.Start(c.params));
    ASSERT_TRUE(second.Ended(5000));
    const DWORD took = GetTickCount() - start;
    EXPECT_LT(took, 1000u);
    RecordProperty(std::string("second_start_ms_") + (c.minimized ? "minimized" : "behind"),
                   static_cast<int>(took));

    EXPECT_TRUE(WaitFor([&] { return !IsIconic(main) && GetForegroundWindow() == main; }, 3000));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(MainWindows(), std::vector<HWND>{main});
    EXPECT_FALSE(first.Ended(0));
    DestroyWindow(other);
  }

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.Ended(15000));
}
