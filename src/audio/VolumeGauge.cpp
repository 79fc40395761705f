#include "audio/VolumeGauge.h"

namespace {

void Polyline(HDC dc, std::initializer_list<POINT> points, ui::TColor color) {
  HPEN pen = CreatePen(PS_SOLID, 1, ui::ColorToRGB(color));
  HGDIOBJ old = SelectObject(dc, pen);
  ::Polyline(dc, points.begin(), static_cast<int>(points.size()));
  SelectObject(dc, old);
  DeleteObject(pen);
}

void Line(HDC dc, int x, int y1, int y2, ui::TColor color) {
  Polyline(dc, {{x, y1}, {x, y2}}, color);
}

void CopyImage(HDC dc, ui::Image* image, const RECT& r) {
  if (!image || !image->Bitmap()) return;
  ui::MemoryDC mem(dc);
  ui::SelectedObject selected(mem, image->Bitmap());
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem, r.left, r.top, SRCCOPY);
}

}  // namespace

TVolumeGauge::TVolumeGauge(ui::Component* owner, ui::WinControl* parent)
    : ui::Control(owner, parent) {
  SetColor(ui::clBlack);
  SetBounds(0, 0, 200, 12);
}

void TVolumeGauge::SetImage(ui::Image* image) {
  image_ = image;
  Invalidate();
}

void TVolumeGauge::SetMaxLevel(std::int32_t v) {
  level_.MaxLevel = v;
  Invalidate();
}

void TVolumeGauge::SetLevel(std::int32_t l) {
  if (!level_.SetLevel(l)) return;
  if (HDC dc = GetCanvas()) {
    DrawGauge(dc);
    ReleaseCanvas(dc);
  }
}

void TVolumeGauge::SetMarkColor(ui::TColor c) {
  markColor_ = c;
  Invalidate();
}

void TVolumeGauge::SetPeakColor(ui::TColor c) {
  peakColor_ = c;
  Invalidate();
}

void TVolumeGauge::SetPeakMeter(bool v) {
  level_.PeakMeter = v;
  Invalidate();
}

void TVolumeGauge::SetPeakFreq(std::int32_t v) {
  level_.PeakFreq = v;
}

HDC TVolumeGauge::GetCanvas() {
  if (!Parent() || !Parent()->Handle() || !Showing()) return nullptr;
  HDC dc = GetDC(Parent()->Handle());
  IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
  SetViewportOrgEx(dc, Left(), Top(), nullptr);
  return dc;
}

void TVolumeGauge::ReleaseCanvas(HDC dc) {
  ReleaseDC(Parent()->Handle(), dc);
}

void TVolumeGauge::Paint(HDC dc) {
  RECT r{0, 0, Width(), Height()};
  if (image_ && image_->Bitmap()) {
    CopyImage(dc, image_, r);
  } else {
    HBRUSH b = CreateSolidBrush(ui::ColorToRGB(Color()));
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  DrawGauge(dc);
}

void TVolumeGauge::DrawMarker(HDC dc, std::int32_t x, ui::TColor color) {
  if (!level_.PeakMeter || !GaugeMarkerShown(x)) return;
  int ih = Height() - 2;
  Polyline(dc, {{x, 2}, {x + 3, 2}, {x + 3, ih - 1}, {x, ih - 1}, {x, 2}}, color);
}

void TVolumeGauge::DrawGauge(HDC dc) {
  const int w = Width(), h = Height(), ih = h - 2;
  DrawMarker(dc, peakX_, Color());
  for (int x : {0, w - 6})
    Polyline(dc, {{x, 0}, {x + 3, 0}, {x + 3, h - 1}, {x, h - 1}, {x, 0}}, markColor_);
  const std::int32_t n = GaugeBarCount(w);
  const std::int32_t lit = GaugeLitBars(level_.Level, level_.MaxLevel, n);
  for (int k = 1; k <= lit; ++k) Line(dc, 3 + 3 * k, 2, h - 1, markColor_);
  if (image_) CopyImage(dc, image_, RECT{3 * lit + 4, 0, w - 6, h - 2});
  for (int k = lit + 1; k <= n + 1; ++k) {
    int x = 3 + 3 * k;
    // Erases the whole bar, its top pixel (row 2) included.
    if (!image_) Line(dc, x, ih, 1, Color());
    Line(dc, x, h - 2, h, markColor_);
  }
  peakX_ = GaugePeakX(level_.PeakLevel, level_.MaxLevel, n);
  DrawMarker(dc, peakX_, peakColor_);
}

void TVolumeGauge::Describe(ui::Description& d) const {
  ui::Control::Describe(d);
  d.emplace_back("level", std::to_string(level_.Level));
  d.emplace_back("maxlevel", std::to_string(level_.MaxLevel));
}
