// A notebook of pages (one shown at a time) and timers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class NotebookPage : public WinControl {
 public:
  NotebookPage(Component* owner, WinControl* notebook, const std::string& caption);
};

class Notebook : public WinControl {
 public:
  Notebook(Component* owner, WinControl* parent);
  NotebookPage* AddPage(const std::string& caption);
  const std::vector<NotebookPage*>& Pages() const { return pages_; }
  int PageIndex() const { return pageIndex_; }
  void SetPageIndex(int index);
  NotebookPage* ActivePage() const;
  NotifyEvent OnPageChanged;

 private:
  std::vector<NotebookPage*> pages_;
  int pageIndex_ = -1;
};

// Runs OnTimer every Interval milliseconds while enabled, on the user-interface thread.
class Timer : public Component {
 public:
  explicit Timer(Component* owner);
  ~Timer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  NotifyEvent OnTimer;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Update();
  HWND window_ = nullptr;
  bool enabled_ = true;
  unsigned interval_ = 1000;
};

}  // namespace ui
