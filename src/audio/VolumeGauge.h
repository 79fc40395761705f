// A segmented horizontal level meter with a held peak marker, drawn by its parent (no
// window of its own).
#pragma once

#include <windows.h>

#include <cstdint>

#include "audio/LevelArithmetic.h"
#include "ui/StdCtrls.h"

class TVolumeGauge : public ui::Control {
 public:
  TVolumeGauge(ui::Component* owner, ui::WinControl* parent);

  // Optional background picture; it replaces the background colour.
  ui::Image* Image() const { return image_; }
  void SetImage(ui::Image* image);
  std::int32_t MaxLevel() const { return level_.MaxLevel; }
  void SetMaxLevel(std::int32_t v);
  std::int32_t Level() const { return level_.Level; }
  // The gauge's run-time input: draws at once unless the level is ignored (equal to the
  // current one, above MaxLevel or negative).
  void SetLevel(std::int32_t l);
  ui::TColor MarkColor() const { return markColor_; }
  void SetMarkColor(ui::TColor c);
  ui::TColor PeakColor() const { return peakColor_; }
  void SetPeakColor(ui::TColor c);
  bool PeakMeter() const { return level_.PeakMeter; }
  void SetPeakMeter(bool v);
  std::int32_t PeakFreq() const { return level_.PeakFreq; }
  void SetPeakFreq(std::int32_t v);

  void Paint(HDC dc) override;
  void DrawGauge(HDC dc);
  void Describe(ui::Description& d) const override;

 protected:
  // The device context that SetLevel draws on: the parent's, moved to the gauge.
  virtual HDC GetCanvas();
  virtual void ReleaseCanvas(HDC dc);

 private:
  void DrawMarker(HDC dc, std::int32_t x, ui::TColor color);

  ui::Image* image_ = nullptr;
  TGaugeLevel level_;
  ui::TColor markColor_ = 12058381;
  ui::TColor peakColor_ = 26367;
  std::int32_t peakX_ = 0;
};
