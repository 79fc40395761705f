// A form whose window can be given an explicit owner window instead of the layer's default.
#pragma once

#include <windows.h>

#include "ui/Forms.h"

// The owner window value that means "none given".
inline HWND NoOwnerWindow() {
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));
}

class TNonAppForm : public ui::Form {
 public:
  explicit TNonAppForm(ui::Component* Owner);
  // CreateOwned: the form's window is owned by OwnerWindow; 0 makes it an unowned top-level
  // window.
  TNonAppForm(ui::Component* Owner, HWND OwnerWindow);

  HWND OwnerWindow() const { return FOwnerWindow; }

 private:
  HWND FOwnerWindow;
};
