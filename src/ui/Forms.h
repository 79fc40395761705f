// Top-level forms, the hints (tooltips) of the application and the application object.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class MainMenu;

enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
struct BorderIcons {
  bool SystemMenu = true;
  bool Minimize = true;
  bool Maximize = true;
};
enum class FormStyle { Normal, StayOnTop };
enum class CloseAction { None, Hide, Free, Minimize };

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = IDOK;
constexpr int mrCancel = IDCANCEL;
constexpr int mrYes = IDYES;
constexpr int mrNo = IDNO;
constexpr int mrAbort = IDABORT;

using CloseEvent = std::function<void(Component* sender, CloseAction& action)>;
// A key with its modifiers (a ShortCut value); set handled to keep it from the menu.
using ShortCutEvent = std::function<void(Component* sender, unsigned short key, bool& handled)>;

class Form : public WinControl {
 public:
  explicit Form(Component* owner);
  ~Form() override;

  void SetBorderStyle(BorderStyle s);
  BorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderIcons(BorderIcons icons);
  void SetFormStyle(FormStyle s);
  void SetClientWidth(int w);
  void SetClientHeight(int h);
  void SetMenu(MainMenu* menu);
  MainMenu* Menu() const { return menu_; }
  // The window that owns this one (stays below it, hides with it); null: none.
  void SetOwnerWindow(HWND owner);
  void CenterOnScreen();

  void Show();
  void Hide() { SetVisible(false); }
  // Runs OnClose; hides (or ends the application for the main form), or ends a modal run.
  void Close();
  // Shows the form with every other window of the program disabled and returns when
  // ModalResult is set (Close sets mrCancel).
  int ShowModal();
  int ModalResult = mrNone;
  bool IsModal() const { return modal_; }

  NotifyEvent OnCreate;
  NotifyEvent OnShow;
  CloseEvent OnClose;
  NotifyEvent OnDestroy;
  NotifyEvent OnActivate;
  NotifyEvent OnDeactivate;
  // Runs first for every key press in the form, before the menu's shortcut keys.
  ShortCutEvent OnShortCut;

  // Enter clicks the default button, Escape the cancel button, Tab moves the focus.
  bool DialogKey(const MSG& msg);

 protected:
  // The derived form calls this at the end of its constructor, when all its components exist.
  void DoCreate();
  void BeforeDestruction() override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void VisibleChanged() override;
  void BoundsChanged() override;

 private:
  void ApplyStyle();
  void SendInspection(HWND to, const std::string& name);

  BorderStyle borderStyle_ = BorderStyle::Sizeable;
  BorderIcons borderIcons_;
  FormStyle formStyle_ = FormStyle::Normal;
  MainMenu* menu_ = nullptr;
  bool modal_ = false;
  bool destroyed_ = false;
};

// The one tooltip window of the application, with a tool for every control whose hint
// is to be shown.
class HintTools {
 public:
  HintTools() = default;
  HintTools(const HintTools&) = delete;
  HintTools& operator=(const HintTools&) = delete;
  ~HintTools();
  void Sync(Control* c);
  void Remove(Control* c);
  void SetTimes(int pauseMs, int hideMs);
  HWND Handle() const { return tip_; }
  // Whether a tool is registered for this control (and where, in its window's coordinates).
  bool HasTool(const Control* c, RECT* where = nullptr) const;

 private:
  void Ensure();
  TTTOOLINFOA ToolFor(const Control* c) const;
  HWND tip_ = nullptr;
  int pause_ = 500;
  int hide_ = 2500;
  std::vector<const Control*> tools_;
};

class Application : public Component {
 public:
  Application();
  ~Application() override;

  void Initialize();
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& t);
  HWND Handle() const { return hwnd_; }

  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  T* CreateForm() {
    T* form = new T(this);
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  Form* MainForm() const { return mainForm_; }

  // Shows the main form and dispatches messages until the main form closes.
  void Run();
  void ProcessMessages();
  // Waits for one message and dispatches it.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  int HintPause() const { return hintPause_; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintPause(int ms);
  void SetHintHidePause(int ms);
  HintTools& Hints() { return hints_; }

  // The cursor over every window of the program (Default: each control's own).
  Cursor ScreenCursor() const { return screenCursor_; }
  void SetScreenCursor(Cursor c);
  bool Minimized() const;
  // Brings a minimized main form back.
  void Restore();
  // Takes the stay-on-top state from the program's windows (so that a message box or
  // another window can come above them) and gives it back.
  void NormalizeTopMosts();
  void RestoreTopMosts();

  // The application's default error display.
  void ShowException(const std::string& message);

 private:
  bool ProcessMessage(MSG& msg);
  bool IsShortCut(const MSG& msg);

  std::string title_;
  HWND hwnd_ = nullptr;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
  int hintPause_ = 500;
  int hintHidePause_ = 2500;
  HintTools hints_;
  Cursor screenCursor_ = Cursor::Default;
  std::vector<HWND> topMosts_;
};

// The application object of the running program (null before one exists).
Application* App();
// Shows the exception being handled through the application's error display.
void HandleException();

// The tag of WM_COPYDATA messages that ask a form to describe one of its components; the
// form answers the window in wParam with a WM_COPYDATA of the same tag and "name=value"
// lines (an empty answer when nothing has that name).
constexpr ULONG_PTR kInspectTag = 0x42444151;  // "BDAQ"

}  // namespace ui
