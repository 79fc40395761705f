// The running-instance side in this process; each second start is a real process
// (si_notify.exe beside this program) that posts to it.
#include "app/SingleInst.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Unique(const std::string& text) {
  static int counter = 0;
  return text + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

std::string NotifierPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string result(path, length);
  return result.substr(0, result.find_last_of('\\') + 1) + "si_notify.exe";
}

// Starts the notifier as a second start of the program ProgramID, with these parameters;
// waits for its end and answers its exit code (1: a running instance was found).
DWORD SecondStart(const std::string& ProgramID, const std::vector<std::string>& params) {
  std::string cmd = "\"" + NotifierPath() + "\"";
  for (const auto& p : params) cmd += " \"" + p + "\"";
  SetEnvironmentVariableA("BDA_SI_PROGRAM_ID", ProgramID.c_str());
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    ADD_FAILURE() << "CreateProcessA " << GetLastError();
    return ~0u;
  }
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = ~0u;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

// Dispatches this thread's messages until done() or the time is up.
template <typename Done>
void PumpUntil(Done done, DWORD ms = 5000) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < ms) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

struct Running {
  TSingleInstanceManager InstMan{nullptr};
  int Requests = 0;
  ui::Component* Sender = nullptr;
  std::vector<std::string> ParamsSeen;
  explicit Running(const std::string& id) {
    InstMan.SetProgramID(id);
    InstMan.OnStartRequest = [this](ui::Component* sender) {
      ++Requests;
      Sender = sender;
      ParamsSeen = InstMan.Params;
    };
  }
};

}  // namespace

TEST(SingleInst, SecondStartHandsOverItsParametersAndReleasesTheAtoms) {
  const std::string a = Unique("alpha"), b = Unique("two words"), dup = Unique("twice");
  const std::string tooLong(300, 'x');
  struct Case {
    const char* name;
    std::vector<std::string> params;
    std::vector<std::string> expected;
  } cases[] = {
      {"none", {}, {}},
      {"two in order", {a, b}, {a, b}},
      {"same text twice", {dup, dup}, {dup, dup}},
      {"longer than an atom", {tooLong, a}, {"", a}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Running running(Unique("{si-test}"));
    EXPECT_EQ(SecondStart(running.InstMan.ProgramID(), c.params), 1u);
    PumpUntil([&] { return running.Requests > 0; });
    PumpUntil([] { return false; }, 100);  // nothing more arrives
    EXPECT_EQ(running.Requests, 1);
    EXPECT_EQ(running.Sender, &running.InstMan);
    EXPECT_EQ(running.ParamsSeen, c.expected);
    EXPECT_EQ(running.InstMan.Params, c.expected);
    for (const auto& p : c.params) EXPECT_EQ(GlobalFindAtomA(p.c_str()), 0) << p;
  }
}

TEST(SingleInst, EachRequestStartsWithFreshParams) {
  Running running(Unique("{si-test}"));
  EXPECT_EQ(SecondStart(running.InstMan.ProgramID(), {"first", "request"}), 1u);
  PumpUntil([&] { return running.Requests == 1; });
  EXPECT_EQ(SecondStart(running.InstMan.ProgramID(), {}), 1u);
  PumpUntil([&] { return running.Requests == 2; });
  EXPECT_EQ(running.Requests, 2);
  EXPECT_TRUE(running.InstMan.Params.empty());
}

TEST(SingleInst, OnlyTheSameProgramIDIsFound) {
  Running running(Unique("{si-test}"));
  EXPECT_EQ(SecondStart(Unique("{another program}"), {"x"}), 0u);
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(running.Requests, 0);
}

TEST(SingleInst, TheTitleIsTheProgramIDFromTheMomentItIsSet) {
  const std::string id = Unique("{si-test}");
  HWND wnd;
  {
    TSingleInstanceManager InstMan(nullptr);
    wnd = InstMan.Handle();
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(FindWindowA(SingleInstanceWindowClass, id.c_str()), nullptr);
    InstMan.SetProgramID(id);
    EXPECT_EQ(FindWindowA(SingleInstanceWindowClass, id.c_str()), wnd);
    EXPECT_FALSE(IsWindowVisible(wnd));
  }
  // Gone with the manager: a later start runs as the only instance.
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(SecondStart(id, {}), 0u);
}

TEST(SingleInst, TheHiddenWindowAnswersEveryMessageWithOne) {
  Running running(Unique("{si-test}"));
  char text[64] = {};
  struct Case {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  } cases[] = {
      {WM_NULL, 0, 0},
      {WM_GETTEXTLENGTH, 0, 0},
      {WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)},
      {WM_ERASEBKGND, 0, 0},
      {WM_SI_BEGIN, 0, 0},
      {WM_SI_PARAM, 0, 0},
      {WM_SI_START, 0, 0},
      {WM_USER + 77, 1, 2},
      {WM_APP, 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SendMessageA(running.InstMan.Handle(), c.msg, c.wParam, c.lParam), 1) << c.msg;
  EXPECT_EQ(running.Requests, 1);
  EXPECT_EQ(running.InstMan.Params, std::vector<std::string>{""});
}
