// The program's entry: start-up, the application with the main window, the message loop,
// shut-down.
#include "app/VoiceMail.h"

#include <windows.h>

#include <exception>

#include "app/StartUp.h"
#include "app/fMain.h"
#include "ui/Forms.h"

const char ProgramGUID[] = "{6F1C2B7E-3A94-4D5B-9E21-8C0F7A6D4B13}";

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    ProgramStartUp();
    {
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
