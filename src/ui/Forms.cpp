#include "ui/Forms.h"

#include <algorithm>
#include <exception>

#include "ui/Buttons.h"
#include "ui/Menus.h"

namespace ui {

namespace {

Application* g_application = nullptr;

struct DisabledWindows {
  HWND keep;
  std::vector<HWND> list;
};

BOOL CALLBACK DisableOther(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<DisabledWindows*>(lp);
  if (hwnd != d->keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    d->list.push_back(hwnd);
    EnableWindow(hwnd, FALSE);
  }
  return TRUE;
}

}  // namespace

Application* App() {
  return g_application;
}

void HandleException() {
  std::string message = "Unknown error.";
  try {
    throw;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
  }
  if (App())
    App()->ShowException(message);
  else
    MessageBoxA(nullptr, message.c_str(), nullptr, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

// ---- Form ----

Form::Form(Component* owner) : WinControl(owner, nullptr) {
  SetVisible(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  CreateHandle(nullptr, WS_OVERLAPPEDWINDOW, 0, nullptr);
  ApplyStyle();
}

Form::~Form() {
  // The handlers belong to the derived form, which is gone by now: destroying the window
  // (deactivation, focus) must not reach them.
  OnCreate = OnShow = OnDestroy = OnActivate = OnDeactivate = nullptr;
  OnClose = nullptr;
  OnShortCut = nullptr;
  // The components go while their windows still exist.
  while (!Components().empty()) Free(Components().back());
}

void Form::BeforeDestruction() {
  if (destroyed_) return;
  destroyed_ = true;
  if (OnDestroy) OnDestroy(this);
}

void Form::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void Form::ApplyStyle() {
  if (!Handle()) return;
  int cw = ClientWidth(), ch = ClientHeight();
  DWORD style = 0, ex = 0;
  bool icons = true;
  switch (borderStyle_) {
    case BorderStyle::None:
      style = WS_POPUP;
      icons = false;
      break;
    case BorderStyle::Single:
      style = WS_CAPTION;
      break;
    case BorderStyle::Sizeable:
      style = WS_CAPTION | WS_THICKFRAME;
      break;
    case BorderStyle::Dialog:
      style = WS_CAPTION | DS_MODALFRAME;
      ex = WS_EX_DLGMODALFRAME;
      break;
    case BorderStyle::ToolWindow:
      style = WS_CAPTION;
      ex = WS_EX_TOOLWINDOW;
      break;
    case BorderStyle::SizeToolWin:
      style = WS_CAPTION | WS_THICKFRAME;
      ex = WS_EX_TOOLWINDOW;
      break;
  }
  if (icons && borderIcons_.SystemMenu) style |= WS_SYSMENU;
  bool minMax = borderStyle_ == BorderStyle::Single || borderStyle_ == BorderStyle::Sizeable;
  if (minMax && borderIcons_.Minimize) style |= WS_MINIMIZEBOX;
  if (minMax && borderIcons_.Maximize) style |= WS_MAXIMIZEBOX;
  if (formStyle_ == FormStyle::StayOnTop) ex |= WS_EX_TOPMOST;
  LONG_PTR keep = GetWindowLongPtrA(Handle(), GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
  SetWindowLongPtrA(Handle(), GWL_STYLE, static_cast<LONG_PTR>(style | WS_CLIPCHILDREN) | keep);
  SetWindowLongPtrA(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(ex));
  SetWindowPos(Handle(), formStyle_ == FormStyle::StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0,
               0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  SetClientWidth(cw);
  SetClientHeight(ch);
}

void Form::SetBorderStyle(BorderStyle s) {
  borderStyle_ = s;
  ApplyStyle();
}

void Form::SetBorderIcons(BorderIcons icons) {
  borderIcons_ = icons;
  ApplyStyle();
}

void Form::SetFormStyle(FormStyle s) {
  formStyle_ = s;
  ApplyStyle();
}

void Form::SetClientWidth(int w) {
  SetWidth(w + Width() - ClientWidth());
  // A menu bar that wraps or unwraps with the width changes the client height.
  if (menu_) SetHeight(Height());
}

void Form::SetClientHeight(int h) {
  SetHeight(h + Height() - ClientHeight());
}

void Form::SetMenu(MainMenu* menu) {
  int ch = ClientHeight();
  menu_ = menu;
  if (menu_) menu_->AttachTo(Handle());
  ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
  SetClientHeight(ch);
}

void Form::SetOwnerWindow(HWND owner) {
  SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void Form::CenterOnScreen() {
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  SetBounds(work.left + (work.right - work.left - Width()) / 2,
            work.top + (work.bottom - work.top - Height()) / 2, Width(), Height());
}

void Form::BoundsChanged() {
  if (Handle())
    SetWindowPos(Handle(), nullptr, Left(), Top(), Width(), Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::VisibleChanged() {
  if (!Handle()) return;
  if (Visible()) {
    if (OnShow) OnShow(this);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
  } else {
    ShowWindow(Handle(), SW_HIDE);
  }
}

void Form::Show() {
  if (Visible()) {
    SetForegroundWindow(Handle());
    return;
  }
  SetVisible(true);
}

void Form::Close() {
  if (modal_) {
    ModalResult = mrCancel;
    return;
  }
  CloseAction action = CloseAction::Hide;
  if (OnClose) OnClose(this, action);
  if (action == CloseAction::None) return;
  if (App() && App()->MainForm() == this) {
    App()->Terminate();
  } else if (action == CloseAction::Minimize) {
    ShowWindow(Handle(), SW_MINIMIZE);
  } else {
    Hide();
  }
}

int Form::ShowModal() {
  ModalResult = mrNone;
  DisabledWindows disabled{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&disabled));
  modal_ = true;
  Show();
  while (App() && !App()->Terminated()) {
    App()->HandleMessage();
    if (ModalResult == mrNone) continue;
    CloseAction action = CloseAction::Hide;
    if (OnClose) OnClose(this, action);
    if (action != CloseAction::None) break;
    ModalResult = mrNone;
  }
  // Enable the others before hiding, so that the system activates one of them.
  for (HWND h : disabled.list) EnableWindow(h, TRUE);
  Hide();
  modal_ = false;
  if (App() && App()->Terminated()) PostQuitMessage(0);
  return ModalResult;
}

LRESULT Form::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ACTIVATE: {
      NotifyEvent& event = LOWORD(wp) == WA_INACTIVE ? OnDeactivate : OnActivate;
      if (event) event(this);
      break;
    }
    case WM_COMMAND:
      if (lp == 0 && HIWORD(wp) == 0 && menu_ && menu_->DispatchCommand(LOWORD(wp))) return 0;
      break;
    case WM_INITMENUPOPUP:
      if (menu_) menu_->PopupOpening(reinterpret_cast<HMENU>(wp));
      return 0;
    case WM_WINDOWPOSCHANGED: {
      RECT r;
      GetWindowRect(Handle(), &r);
      bounds_ = r;
      break;
    }
    case WM_COPYDATA: {
      auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lp);
      if (cds->dwData != kInspectTag) break;
      SendInspection(reinterpret_cast<HWND>(wp),
                     std::string(static_cast<const char*>(cds->lpData), cds->cbData));
      return TRUE;
    }
  }
  return WinControl::WndProc(msg, wp, lp);
}

void Form::SendInspection(HWND to, const std::string& name) {
  Component* c = (name.empty() || name == Name) ? this : FindComponent(name);
  Description d;
  if (c) c->Describe(d);
  std::string text;
  // One line per value: line breaks inside a value are written as \r and \n.
  for (const auto& [key, value] : d) {
    text += key + "=";
    for (char ch : value) {
      if (ch == '\\')
        text += "\\\\";
      else if (ch == '\r')
        text += "\\r";
      else if (ch == '\n')
        text += "\\n";
      else
        text += ch;
    }
    text += "\n";
  }
  COPYDATASTRUCT reply{kInspectTag, static_cast<DWORD>(text.size()), text.data()};
  SendMessageA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(Handle()),
               reinterpret_cast<LPARAM>(&reply));
}

namespace {

template <class Pred>
Button* FindButton(const WinControl* parent, Pred pred) {
  for (Control* c : parent->Controls()) {
    if (auto* b = dynamic_cast<Button*>(c); b && pred(b) && b->Showing() && b->Enabled()) return b;
    if (auto* w = dynamic_cast<WinControl*>(c); w && w->Showing())
      if (Button* inner = FindButton(w, pred)) return inner;
  }
  return nullptr;
}

}  // namespace

bool Form::DialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) {
    bool enter = msg.wParam == VK_RETURN;
    // Enter on a focused button presses that button.
    if (enter && dynamic_cast<Button*>(WinControl::FromHandle(GetFocus()))) return false;
    Button* b = FindButton(this, [&](Button* b) { return enter ? b->Default() : b->Cancel; });
    if (!b) return false;
    b->Click();
    return true;
  }
  if (msg.wParam == VK_TAB) return IsDialogMessageA(Handle(), const_cast<MSG*>(&msg)) != 0;
  return false;
}

// ---- HintTools ----

HintTools::~HintTools() {
  if (tip_) DestroyWindow(tip_);
}

void HintTools::Ensure() {
  if (tip_) return;
  tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                         WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
  // A maximum width turns on line breaks in the tips.
  SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, 400);
  SetTimes(pause_, hide_);
}

void HintTools::SetTimes(int pauseMs, int hideMs) {
  pause_ = pauseMs;
  hide_ = hideMs;
  if (!tip_) return;
  SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(pause_, 0));
  SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(pause_, 0));
  SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(hide_, 0));
}

TTTOOLINFOA HintTools::ToolFor(const Control* c) const {
  TTTOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.uFlags = TTF_SUBCLASS;
  if (c->IsWindowed()) {
    HWND own = static_cast<const WinControl*>(c)->Handle();
    ti.uFlags |= TTF_IDISHWND;
    ti.hwnd = c->Parent() ? c->Parent()->Handle() : own;
    ti.uId = reinterpret_cast<UINT_PTR>(own);
  } else {
    ti.hwnd = c->Parent() ? c->Parent()->Handle() : nullptr;
    ti.uId = reinterpret_cast<UINT_PTR>(c);
    ti.rect = c->BoundsRect();
  }
  ti.lpszText = const_cast<char*>(c->Hint().c_str());
  return ti;
}

bool HintTools::HasTool(const Control* c, RECT* where) const {
  if (!tip_ || std::find(tools_.begin(), tools_.end(), c) == tools_.end()) return false;
  TTTOOLINFOA ti = ToolFor(c);
  ti.lpszText = nullptr;
  if (!SendMessageA(tip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti))) return false;
  if (where) *where = ti.rect;
  return true;
}

void HintTools::Sync(Control* c) {
  bool windowed = c->IsWindowed();
  bool hasWindow = windowed ? static_cast<WinControl*>(c)->Handle() != nullptr
                            : (c->Parent() && c->Parent()->Handle());
  bool want = c->ShowHint() && !c->Hint().empty() && c->Visible() && hasWindow;
  bool has = std::find(tools_.begin(), tools_.end(), c) != tools_.end();
  if (!want) {
    if (has) Remove(c);
    return;
  }
  Ensure();
  TTTOOLINFOA ti = ToolFor(c);
  if (!has) {
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    tools_.push_back(c);
    return;
  }
  SendMessageA(tip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void HintTools::Remove(Control* c) {
  auto it = std::find(tools_.begin(), tools_.end(), c);
  if (it == tools_.end()) return;
  TTTOOLINFOA ti = ToolFor(c);
  SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  tools_.erase(it);
}

// ---- Application ----

Application::Application() : Component(nullptr) {
  g_application = this;
}

Application::~Application() {
  // Forms first: their controls take their hint tools out of the tooltip window.
  while (!Components().empty()) Free(Components().back());
  mainForm_ = nullptr;
  if (hwnd_) DestroyWindow(hwnd_);
  if (g_application == this) g_application = nullptr;
}

void Application::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  if (hwnd_) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BdaApplication";
  RegisterClassExA(&wc);
  hwnd_ = CreateWindowExA(0, wc.lpszClassName, title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                          nullptr, wc.hInstance, nullptr);
}

void Application::SetTitle(const std::string& t) {
  title_ = t;
  if (hwnd_) SetWindowTextA(hwnd_, title_.c_str());
}

void Application::Run() {
  if (!mainForm_) return;
  mainForm_->Show();
  while (!terminated_) HandleMessage();
}

bool Application::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!IsShortCut(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void Application::ProcessMessages() {
  MSG msg;
  while (!terminated_ && ProcessMessage(msg)) {
  }
}

void Application::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) WaitMessage();
}

void Application::Terminate() {
  PostQuitMessage(0);
}

bool Application::IsShortCut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  auto* form = dynamic_cast<Form*>(WinControl::FromHandle(top));
  if (!form || !IsWindowEnabled(top)) return false;
  ShortCut key = static_cast<ShortCut>(msg.wParam & 0xFF);
  if (GetKeyState(VK_SHIFT) < 0) key |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) key |= scCtrl;
  if (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29))) key |= scAlt;
  try {
    bool handled = false;
    if (form->OnShortCut) form->OnShortCut(form, key, handled);
    if (handled) return true;
    if (form->Menu() && form->Menu()->IsShortCut(key)) return true;
    // A form without a menu of its own (a popup) passes the keys to the main form's menu.
    if (!form->Menu() && !form->IsModal() && mainForm_ && mainForm_ != form && mainForm_->Menu() &&
        mainForm_->Menu()->IsShortCut(key))
      return true;
    return form->DialogKey(msg);
  } catch (...) {
    HandleException();
    return true;
  }
}

void Application::SetHintPause(int ms) {
  hintPause_ = ms;
  hints_.SetTimes(hintPause_, hintHidePause_);
}

void Application::SetHintHidePause(int ms) {
  hintHidePause_ = ms;
  hints_.SetTimes(hintPause_, hintHidePause_);
}

void Application::SetScreenCursor(Cursor c) {
  screenCursor_ = c;
  POINT p;
  GetCursorPos(&p);
  // Let the window under the mouse set the cursor now, not at the next mouse move.
  SetCursorPos(p.x, p.y);
  if (c != Cursor::Default) ::SetCursor(CursorHandle(c));
}

bool Application::Minimized() const {
  return mainForm_ && IsIconic(mainForm_->Handle());
}

void Application::Restore() {
  if (Minimized()) ShowWindow(mainForm_->Handle(), SW_RESTORE);
}

namespace {

BOOL CALLBACK CollectTopMost(HWND hwnd, LPARAM lp) {
  auto* list = reinterpret_cast<std::vector<HWND>*>(lp);
  if (IsWindowVisible(hwnd) && (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST))
    list->push_back(hwnd);
  return TRUE;
}

}  // namespace

void Application::NormalizeTopMosts() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), CollectTopMost, reinterpret_cast<LPARAM>(&found));
  for (HWND h : found) {
    if (WinControl::FromHandle(h) == nullptr) continue;  // tooltips and the like stay
    SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    topMosts_.push_back(h);
  }
}

void Application::RestoreTopMosts() {
  for (HWND h : topMosts_)
    if (IsWindow(h))
      SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  topMosts_.clear();
}

void Application::ShowException(const std::string& message) {
  MessageBoxA(GetActiveWindow(), message.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace ui
