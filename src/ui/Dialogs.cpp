#include "ui/Dialogs.h"

#include <commdlg.h>

#include <vector>

namespace ui {

bool SaveDialog::Execute(HWND owner) {
  std::string filter = Filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');
  // The dialog appends the extension as given: a mask such as "*.wav" must lose its "*.".
  std::string ext = DefaultExt;
  if (ext.rfind("*.", 0) == 0) ext.erase(0, 2);
  std::vector<char> name(MAX_PATH * 4, '\0');
  FileName.copy(name.data(), name.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!GetSaveFileNameA(&ofn)) return false;
  FileName = name.data();
  return true;
}

}  // namespace ui
