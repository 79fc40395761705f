#include "handoff/fFakeProgress.h"

#include "util/qsUtils.h"

namespace {

TProgressForm* CurrentForm = nullptr;

constexpr int IconSize = 32;

// The program's main icon, or the system's application icon for a program without one.
HICON DefaultIcon() {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  return icon ? icon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

// The icon assigned to a form's window, if any.
HICON WindowIcon(ui::Form* form) {
  return reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, ICON_BIG, 0));
}

}  // namespace

std::string& ProgressCaption() {
  static std::string text = "Processing In Progress";
  return text;
}

std::string& ProgressPrompt() {
  static std::string text = "Processing. Please wait... ";
  return text;
}

TProgressForm::TProgressForm(ui::Component* Owner, HWND OwnerWindow)
    : TNonAppForm(Owner, OwnerWindow) {
  CreateComponents();
  DoCreate();
}

void TProgressForm::CreateComponents() {
  Name = "ProgressForm";
  SetCaption("Processing In Progress");
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetBorderIcons({.SystemMenu = false, .Minimize = false, .Maximize = false});
  SetFormStyle(ui::FormStyle::StayOnTop);
  SetClientWidth(324);
  SetClientHeight(127);

  imgIcon = new ui::Image(this, this);
  imgIcon->Name = "imgIcon";
  imgIcon->SetBounds(32, 17, 32, 32);
  imgIcon->SetStretch(true);
  imgIcon->SetTransparent(true);
  SetIcon(DefaultIcon());

  LPrompt = new ui::Label(this, this);
  LPrompt->Name = "LPrompt";
  LPrompt->SetAutoSize(false);
  LPrompt->SetWordWrap(true);
  LPrompt->SetBounds(83, 19, 230, 65);
  LPrompt->SetCaption("Processing. Please wait... ");

  btnOK = new ui::Button(this, this);
  btnOK->Name = "btnOK";
  btnOK->SetCaption("OK");
  btnOK->SetBounds(124, 93, 75, 23);
  btnOK->SetVisible(false);

  btnCancel = new ui::Button(this, this);
  btnCancel->Name = "btnCancel";
  btnCancel->SetCaption("Cancel");
  btnCancel->SetBounds(229, 93, 75, 23);
  btnCancel->SetVisible(false);
  btnCancel->OnClick = [this](ui::Component* sender) { btnCancelClick(sender); };

  Timer = new ui::Timer(this);
  Timer->Name = "Timer";
  Timer->SetEnabled(false);
}

void TProgressForm::SetIcon(HICON Icon) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, IconSize, IconSize);
  {
    ui::MemoryDC dc(screen);
    ui::SelectedObject selected(dc, bitmap);
    // Drawn with its mask over the form's own colour, which then shows around it.
    RECT all{0, 0, IconSize, IconSize};
    HBRUSH background = CreateSolidBrush(ui::ColorToRGB(Color()));
    FillRect(dc, &all, background);
    DeleteObject(background);
    DrawIconEx(dc, 0, 0, Icon, IconSize, IconSize, 0, nullptr, DI_NORMAL);
  }
  ReleaseDC(nullptr, screen);
  imgIcon->SetBitmap(bitmap);
}

void TProgressForm::SetCancelEvent(const ui::NotifyEvent& Event) {
  OnCancel = Event;
  btnCancel->SetVisible(static_cast<bool>(OnCancel));
  // Without Cancel the row of buttons is cut off, and with it the client area is whole again.
  SetClientHeight(OnCancel ? 127 : btnOK->Top() - 1);
}

void TProgressForm::BringUp() {
  Show();
  SetForegroundWindow(Handle());
  // Painted now, before the caller's work keeps the thread from painting.
  if (ui::App()) ui::App()->ProcessMessages();
}

void TProgressForm::DelayedShow(ui::Component*) {
  Timer->SetEnabled(false);
  BringUp();
}

void TProgressForm::btnCancelClick(ui::Component*) {
  if (OnCancel) OnCancel(this);
}

void ShowProgressEx(ui::Form* OwnerForm, unsigned Delay, bool UseOwnerIcon,
                    const ui::NotifyEvent& OnCancel) {
  if (CurrentForm) {
    CenterWindow(nullptr, CurrentForm->Handle());
    CurrentForm->SetCancelEvent(OnCancel);
    CurrentForm->BringUp();
    return;
  }
  HWND ownerWindow = OwnerForm ? OwnerForm->Handle() : nullptr;
  CurrentForm = new TProgressForm(ui::App(), ownerWindow);
  CurrentForm->OwnerForm = OwnerForm;
  if (UseOwnerIcon && OwnerForm)
    if (HICON icon = WindowIcon(OwnerForm)) CurrentForm->SetIcon(icon);
  if (OwnerForm) OwnerForm->SetEnabled(false);
  CurrentForm->SetCaption(ProgressCaption());
  CurrentForm->LPrompt->SetCaption(ProgressPrompt());
  CurrentForm->SetCancelEvent(OnCancel);
  CenterWindow(ownerWindow, CurrentForm->Handle());
  if (Delay != 0) {
    CurrentForm->Timer->SetInterval(Delay);
    TProgressForm* form = CurrentForm;
    CurrentForm->Timer->OnTimer = [form](ui::Component* sender) { form->DelayedShow(sender); };
    CurrentForm->Timer->SetEnabled(true);
  } else {
    CurrentForm->BringUp();
  }
}

void ShowProgress(ui::Form* OwnerForm, bool UseOwnerIcon) {
  ShowProgressEx(OwnerForm, 0, UseOwnerIcon, nullptr);
}

bool IsProgressShown() {
  return CurrentForm != nullptr;
}

void HideProgress() {
  if (!CurrentForm) return;
  CurrentForm->Timer->SetEnabled(false);
  if (CurrentForm->OwnerForm) CurrentForm->OwnerForm->SetEnabled(true);
  if (ui::App()) ui::App()->ProcessMessages();
  TProgressForm* form = CurrentForm;
  CurrentForm = nullptr;
  ui::Free(form);
}

TProgressForm* ProgressForm() {
  return CurrentForm;
}
