// A small waiting window (caption, icon, prompt, optional Cancel) shown over the window
// that started a lengthy step on the user-interface thread, which it disables meanwhile.
// At most one exists at a time.
#pragma once

#include <string>

#include "handoff/WndService.h"
#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TProgressForm : public TNonAppForm {
 public:
  TProgressForm(ui::Component* Owner, HWND OwnerWindow);

  ui::Image* imgIcon;
  ui::Label* LPrompt;
  ui::Button* btnOK;
  ui::Button* btnCancel;
  ui::Timer* Timer;

  // The form disabled while this window exists; not owned, may be null.
  ui::Form* OwnerForm = nullptr;
  // Run by the Cancel button with this window as sender.
  ui::NotifyEvent OnCancel;

  void DelayedShow(ui::Component* Sender);
  void btnCancelClick(ui::Component* Sender);
  // Stores the cancel event and shows the Cancel button, with its row, exactly when it is set.
  void SetCancelEvent(const ui::NotifyEvent& Event);
  // Copies the icon into imgIcon.
  void SetIcon(HICON Icon);
  // Shows the window in front and lets it paint.
  void BringUp();

 private:
  void CreateComponents();
};

// Caption and prompt of the next window that is created; they stay as set.
std::string& ProgressCaption();
std::string& ProgressPrompt();

// Shows the window over OwnerForm (may be null), at once or after Delay milliseconds,
// with OwnerForm's icon when UseOwnerIcon is set and it has one, and a Cancel button when
// OnCancel is set. A window that exists already only takes the new cancel event and is
// shown at once.
void ShowProgressEx(ui::Form* OwnerForm, unsigned Delay, bool UseOwnerIcon,
                    const ui::NotifyEvent& OnCancel);
void ShowProgress(ui::Form* OwnerForm, bool UseOwnerIcon);
// True from the show call until HideProgress, also while the window is still to appear.
bool IsProgressShown();
// Removes the window and enables its owner form again. Call it on every way out of the work.
void HideProgress();
// The current window, or null.
TProgressForm* ProgressForm();
