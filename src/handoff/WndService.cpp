#include "handoff/WndService.h"

TNonAppForm::TNonAppForm(ui::Component* Owner) : TNonAppForm(Owner, NoOwnerWindow()) {}

// The layer creates the window in Form's constructor; the owner is set on it right after,
// before anything else sees the window.
TNonAppForm::TNonAppForm(ui::Component* Owner, HWND OwnerWindow)
    : ui::Form(Owner), FOwnerWindow(OwnerWindow) {
  if (FOwnerWindow != NoOwnerWindow()) SetOwnerWindow(FOwnerWindow);
}
