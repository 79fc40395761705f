#include "ui/Graphics.h"

namespace ui {

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

FontHandle::~FontHandle() {
  if (font_) DeleteObject(font_);
}

HFONT FontHandle::Get(const FontSpec& spec) {
  if (font_ && made_ == spec) return font_;
  if (font_) DeleteObject(font_);
  LOGFONTA lf{};
  lf.lfHeight = spec.Height;
  lf.lfWeight = (spec.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (spec.Style & fsItalic) ? 1 : 0;
  lf.lfUnderline = (spec.Style & fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = (spec.Style & fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, spec.Name.c_str(), LF_FACESIZE);
  font_ = CreateFontIndirectA(&lf);
  made_ = spec;
  return font_;
}

}  // namespace ui
