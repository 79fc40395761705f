#include "ui/StdCtrls.h"

#include <algorithm>

namespace ui {

namespace {

void FillColor(HDC dc, const RECT& r, TColor color) {
  HBRUSH b = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, TColor color) {
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(color));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace

void DrawFrame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight) {
  Line(dc, r.left, r.bottom - 1, r.left, r.top, topLeft);
  Line(dc, r.left, r.top, r.right - 1, r.top, topLeft);
  Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, bottomRight);
  Line(dc, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1, bottomRight);
  InflateRect(&r, -1, -1);
}

// ---- Label ----

Label::Label(Component* owner, WinControl* parent) : Control(owner, parent) {
  AdjustBounds();
}

UINT Label::TextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  if (alignment_ == Alignment::Right) flags |= DT_RIGHT;
  if (alignment_ == Alignment::Center) flags |= DT_CENTER;
  return flags;
}

void Label::AdjustBounds() {
  if (!autoSize_ || adjusting_) return;
  // An empty caption still takes the height of one line.
  std::string text = Caption().empty() ? std::string(" ") : Caption();
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontHandle());
  RECT r{0, 0, wordWrap_ ? std::max(Width(), 1) : 0, 0};
  DrawTextA(dc, text.c_str(), -1, &r, TextFlags() | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int left = Left();
  if (alignment_ == Alignment::Right && !wordWrap_) left = Left() + Width() - r.right;
  adjusting_ = true;
  SetBounds(left, Top(), r.right, r.bottom);
  adjusting_ = false;
}

void Label::BoundsChanged() {
  if (wordWrap_) AdjustBounds();
}

void Label::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustBounds();
}

void Label::SetWordWrap(bool v) {
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

void Label::SetAlignment(Alignment a) {
  alignment_ = a;
  Invalidate();
}

void Label::SetTransparent(bool v) {
  transparent_ = v;
  Invalidate();
}

void Label::SetShowAccelChar(bool v) {
  showAccelChar_ = v;
  AdjustBounds();
  Invalidate();
}

void Label::Paint(HDC dc) {
  RECT r{0, 0, Width(), Height()};
  if (!transparent_) FillColor(dc, r, Color());
  HGDIOBJ old = SelectObject(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  if (Enabled()) {
    SetTextColor(dc, ColorToRGB(Font().Color));
    DrawTextA(dc, Caption().c_str(), -1, &r, TextFlags());
  } else {
    // The engraved look of disabled text.
    RECT shifted = r;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, Caption().c_str(), -1, &shifted, TextFlags());
    SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawTextA(dc, Caption().c_str(), -1, &r, TextFlags());
  }
  SelectObject(dc, old);
}

// ---- Image ----

Image::Image(Component* owner, WinControl* parent) : Control(owner, parent) {
  SetBounds(0, 0, 105, 105);
}

Image::~Image() {
  if (bitmap_) DeleteObject(bitmap_);
}

bool Image::LoadFromResource(const char* name) {
  auto bmp = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bmp) return false;
  SetBitmap(bmp);
  return true;
}

void Image::SetBitmap(HBITMAP bitmap) {
  if (bitmap_ && bitmap_ != bitmap) DeleteObject(bitmap_);
  bitmap_ = bitmap;
  AdjustBounds();
  Invalidate();
}

void Image::AdjustBounds() {
  if (!autoSize_ || !bitmap_) return;
  BITMAP bm{};
  GetObjectA(bitmap_, sizeof bm, &bm);
  SetBounds(Left(), Top(), bm.bmWidth, bm.bmHeight);
}

void Image::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustBounds();
}

void Image::SetCenter(bool v) {
  center_ = v;
  Invalidate();
}

void Image::SetStretch(bool v) {
  stretch_ = v;
  Invalidate();
}

void Image::SetTransparent(bool v) {
  transparent_ = v;
  Invalidate();
}

void Image::Paint(HDC dc) {
  if (!bitmap_) return;
  BITMAP bm{};
  GetObjectA(bitmap_, sizeof bm, &bm);
  RECT dst{0, 0, bm.bmWidth, bm.bmHeight};
  if (stretch_) {
    dst = {0, 0, Width(), Height()};
  } else if (center_) {
    OffsetRect(&dst, (Width() - bm.bmWidth) / 2, (Height() - bm.bmHeight) / 2);
  }
  MemoryDC mem(dc);
  SelectedObject selected(mem, bitmap_);
  int w = dst.right - dst.left, h = dst.bottom - dst.top;
  if (transparent_) {
    TransparentBlt(dc, dst.left, dst.top, w, h, mem, 0, 0, bm.bmWidth, bm.bmHeight,
                   GetPixel(mem, 0, bm.bmHeight - 1));
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, dst.left, dst.top, w, h, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  }
}

// ---- Bevel ----

Bevel::Bevel(Component* owner, WinControl* parent) : Control(owner, parent) {
  SetBounds(0, 0, 50, 50);
}

void Bevel::SetShape(BevelShape s) {
  shape_ = s;
  Invalidate();
}

void Bevel::SetStyle(BevelStyle s) {
  style_ = s;
  Invalidate();
}

void Bevel::Paint(HDC dc) {
  TColor c1 = style_ == BevelStyle::Lowered ? clBtnShadow : clBtnHighlight;
  TColor c2 = style_ == BevelStyle::Lowered ? clBtnHighlight : clBtnShadow;
  int w = Width(), h = Height();
  RECT r{0, 0, w, h};
  switch (shape_) {
    case BevelShape::Box:
      DrawFrame3D(dc, r, c1, c2);
      break;
    case BevelShape::Frame: {
      RECT inner{1, 1, w, h};
      DrawFrame3D(dc, inner, c2, c2);
      RECT outer{0, 0, w - 1, h - 1};
      DrawFrame3D(dc, outer, c1, c1);
      break;
    }
    case BevelShape::TopLine:
      Line(dc, 0, 0, w, 0, c1);
      Line(dc, 0, 1, w, 1, c2);
      break;
    case BevelShape::BottomLine:
      Line(dc, 0, h - 2, w, h - 2, c1);
      Line(dc, 0, h - 1, w, h - 1, c2);
      break;
    case BevelShape::LeftLine:
      Line(dc, 0, 0, 0, h, c1);
      Line(dc, 1, 0, 1, h, c2);
      break;
    case BevelShape::RightLine:
      Line(dc, w - 2, 0, w - 2, h, c1);
      Line(dc, w - 1, 0, w - 1, h, c2);
      break;
    case BevelShape::Spacer:
      break;
  }
}

// ---- PaintBox ----

PaintBox::PaintBox(Component* owner, WinControl* parent) : Control(owner, parent) {
  SetBounds(0, 0, 105, 105);
}

void PaintBox::Paint(HDC dc) {
  if (OnPaint) OnPaint(this, dc, RECT{0, 0, Width(), Height()});
}

// ---- Panel ----

Panel::Panel(Component* owner, WinControl* parent) : WinControl(owner, parent) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
  CreateHandle(nullptr, 0, 0, parent ? parent->Handle() : nullptr);
}

void Panel::SetBevelOuter(PanelBevel b) {
  outer_ = b;
  Invalidate();
}

void Panel::SetBevelInner(PanelBevel b) {
  inner_ = b;
  Invalidate();
}

void Panel::SetAlignment(Alignment a) {
  alignment_ = a;
  Invalidate();
}

void Panel::PaintWindow(HDC dc) {
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  for (PanelBevel b : {outer_, inner_}) {
    if (b == PanelBevel::None) continue;
    bool raised = b == PanelBevel::Raised;
    DrawFrame3D(dc, r, raised ? clBtnHighlight : clBtnShadow,
                raised ? clBtnShadow : clBtnHighlight);
  }
  if (Caption().empty()) return;
  HGDIOBJ old = SelectObject(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font().Color));
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  if (alignment_ == Alignment::Center) flags |= DT_CENTER;
  if (alignment_ == Alignment::Right) flags |= DT_RIGHT;
  DrawTextA(dc, Caption().c_str(), -1, &r, flags);
  SelectObject(dc, old);
}

}  // namespace ui
