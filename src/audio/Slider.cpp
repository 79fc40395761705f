#include "audio/Slider.h"

#include <windowsx.h>

namespace {

SIZE BitmapSize(const ui::Image* image) {
  BITMAP bm{};
  if (image && image->Bitmap()) GetObjectA(image->Bitmap(), sizeof bm, &bm);
  return {bm.bmWidth, bm.bmHeight};
}

bool HasBitmap(const ui::Image* image) {
  return image && image->Bitmap();
}

}  // namespace

TSlider::TSlider(ui::Component* owner, ui::WinControl* parent) : ui::WinControl(owner, parent) {
  SetBounds(0, 0, 150, 25);
  SetColor(ui::clBtnFace);
  CreateHandle(nullptr, 0, 0, parent ? parent->Handle() : nullptr);
  UpdateScale();
}

SIZE TSlider::HolderSize() const {
  return BitmapSize(holderImage_);
}

void TSlider::UpdateScale() {
  bool vertical = style_ == TSliderStyle::ssVertical;
  int holder = 0;
  if (HasBitmap(holderImage_)) holder = vertical ? HolderSize().cy : HolderSize().cx;
  TSliderScale s = SliderScale(vertical ? Height() : Width(), holder, min_, max_);
  trackLength_ = s.TrackLength;
  max_ = s.MaxAfter;
  scale_ = s.Scale;
  UpdateHolderRect();
}

void TSlider::UpdateHolderRect() {
  if (!HasBitmap(holderImage_)) return;
  int p = SliderHolderOffset(position_, scale_);
  int h = HolderSize().cy;
  if (style_ == TSliderStyle::ssVertical)
    holderRect_ = {0, p, frameWidth_, p + h};
  else
    holderRect_ = {p, 0, p + frameWidth_, h};
}

void TSlider::UpdateFrameWidth() {
  frameWidth_ = HasBitmap(holderImage_) ? HolderSize().cx / numImages_ : 0;
}

void TSlider::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  DrawSlider();
}

void TSlider::SetTranspColor(ui::TColor c) {
  if (transpColor_ == c) return;
  transpColor_ = c;
  DrawSlider();
}

void TSlider::SetMin(std::int32_t v) {
  min_ = v;
  UpdateScale();
  DrawSlider();
}

void TSlider::SetMax(std::int32_t v) {
  max_ = v;
  UpdateScale();
  DrawSlider();
}

void TSlider::SetNumImages(std::int32_t v) {
  numImages_ = v <= 0 ? 1 : v;
  UpdateFrameWidth();
  UpdateHolderRect();
  DrawSlider();
}

void TSlider::SetImageIndex(std::int32_t v) {
  imageIndex_ = v;
  DrawSlider();
}

void TSlider::SetDisabledIndex(std::int32_t v) {
  disabledIndex_ = v;
  if (!Enabled()) SetImageIndex(v);
}

void TSlider::SetPosition(std::int32_t v) {
  position_ = v;
  UpdateHolderRect();
  DrawSlider();
}

void TSlider::SetHolderImage(ui::Image* image) {
  holderImage_ = image;
  UpdateFrameWidth();
  UpdateScale();
  DrawSlider();
}

void TSlider::SetBkgImage(ui::Image* image) {
  bkgImage_ = image;
  if (HasBitmap(image)) {
    SIZE s = BitmapSize(image);
    SetBounds(Left(), Top(), s.cx, s.cy);
  }
  UpdateScale();
  DrawSlider();
}

void TSlider::SetStyle(TSliderStyle s) {
  style_ = s;
  UpdateScale();
  DrawSlider();
}

void TSlider::EnabledChanged() {
  ui::WinControl::EnabledChanged();
  SetImageIndex(Enabled() ? 0 : disabledIndex_);
}

void TSlider::DrawTo(HDC dc) {
  const int w = Width(), h = Height();
  ui::MemoryDC mem(dc, w, h);
  ui::MemoryDC src(dc);
  if (HasBitmap(bkgImage_)) {
    SIZE s = BitmapSize(bkgImage_);
    ui::SelectedObject selected(src, bkgImage_->Bitmap());
    BitBlt(mem, 0, 0, s.cx, s.cy, src, 0, 0, SRCCOPY);
  } else {
    RECT r{0, 0, w, h};
    HBRUSH b = CreateSolidBrush(ui::ColorToRGB(Color()));
    FillRect(mem, &r, b);
    DeleteObject(b);
  }
  if (HasBitmap(holderImage_)) {
    int frameX = numImages_ < 2 ? 0 : frameWidth_ * imageIndex_;
    int hh = HolderSize().cy;
    ui::SelectedObject selected(src, holderImage_->Bitmap());
    if (transparent_)
      TransparentBlt(mem, holderRect_.left, holderRect_.top, frameWidth_, hh, src, frameX, 0,
                     frameWidth_, hh, ui::ColorToRGB(transpColor_));
    else
      BitBlt(mem, holderRect_.left, holderRect_.top, frameWidth_, hh, src, frameX, 0, SRCCOPY);
  }
  BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
}

void TSlider::DrawSlider() {
  if (!Handle()) return;
  HDC dc = GetDC(Handle());
  DrawTo(dc);
  ReleaseDC(Handle(), dc);
}

void TSlider::PaintWindow(HDC dc) {
  DrawTo(dc);
}

void TSlider::MouseDownAt(int x, int y, bool left) {
  // No hint while dragging.
  savedHint_ = Hint();
  SetHint("");
  POINT p{x, y};
  if (left && Enabled() && PtInRect(&holderRect_, p)) dragging_ = true;
}

void TSlider::MouseMoveAt(int x, int y) {
  if (!dragging_) return;
  int coordinate = style_ == TSliderStyle::ssVertical ? y : x;
  std::int32_t v = SliderPositionAt(coordinate, scale_, min_, max_);
  if (v == position_) return;
  SetPosition(v);
  if (OnChange) OnChange(this);
}

void TSlider::MouseUpAt() {
  dragging_ = false;
  DrawSlider();
  SetHint(savedHint_);
}

LRESULT TSlider::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SetCapture(Handle());
      MouseDownAt(x, y, msg == WM_LBUTTONDOWN);
      return 0;
    case WM_MOUSEMOVE:
      MouseMoveAt(x, y);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (GetCapture() == Handle()) ReleaseCapture();
      MouseUpAt();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(Handle(), &p);
        if (PtInRect(&holderRect_, p)) {
          ::SetCursor(ui::CursorHandle(holderCursor_));
          return TRUE;
        }
      }
      break;
  }
  return ui::WinControl::WndProc(msg, wp, lp);
}

void TSlider::Describe(ui::Description& d) const {
  ui::WinControl::Describe(d);
  d.emplace_back("position", std::to_string(position_));
  d.emplace_back("dragging", dragging_ ? "1" : "0");
  d.emplace_back("holderleft", std::to_string(holderRect_.left));
  d.emplace_back("holdertop", std::to_string(holderRect_.top));
  d.emplace_back("holderright", std::to_string(holderRect_.right));
  d.emplace_back("holderbottom", std::to_string(holderRect_.bottom));
}
