// The common file save dialog.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Controls.h"

namespace ui {

class SaveDialog : public Component {
 public:
  explicit SaveDialog(Component* owner) : Component(owner) {}
  // Filter in the form "Name|*.ext|Other|*.*".
  std::string Filter;
  // The extension added to a name typed without one ("wav" or "*.wav").
  std::string DefaultExt;
  std::string InitialDir;
  std::string Title;
  std::string FileName;
  // Runs the dialog; true when the user chose a file (then in FileName).
  bool Execute(HWND owner);
};

}  // namespace ui
