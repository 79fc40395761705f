// Colours and fonts of the window layer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace ui {

// A colour value in the class library's form: 0x00BBGGRR (red in the low byte), or a
// system colour, 0x80000000 plus the COLOR_... index.
using TColor = std::int32_t;

constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0x80000000u | unsigned(index));
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);

// The RGB value that GDI draws for a colour value (system colours looked up now).
COLORREF ColorToRGB(TColor color);

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font by face name and height (negative: character height in pixels, as in LOGFONT).
struct FontInfo {
  std::string Name = "MS Sans Serif";
  int Height = -11;
  TColor Color = clWindowText;
  unsigned Style = 0;
  bool operator==(const FontInfo&) const = default;
};

// Owns the GDI font of a FontInfo, made on first use and remade when the font changes.
class FontHandle {
 public:
  FontHandle() = default;
  FontHandle(const FontHandle&) = delete;
  FontHandle& operator=(const FontHandle&) = delete;
  ~FontHandle();
  HFONT Get(const FontInfo& info);

 private:
  HFONT font_ = nullptr;
  FontInfo made_;
};

// Selects a GDI object into a device context and puts the previous one back at the end of
// the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A memory device context compatible with another. Given a size, it draws into a compatible
// bitmap of its own (at least 1 x 1), freed with it.
class MemoryDC {
 public:
  explicit MemoryDC(HDC like);
  MemoryDC(HDC like, int width, int height);
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC();
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace ui
