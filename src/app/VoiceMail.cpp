// The program's entry: start-up, the application with the main window, the message loop,
// shut-down.
#include "app/VoiceMail.h"

#include <windows.h>

#include <exception>

#include "app/SingleInst.h"
#include "app/StartUp.h"
#include "app/fMain.h"
#include "ui/Forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    ProgramStartUp();
    // Another instance runs: it has been told to come to the front, and this one ends.
    if (!NotifyRunningInstance(ProgramGUID)) {
      ui::Application application;
      application.Initialize();
      application.SetTitle("Dorar Adar");
      application.CreateForm<TVoiceMailForm>();
      application.Run();
    }
  } catch (...) {
    ui::HandleException();
  }
  ProgramShutDown();
  return 0;
}
