#include "ui/Buttons.h"

#include <algorithm>

#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace ui {

namespace {

Form* FormOf(Control* c) {
  while (c->Parent()) c = c->Parent();
  return dynamic_cast<Form*>(c);
}

}  // namespace

// ---- Button ----

Button::Button(Component* owner, WinControl* parent) : WinControl(owner, parent) {
  SetBounds(0, 0, 75, 25);
  CreateHandle("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, parent->Handle());
}

void Button::SetDefault(bool v) {
  default_ = v;
  SendMessageA(Handle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::Click() {
  if (ModalResult != 0)
    if (Form* form = FormOf(this)) form->ModalResult = ModalResult;
  Control::Click();
}

bool Button::Command(WORD code, WORD) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

// ---- CheckBox ----

CheckBox::CheckBox(Component* owner, WinControl* parent) : WinControl(owner, parent) {
  SetBounds(0, 0, 97, 17);
  CreateHandle("BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, parent->Handle());
}

bool CheckBox::Checked() const {
  return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool v) {
  if (Checked() == v) return;
  SendMessageA(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

bool CheckBox::Command(WORD code, WORD) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

// ---- RadioButton ----

RadioButton::RadioButton(Component* owner, WinControl* parent) : WinControl(owner, parent) {
  SetBounds(0, 0, 113, 17);
  CreateHandle("BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0, parent->Handle());
}

bool RadioButton::Checked() const {
  return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioButton::SetChecked(bool v) {
  if (Checked() == v) return;
  SendMessageA(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!v) return;
  for (Control* c : Parent()->Controls())
    if (auto* other = dynamic_cast<RadioButton*>(c); other && other != this)
      SendMessageA(other->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
  Click();
}

bool RadioButton::Command(WORD code, WORD) {
  if (code != BN_CLICKED) return false;
  SetChecked(true);
  return true;
}

// ---- GroupBox ----

GroupBox::GroupBox(Component* owner, WinControl* parent) : WinControl(owner, parent) {
  SetBounds(0, 0, 185, 105);
  CreateHandle("BUTTON", BS_GROUPBOX, 0, parent->Handle());
}

// ---- SpeedButton ----

SpeedButton::SpeedButton(Component* owner, WinControl* parent) : Control(owner, parent) {
  SetBounds(0, 0, 23, 22);
}

SpeedButton::~SpeedButton() {
  if (glyph_) DeleteObject(glyph_);
}

bool SpeedButton::LoadGlyph(const char* resource) {
  auto bmp = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), resource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bmp) return false;
  SetGlyph(bmp);
  return true;
}

void SpeedButton::SetGlyph(HBITMAP glyph) {
  if (glyph_ && glyph_ != glyph) DeleteObject(glyph_);
  glyph_ = glyph;
  Invalidate();
}

void SpeedButton::SetFlat(bool v) {
  flat_ = v;
  Invalidate();
}

void SpeedButton::SetLayout(ButtonLayout l) {
  layout_ = l;
  Invalidate();
}

void SpeedButton::SetMargin(int m) {
  margin_ = m;
  Invalidate();
}

void SpeedButton::SetSpacing(int s) {
  spacing_ = s;
  Invalidate();
}

void SpeedButton::SetDown(bool v) {
  if (GroupIndex == 0) v = false;
  if (down_ == v) return;
  if (down_ && !v && !AllowAllUp) {
    // One of a group that must keep a button down stays down until another goes down.
    bool otherDown = false;
    for (Control* c : Parent()->Controls())
      if (auto* b = dynamic_cast<SpeedButton*>(c); b && b != this && b->GroupIndex == GroupIndex)
        otherDown = otherDown || b->down_;
    if (!otherDown) return;
  }
  down_ = v;
  if (down_)
    for (Control* c : Parent()->Controls())
      if (auto* b = dynamic_cast<SpeedButton*>(c); b && b != this && b->GroupIndex == GroupIndex) {
        b->down_ = false;
        b->Invalidate();
      }
  Invalidate();
}

void SpeedButton::Click() {
  if (!Enabled()) return;
  if (GroupIndex != 0) {
    if (!down_) {
      SetDown(true);
    } else if (AllowAllUp) {
      down_ = false;
      Invalidate();
    }
  }
  Control::Click();
}

void SpeedButton::MouseDown(int x, int y) {
  if (!Enabled()) return;
  pressed_ = true;
  Invalidate();
  Control::MouseDown(x, y);
}

void SpeedButton::MouseUp(int, int) {
  pressed_ = false;
  Invalidate();
}

void SpeedButton::MouseMove(int x, int y) {
  bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (inside != hot_) {
    hot_ = inside;
    Invalidate();
  }
  Control::MouseMove(x, y);
}

void SpeedButton::MouseLeave() {
  hot_ = false;
  Invalidate();
}

void SpeedButton::DrawGlyph(HDC dc, int x, int y) {
  BITMAP bm{};
  GetObjectA(glyph_, sizeof bm, &bm);
  MemoryDC mem(dc);
  SelectedObject selected(mem, glyph_);
  COLORREF key = GetPixel(mem, 0, bm.bmHeight - 1);
  if (Enabled()) {
    TransparentBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, bm.bmWidth, bm.bmHeight, key);
  } else {
    // The engraved look: every drawn pixel white one pixel down right, then shadow grey.
    for (int j = 0; j < bm.bmHeight; ++j)
      for (int i = 0; i < bm.bmWidth; ++i)
        if (GetPixel(mem, i, j) != key)
          SetPixel(dc, x + i + 1, y + j + 1, ColorToRGB(clBtnHighlight));
    for (int j = 0; j < bm.bmHeight; ++j)
      for (int i = 0; i < bm.bmWidth; ++i)
        if (GetPixel(mem, i, j) != key) SetPixel(dc, x + i, y + j, ColorToRGB(clBtnShadow));
  }
}

void SpeedButton::Paint(HDC dc) {
  RECT r{0, 0, Width(), Height()};
  bool sunken = down_ || (pressed_ && hot_);
  if (!flat_) {
    HBRUSH b = CreateSolidBrush(ColorToRGB(clBtnFace));
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  if (!flat_ || sunken || (hot_ && Enabled())) {
    RECT frame = r;
    DrawFrame3D(dc, frame, sunken ? clBtnShadow : clBtnHighlight,
                sunken ? clBtnHighlight : clBtnShadow);
  }
  // Glyph and caption as one block, placed by layout and margin.
  SIZE glyph{0, 0};
  if (glyph_) {
    BITMAP bm{};
    GetObjectA(glyph_, sizeof bm, &bm);
    glyph = {bm.bmWidth, bm.bmHeight};
  }
  HGDIOBJ old = SelectObject(dc, FontHandle());
  RECT text{0, 0, 0, 0};
  if (!Caption().empty()) DrawTextA(dc, Caption().c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
  int tw = text.right, th = text.bottom;
  bool vertical = layout_ == ButtonLayout::GlyphTop || layout_ == ButtonLayout::GlyphBottom;
  int gap = (glyph_ && tw > 0) ? spacing_ : 0;
  int blockW = vertical ? std::max<int>(glyph.cx, tw) : glyph.cx + gap + tw;
  int blockH = vertical ? glyph.cy + gap + th : std::max<int>(glyph.cy, th);
  int start = margin_ >= 0 ? margin_ : ((vertical ? Height() - blockH : Width() - blockW) / 2);
  int shift = sunken ? 1 : 0;
  int gx, gy, tx, ty;
  if (vertical) {
    gx = (Width() - glyph.cx) / 2;
    tx = (Width() - tw) / 2;
    bool top = layout_ == ButtonLayout::GlyphTop;
    gy = top ? start : start + th + gap;
    ty = top ? start + glyph.cy + gap : start;
  } else {
    gy = (Height() - glyph.cy) / 2;
    ty = (Height() - th) / 2;
    bool left = layout_ == ButtonLayout::GlyphLeft;
    gx = left ? start : start + tw + gap;
    tx = left ? start + glyph.cx + gap : start;
  }
  if (glyph_) DrawGlyph(dc, gx + shift, gy + shift);
  if (tw > 0) {
    SetBkMode(dc, TRANSPARENT);
    RECT tr{tx + shift, ty + shift, tx + shift + tw, ty + shift + th};
    if (!Enabled()) {
      RECT lit = tr;
      OffsetRect(&lit, 1, 1);
      SetTextColor(dc, ColorToRGB(clBtnHighlight));
      DrawTextA(dc, Caption().c_str(), -1, &lit, DT_SINGLELINE);
      SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
      SetTextColor(dc, ColorToRGB(Font().Color));
    }
    DrawTextA(dc, Caption().c_str(), -1, &tr, DT_SINGLELINE);
  }
  SelectObject(dc, old);
}

}  // namespace ui
