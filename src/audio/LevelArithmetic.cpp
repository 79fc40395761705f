#include "audio/LevelArithmetic.h"

#include <cmath>
#include <cstdlib>

std::int32_t RoundHalfEven(double v) {
  return static_cast<std::int32_t>(std::nearbyint(v));
}

bool TGaugeLevel::SetLevel(std::int32_t l) {
  if (l == Level || l > MaxLevel || l < 0) return false;
  Level = l;
  if (PeakMeter) {
    ++PeakCount;
    if (PeakLevel < l || PeakCount > PeakFreq) {
      PeakCount = 0;
      PeakLevel = l;
    }
  }
  return true;
}

std::int32_t GaugeBarCount(std::int32_t width) {
  return (width - 6) / 3 - 2;
}

std::int32_t GaugeLitBars(std::int32_t level, std::int32_t maxLevel, std::int32_t n) {
  if (level == maxLevel) return n + 1;
  if (maxLevel == 0) return 0;
  return static_cast<std::int32_t>(std::int64_t{level} * n / maxLevel);
}

std::int32_t GaugePeakX(std::int32_t peakLevel, std::int32_t maxLevel, std::int32_t n) {
  if (maxLevel == 0) return 3;
  return static_cast<std::int32_t>(3 * (std::int64_t{peakLevel} * n / maxLevel + 1));
}

TSliderScale SliderScale(std::int32_t extent, std::int32_t holderExtent, std::int32_t min,
                         std::int32_t max) {
  TSliderScale s;
  s.TrackLength = extent - holderExtent;
  s.MaxAfter = min == max ? min + 100 : max;
  s.Scale = static_cast<float>(s.TrackLength) / static_cast<float>(s.MaxAfter - min);
  return s;
}

std::int32_t SliderHolderOffset(std::int32_t position, float scale) {
  return RoundHalfEven(static_cast<double>(position) * scale);
}

std::int32_t SliderPositionAt(std::int32_t coordinate, float scale, std::int32_t min,
                              std::int32_t max) {
  // A slider without travel (scale 0) stays at its ends.
  double v = scale != 0 ? coordinate / static_cast<double>(scale) : (coordinate > 0 ? max : min);
  if (v >= max) return max;
  if (v <= min) return min;
  return RoundHalfEven(v);
}

std::int32_t VolumePercent(std::int32_t level) {
  return level > 0 ? static_cast<std::int32_t>(std::int64_t{level} * 100 / 65535) : level;
}

std::int32_t VolumeOfPercent(std::int32_t percent) {
  return static_cast<std::int32_t>(std::int64_t{percent} * 65535 / 100);
}

std::int32_t IndicatorRows(std::int32_t level) {
  return static_cast<std::int32_t>(15 - std::int64_t{level} * 15 / 65535);
}

std::int32_t SliderPositionOfLevel(std::int32_t level, std::int32_t sliderMax) {
  return static_cast<std::int32_t>(sliderMax - std::int64_t{level} * sliderMax / 65535);
}

std::int32_t FaderValueOfPosition(std::int32_t position, std::int32_t sliderMax) {
  if (sliderMax == 0) return 0;
  return static_cast<std::int32_t>((std::int64_t{sliderMax} - position) * 65535 / sliderMax);
}

std::int32_t LevelBarTop(std::int32_t sliderHeight, std::int32_t position) {
  return RoundHalfEven(sliderHeight / 100.0 * position);
}
