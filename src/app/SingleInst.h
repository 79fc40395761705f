// One running instance per program: a hidden window that later starts find by its class
// and title and to which they post their command-line parameters as global atoms.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Controls.h"

constexpr UINT WM_SI_BEGIN = WM_USER + 1;  // a start request begins
constexpr UINT WM_SI_PARAM = WM_USER + 2;  // lParam: a global atom naming one parameter
constexpr UINT WM_SI_START = WM_USER + 3;  // the start request is complete

extern const char* const SingleInstanceWindowClass;

class TSingleInstanceManager : public ui::Component {
 public:
  explicit TSingleInstanceManager(ui::Component* Owner);
  ~TSingleInstanceManager() override;

  // The parameters of the latest start request, in order.
  std::vector<std::string> Params;
  // Raised, with this manager as sender, when a start request is complete.
  ui::NotifyEvent OnStartRequest;

  const std::string& ProgramID() const { return FProgramID; }
  // Also becomes the hidden window's title, from which moment later starts find it.
  void SetProgramID(const std::string& Value);

  HWND Handle() const { return FHandle; }

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void WndMethod(UINT msg, WPARAM wParam, LPARAM lParam);
  void AddParam(ATOM atom);

  std::string FProgramID;
  HWND FHandle = nullptr;
};

// Tells the running instance with this identifier, if any, that the program was started
// again and with which parameters. True when one was found; then this start should end.
bool NotifyRunningInstance(const std::string& ProgramID);
