// The progress window as the program shows it while compressing: over the real main window,
// for the given number of milliseconds. Exit code 0 when the progress window was in front of
// the disabled main window, centred over it, for that whole time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/StartUp.h"
#include "app/fMain.h"
#include "handoff/fFakeProgress.h"

namespace {

bool InFrontOfDisabledOwner(HWND progress, HWND main) {
  RECT p{}, m{};
  GetWindowRect(progress, &p);
  GetWindowRect(main, &m);
  const bool centred = std::abs((p.left + p.right) - (m.left + m.right)) <= 2 &&
                       std::abs((p.top + p.bottom) - (m.top + m.bottom)) <= 2;
  return IsWindowVisible(progress) && GetForegroundWindow() == progress && !IsWindowEnabled(main) &&
         centred;
}

}  // namespace

int main(int argc, char** argv) {
  const DWORD duration = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 3000;
  int result = 1;
  ProgramStartUp();
  {
    ui::Application application;
    application.Initialize();
    application.SetTitle("Dorar Adar");
    auto* main = application.CreateForm<TVoiceMailForm>();
    main->Show();
    application.ProcessMessages();
    ProgressCaption() = "Compress Voice Message";
    ProgressPrompt() = "Compressing message. Please wait...";
    ShowProgress(main, false);
    bool ok = true;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < duration) {
      application.ProcessMessages();
      ok = ok && InFrontOfDisabledOwner(ProgressForm()->Handle(), main->Handle());
      Sleep(20);
    }
    HideProgress();
    result = ok && IsWindowEnabled(main->Handle()) ? 0 : 1;
  }
  ProgramShutDown();
  std::printf("%s\n", result == 0 ? "progress window in front of the main window" : "FAILED");
  return result;
}
