#include "ui/Controls.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/Forms.h"

namespace ui {

namespace {

const char kObjectProp[] = "BdaControl";
const char kWindowClass[] = "BdaWindow";

void RegisterWindowClass(WNDPROC proc) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(GetModuleHandleA(nullptr), kWindowClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  // The program's icon, when it has one, for every form's caption and task button.
  wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
  wc.lpszClassName = kWindowClass;
  RegisterClassExA(&wc);
}

}  // namespace

// ---- Component ----

Component::Component(Component* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

Component::~Component() {
  while (!components_.empty()) Free(components_.back());
  if (owner_) std::erase(owner_->components_, this);
}

Component* Component::FindComponent(const std::string& name) const {
  for (Component* c : components_) {
    if (c->Name == name) return c;
    if (Component* inner = c->FindComponent(name)) return inner;
  }
  return nullptr;
}

void Component::Describe(Description& d) const {
  d.emplace_back("name", Name);
  d.emplace_back("tag", std::to_string(Tag));
}

void Free(Component* c) {
  if (!c) return;
  c->BeforeDestruction();
  delete c;
}

HCURSOR CursorHandle(Cursor c) {
  LPCSTR id = reinterpret_cast<LPCSTR>(IDC_ARROW);
  if (c == Cursor::HandPoint) id = reinterpret_cast<LPCSTR>(IDC_HAND);
  if (c == Cursor::HourGlass) id = reinterpret_cast<LPCSTR>(IDC_WAIT);
  if (c == Cursor::IBeam) id = reinterpret_cast<LPCSTR>(IDC_IBEAM);
  if (c == Cursor::Help) id = reinterpret_cast<LPCSTR>(IDC_HELP);
  return LoadCursorA(nullptr, id);
}

// ---- Control ----

Control::Control(Component* owner, WinControl* parent) : Component(owner), parent_(parent) {
  if (parent_) parent_->controls_.push_back(this);
}

Control::~Control() {
  if (App()) App()->Hints().Remove(this);
  if (parent_) {
    Invalidate();
    std::erase(parent_->controls_, this);
    if (parent_->captured_ == this) parent_->captured_ = nullptr;
    if (parent_->mouseOver_ == this) parent_->mouseOver_ = nullptr;
  }
}

void Control::SetBounds(int left, int top, int width, int height) {
  RECT r{left, top, left + width, top + height};
  if (EqualRect(&r, &bounds_)) return;
  Invalidate();
  bounds_ = r;
  BoundsChanged();
  Invalidate();
  UpdateHintTool();
  NotifyParentRealign();
}

void Control::PlaceAligned(const RECT& r) {
  if (EqualRect(&r, &bounds_)) return;
  Invalidate();
  bounds_ = r;
  BoundsChanged();
  Invalidate();
  UpdateHintTool();
}

void Control::NotifyParentRealign() {
  if (parent_ && align_ != Align::None) parent_->Realign(this);
}

void Control::SetAlign(Align a) {
  align_ = a;
  if (parent_) parent_->Realign(this);
}

void Control::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  if (!IsWindowed()) Invalidate();
  VisibleChanged();
  if (!v && parent_ && parent_->mouseOver_ == this) parent_->mouseOver_ = nullptr;
  UpdateHintTool();
  NotifyParentRealign();
}

bool Control::Showing() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void Control::SetEnabled(bool e) {
  if (enabled_ == e) return;
  enabled_ = e;
  EnabledChanged();
  Invalidate();
}

void Control::SetCaption(const std::string& text) {
  if (caption_ == text) return;
  caption_ = text;
  TextChanged();
  Invalidate();
}

void Control::SetHint(const std::string& text) {
  if (hint_ == text) return;
  hint_ = text;
  UpdateHintTool();
}

bool Control::ShowHint() const {
  return (parentShowHint_ && parent_) ? parent_->ShowHint() : showHint_;
}

void Control::SetShowHint(bool v) {
  showHint_ = v;
  parentShowHint_ = false;
  UpdateHintTools();
}

void Control::SetParentShowHint(bool v) {
  parentShowHint_ = v;
  UpdateHintTools();
}

void Control::UpdateHintTools() {
  UpdateHintTool();
  if (!IsWindowed()) return;
  for (Control* c : static_cast<WinControl*>(this)->controls_)
    if (c->parentShowHint_) c->UpdateHintTools();
}

void Control::UpdateHintTool() {
  if (App()) App()->Hints().Sync(this);
}

TColor Control::Color() const {
  return (parentColor_ && parent_) ? parent_->Color() : color_;
}

void Control::SetColor(TColor c) {
  color_ = c;
  parentColor_ = false;
  ColorChanged();
  Invalidate();
}

void Control::SetParentColor(bool v) {
  parentColor_ = v;
  ColorChanged();
  Invalidate();
}

const FontInfo& Control::Font() const {
  return (parentFont_ && parent_) ? parent_->Font() : font_;
}

void Control::SetFont(const FontInfo& f) {
  font_ = f;
  parentFont_ = false;
  FontChanged();
  Invalidate();
}

HFONT Control::FontHandle() const {
  if (parentFont_ && parent_) return parent_->FontHandle();
  return fontHandle_.Get(font_);
}

POINT Control::ClientToScreen(POINT p) const {
  if (IsWindowed()) {
    ::ClientToScreen(static_cast<const WinControl*>(this)->Handle(), &p);
    return p;
  }
  p.x += Left();
  p.y += Top();
  return parent_ ? parent_->ClientToScreen(p) : p;
}

void Control::Invalidate() {
  if (IsWindowed()) {
    HWND h = static_cast<WinControl*>(this)->Handle();
    if (h) InvalidateRect(h, nullptr, TRUE);
  } else if (parent_ && parent_->Handle()) {
    InvalidateRect(parent_->Handle(), &bounds_, TRUE);
  }
}

void Control::Click() {
  if (OnClick) OnClick(this);
}

void Control::MouseDown(int x, int y) {
  if (OnMouseDown) OnMouseDown(this, x, y);
}

void Control::MouseMove(int x, int y) {
  if (OnMouseMove) OnMouseMove(this, x, y);
}

void Control::MouseUp(int x, int y) {
  if (OnMouseUp) OnMouseUp(this, x, y);
}

void Control::Describe(Description& d) const {
  Component::Describe(d);
  POINT origin = ClientToScreen({0, 0});
  if (IsWindowed() && !parent_) origin = {Left(), Top()};
  d.emplace_back("visible", Showing() ? "1" : "0");
  d.emplace_back("enabled", enabled_ ? "1" : "0");
  d.emplace_back("caption", caption_);
  d.emplace_back("hint", hint_);
  d.emplace_back("left", std::to_string(Left()));
  d.emplace_back("top", std::to_string(Top()));
  d.emplace_back("width", std::to_string(Width()));
  d.emplace_back("height", std::to_string(Height()));
  d.emplace_back("screenleft", std::to_string(origin.x));
  d.emplace_back("screentop", std::to_string(origin.y));
}

// ---- WinControl ----

WinControl::WinControl(Component* owner, WinControl* parent) : Control(owner, parent) {}

WinControl::~WinControl() {
  for (Control* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  if (hwnd_) {
    HWND h = hwnd_;
    DestroyWindow(h);
  }
  if (brush_) DeleteObject(brush_);
}

HBRUSH WinControl::BackgroundBrush() {
  COLORREF c = ColorToRGB(Color());
  if (brush_ && brushColor_ == c) return brush_;
  if (brush_) DeleteObject(brush_);
  brush_ = CreateSolidBrush(c);
  brushColor_ = c;
  return brush_;
}

WinControl* WinControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<WinControl*>(GetPropA(hwnd, kObjectProp)) : nullptr;
}

void WinControl::CreateHandle(const char* cls, DWORD style, DWORD exStyle, HWND parentWnd,
                              HMENU id) {
  if (!cls) RegisterWindowClass(StaticProc);
  if (parentWnd && !(style & WS_POPUP)) style |= WS_CHILD;
  if (Visible() && (style & WS_CHILD)) style |= WS_VISIBLE;
  HWND h =
      CreateWindowExA(exStyle, cls ? cls : kWindowClass, Caption().c_str(),
                      style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, Left(), Top(), Width(), Height(),
                      parentWnd, id, GetModuleHandleA(nullptr), cls ? nullptr : this);
  if (!h) return;
  if (cls) {
    hwnd_ = h;
    SetPropA(h, kObjectProp, this);
    nativeProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc)));
  }
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

LRESULT CALLBACK WinControl::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  WinControl* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    self = static_cast<WinControl*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      SetPropA(hwnd, kObjectProp, self);
    }
  }
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  LRESULT result = 0;
  try {
    result = self->WndProc(msg, wp, lp);
  } catch (...) {
    HandleException();
  }
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kObjectProp);
    self->hwnd_ = nullptr;
  }
  return result;
}

LRESULT WinControl::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (nativeProc_) return CallWindowProcA(nativeProc_, hwnd_, msg, wp, lp);
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

LRESULT WinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (lp) {
        WinControl* child = FromHandle(reinterpret_cast<HWND>(lp));
        if (child && child->Command(HIWORD(wp), LOWORD(wp))) return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* nm = reinterpret_cast<NMHDR*>(lp);
      WinControl* child = FromHandle(nm->hwndFrom);
      LRESULT r = 0;
      if (child && child != this && child->Notify(nm, r)) return r;
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Check boxes, radio buttons and group boxes draw on their own colour (the parent's
      // unless set), with the text colour of their font.
      WinControl* child = FromHandle(reinterpret_cast<HWND>(lp));
      if (!child) break;
      auto dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, ColorToRGB(child->Font().Color));
      SetBkColor(dc, ColorToRGB(child->Color()));
      return reinterpret_cast<LRESULT>(child->BackgroundBrush());
    }
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == hwnd_ && SetCursorMessage())
        return TRUE;
      break;
    case WM_SIZE:
      Realign();
      break;
  }
  if (nativeProc_) return DefaultProc(msg, wp, lp);
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd_, &r);
      PaintBackground(reinterpret_cast<HDC>(wp), r);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT r;
      GetClientRect(hwnd_, &r);
      // Drawn off screen first so that transparent children over the background do not flicker.
      {
        MemoryDC mem(dc, r.right, r.bottom);
        PaintBackground(mem, r);
        PaintWindow(mem);
        PaintGraphicChildren(mem, ps.rcPaint);
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, mem, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
      }
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT r;
      GetClientRect(hwnd_, &r);
      HDC dc = reinterpret_cast<HDC>(wp);
      PaintBackground(dc, r);
      PaintWindow(dc);
      PaintGraphicChildren(dc, r);
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      MouseMessage(msg, wp, lp);
      return 0;
    case WM_MOUSELEAVE:
      if (mouseOver_) mouseOver_->MouseLeave();
      mouseOver_ = nullptr;
      return 0;
  }
  return DefaultProc(msg, wp, lp);
}

void WinControl::PaintBackground(HDC dc, const RECT& r) {
  HBRUSH b = CreateSolidBrush(ColorToRGB(Color()));
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void WinControl::PaintWindow(HDC) {}

void WinControl::PaintGraphicChildren(HDC dc, const RECT& update) {
  for (Control* c : controls_) {
    if (c->IsWindowed() || !c->Visible()) continue;
    RECT both;
    if (!IntersectRect(&both, &c->bounds_, &update)) continue;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, c->Left(), c->Top(), c->bounds_.right, c->bounds_.bottom);
    POINT prev;
    OffsetViewportOrgEx(dc, c->Left(), c->Top(), &prev);
    c->Paint(dc);
    RestoreDC(dc, saved);
  }
}

Control* WinControl::ControlAt(POINT p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    Control* c = *it;
    if (c->IsWindowed() || !c->Visible() || !c->Enabled()) continue;
    if (PtInRect(&c->bounds_, p)) return c;
  }
  return nullptr;
}

void WinControl::MouseMessage(UINT msg, WPARAM, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  Control* target = captured_ ? captured_ : ControlAt(p);
  int x = target ? p.x - target->Left() : p.x;
  int y = target ? p.y - target->Top() : p.y;
  Control* receiver = target ? target : this;
  if (msg == WM_MOUSEMOVE) {
    if (target != mouseOver_) {
      if (mouseOver_) mouseOver_->MouseLeave();
      mouseOver_ = target;
      TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd_, 0};
      TrackMouseEvent(&t);
    }
    receiver->MouseMove(x, y);
  } else if (msg == WM_LBUTTONDOWN) {
    captured_ = target;
    SetCapture(hwnd_);
    receiver->MouseDown(x, y);
  } else {
    captured_ = nullptr;
    if (GetCapture() == hwnd_) ReleaseCapture();
    receiver->MouseUp(x, y);
    RECT area = target ? target->bounds_ : RECT{0, 0, ClientWidth(), ClientHeight()};
    if (PtInRect(&area, p)) receiver->Click();
  }
}

bool WinControl::SetCursorMessage() {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd_, &p);
  Control* c = ControlAt(p);
  Cursor cur = c ? c->GetCursor() : GetCursor();
  // The application's cursor, when set, stands for every control's own.
  if (App() && App()->ScreenCursor() != Cursor::Default) cur = App()->ScreenCursor();
  if (cur == Cursor::Default) return false;
  ::SetCursor(CursorHandle(cur));
  return true;
}

int WinControl::ClientWidth() const {
  RECT r{0, 0, Width(), Height()};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r.right;
}

int WinControl::ClientHeight() const {
  RECT r{0, 0, Width(), Height()};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r.bottom;
}

void WinControl::Realign(Control* moved) {
  if (aligning_ || !hwnd_) return;
  aligning_ = true;
  RECT area{0, 0, ClientWidth(), ClientHeight()};
  auto group = [&](Align a) {
    std::vector<Control*> list;
    for (Control* c : controls_)
      if (c->GetAlign() == a && c->Visible()) list.push_back(c);
    return list;
  };
  // Ties go to the control just moved, so that a control moved onto another's place
  // takes that place.
  auto byKey = [moved](std::vector<Control*> list, auto key) {
    std::stable_sort(list.begin(), list.end(), [&](Control* a, Control* b) {
      return std::pair(key(a), a != moved) < std::pair(key(b), b != moved);
    });
    return list;
  };
  for (Control* c : byKey(group(Align::Top), [](Control* c) { return c->Top(); })) {
    c->PlaceAligned({area.left, area.top, area.right, area.top + c->Height()});
    area.top += c->Height();
  }
  for (Control* c : byKey(group(Align::Bottom), [](Control* c) { return -c->bounds_.bottom; })) {
    c->PlaceAligned({area.left, area.bottom - c->Height(), area.right, area.bottom});
    area.bottom -= c->Height();
  }
  for (Control* c : byKey(group(Align::Left), [](Control* c) { return c->Left(); })) {
    c->PlaceAligned({area.left, area.top, area.left + c->Width(), area.bottom});
    area.left += c->Width();
  }
  for (Control* c : byKey(group(Align::Right), [](Control* c) { return -c->bounds_.right; })) {
    c->PlaceAligned({area.right - c->Width(), area.top, area.right, area.bottom});
    area.right -= c->Width();
  }
  for (Control* c : group(Align::Client)) c->PlaceAligned(area);
  aligning_ = false;
}

void WinControl::Repaint() {
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void WinControl::BoundsChanged() {
  if (hwnd_) {
    SetWindowPos(hwnd_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    Realign();
  }
}

void WinControl::VisibleChanged() {
  if (hwnd_) ShowWindow(hwnd_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void WinControl::EnabledChanged() {
  if (hwnd_) EnableWindow(hwnd_, Enabled());
}

void WinControl::TextChanged() {
  if (hwnd_) SetWindowTextA(hwnd_, Caption().c_str());
}

void WinControl::ColorChanged() {
  for (Control* c : controls_)
    if (c->ParentColor()) c->ColorChanged();
  Repaint();
}

void WinControl::FontChanged() {
  if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
  UpdateFontOfChildren();
}

void WinControl::UpdateFontOfChildren() {
  for (Control* c : controls_)
    if (c->parentFont_) c->FontChanged();
}

}  // namespace ui
