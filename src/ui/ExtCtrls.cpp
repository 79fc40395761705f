#include "ui/ExtCtrls.h"

#include "ui/Forms.h"

namespace ui {

NotebookPage::NotebookPage(Component* owner, WinControl* notebook, const std::string& caption)
    : WinControl(owner, notebook) {
  SetCaption(caption);
  SetVisible(false);
  SetBounds(0, 0, notebook->ClientWidth(), notebook->ClientHeight());
  CreateHandle(nullptr, 0, 0, notebook->Handle());
  SetAlign(Align::Client);
}

Notebook::Notebook(Component* owner, WinControl* parent) : WinControl(owner, parent) {
  SetBounds(0, 0, 150, 150);
  CreateHandle(nullptr, 0, 0, parent->Handle());
}

NotebookPage* Notebook::AddPage(const std::string& caption) {
  auto* page = new NotebookPage(Owner(), this, caption);
  pages_.push_back(page);
  if (pageIndex_ < 0) SetPageIndex(0);
  return page;
}

void Notebook::SetPageIndex(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size()) || index == pageIndex_) return;
  pages_[static_cast<std::size_t>(index)]->SetVisible(true);
  if (pageIndex_ >= 0) pages_[static_cast<std::size_t>(pageIndex_)]->SetVisible(false);
  pageIndex_ = index;
  if (OnPageChanged) OnPageChanged(this);
}

NotebookPage* Notebook::ActivePage() const {
  return pageIndex_ < 0 ? nullptr : pages_[static_cast<std::size_t>(pageIndex_)];
}

// ---- Timer ----

namespace {
const char kTimerClass[] = "BdaTimer";
}

Timer::Timer(Component* owner) : Component(owner) {
  WNDCLASSEXA wc{};
  if (!GetClassInfoExA(GetModuleHandleA(nullptr), kTimerClass, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kTimerClass;
    RegisterClassExA(&wc);
  }
  window_ = CreateWindowExA(0, kTimerClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Update();
}

Timer::~Timer() {
  if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK Timer::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_TIMER) return DefWindowProcA(hwnd, msg, wp, lp);
  auto* self = reinterpret_cast<Timer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  try {
    if (self && self->enabled_ && self->OnTimer) self->OnTimer(self);
  } catch (...) {
    HandleException();
  }
  return 0;
}

void Timer::Update() {
  KillTimer(window_, 1);
  if (enabled_ && interval_ > 0) SetTimer(window_, 1, interval_, nullptr);
}

void Timer::SetEnabled(bool e) {
  enabled_ = e;
  Update();
}

void Timer::SetInterval(unsigned ms) {
  interval_ = ms;
  Update();
}

}  // namespace ui
