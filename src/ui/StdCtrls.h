// The simple controls: labels, images, bevels and paint boxes (windowless, painted by
// their parent) and panels (windowed, holding other controls).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/Controls.h"

namespace ui {

class Label : public Control {
 public:
  Label(Component* owner, WinControl* parent);
  void SetAutoSize(bool v);
  bool AutoSize() const { return autoSize_; }
  void SetWordWrap(bool v);
  void SetAlignment(Alignment a);
  // Transparent: the parent's background shows through; otherwise the label's colour fills it.
  void SetTransparent(bool v);
  bool Transparent() const { return transparent_; }
  // "&" marks the next character (shown underlined) unless this is off.
  void SetShowAccelChar(bool v);
  void Paint(HDC dc) override;

 protected:
  void TextChanged() override { AdjustBounds(); }
  void FontChanged() override { AdjustBounds(); }
  void BoundsChanged() override;

 private:
  UINT TextFlags() const;
  void AdjustBounds();
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  bool adjusting_ = false;
  Alignment alignment_ = Alignment::Left;
};

// A bitmap picture, owned by the image.
class Image : public Control {
 public:
  Image(Component* owner, WinControl* parent);
  ~Image() override;
  // Loads the picture from a bitmap resource of the program.
  bool LoadFromResource(const char* name);
  void SetBitmap(HBITMAP bitmap);
  HBITMAP Bitmap() const { return bitmap_; }
  void SetAutoSize(bool v);
  void SetCenter(bool v);
  void SetStretch(bool v);
  // Transparent: the colour of the picture's bottom left pixel is not drawn.
  void SetTransparent(bool v);
  void Paint(HDC dc) override;

 private:
  void AdjustBounds();
  HBITMAP bitmap_ = nullptr;
  bool autoSize_ = false;
  bool center_ = false;
  bool stretch_ = false;
  bool transparent_ = false;
};

enum class BevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
enum class BevelStyle { Lowered, Raised };

class Bevel : public Control {
 public:
  Bevel(Component* owner, WinControl* parent);
  void SetShape(BevelShape s);
  void SetStyle(BevelStyle s);
  void Paint(HDC dc) override;

 private:
  BevelShape shape_ = BevelShape::Box;
  BevelStyle style_ = BevelStyle::Lowered;
};

// A control that its owner paints: OnPaint gets the device context with the origin at the
// box's top left corner and the box's client rectangle.
class PaintBox : public Control {
 public:
  PaintBox(Component* owner, WinControl* parent);
  void Paint(HDC dc) override;
  std::function<void(Component* sender, HDC dc, const RECT& r)> OnPaint;
};

enum class PanelBevel { None, Lowered, Raised };

class Panel : public WinControl {
 public:
  Panel(Component* owner, WinControl* parent);
  void SetBevelOuter(PanelBevel b);
  void SetBevelInner(PanelBevel b);
  void SetAlignment(Alignment a);

 protected:
  void PaintWindow(HDC dc) override;

 private:
  PanelBevel outer_ = PanelBevel::Raised;
  PanelBevel inner_ = PanelBevel::None;
  Alignment alignment_ = Alignment::Center;
};

// Draws a one-pixel 3D frame inside r and shrinks r by it.
void DrawFrame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight);

}  // namespace ui
