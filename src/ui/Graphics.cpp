#include "ui/Graphics.h"

namespace ui {

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

FontHandle::~FontHandle() {
  if (font_) DeleteObject(font_);
}

HFONT FontHandle::Get(const FontInfo& info) {
  if (font_ && made_ == info) return font_;
  if (font_) DeleteObject(font_);
  LOGFONTA lf{};
  lf.lfHeight = info.Height;
  lf.lfWeight = (info.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (info.Style & fsItalic) ? 1 : 0;
  lf.lfUnderline = (info.Style & fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = (info.Style & fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, info.Name.c_str(), LF_FACESIZE);
  font_ = CreateFontIndirectA(&lf);
  made_ = info;
  return font_;
}

MemoryDC::MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}

MemoryDC::MemoryDC(HDC like, int width, int height) : MemoryDC(like) {
  bitmap_ = CreateCompatibleBitmap(like, width > 0 ? width : 1, height > 0 ? height : 1);
  old_ = SelectObject(dc_, bitmap_);
}

MemoryDC::~MemoryDC() {
  if (bitmap_) {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
  }
  DeleteDC(dc_);
}

}  // namespace ui
