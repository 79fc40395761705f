// The arithmetic of the level controls and of the mixer levels, free of the platform: the
// gauge's bars and held peak, the slider's scale, and the conversions between mixer values
// (0 to 65535), percentages, slider positions and indicator rows.
#pragma once

#include <cstdint>

// Rounds to the nearest integer, ties to even (the rounding of the slider and the level bar).
std::int32_t RoundHalfEven(double v);

// The level and held peak of a segmented gauge.
struct TGaugeLevel {
  std::int32_t MaxLevel = 10;
  std::int32_t Level = 4;
  bool PeakMeter = false;
  std::int32_t PeakFreq = 0;
  std::int32_t PeakLevel = 0;
  std::int32_t PeakCount = 0;

  // Takes a new level; false (and nothing changes) when it equals the current level, exceeds
  // MaxLevel or is negative. A held peak gives way after PeakFreq further changes.
  bool SetLevel(std::int32_t l);
};

// Bar positions of a gauge of the given width: N + 1 bars, at x = 3 + 3k for k = 1 .. N + 1.
std::int32_t GaugeBarCount(std::int32_t width);  // N
// The number of lit bars: all N + 1 at MaxLevel, else Level × N / MaxLevel.
std::int32_t GaugeLitBars(std::int32_t level, std::int32_t maxLevel, std::int32_t n);
// x of the held-peak marker; 0 or 3 mean no marker.
std::int32_t GaugePeakX(std::int32_t peakLevel, std::int32_t maxLevel, std::int32_t n);
inline bool GaugeMarkerShown(std::int32_t x) {
  return x != 0 && x != 3;
}

// The travel of a slider's holder. MaxAfter is Max, or Min + 100 when Min equals Max.
struct TSliderScale {
  std::int32_t TrackLength = 0;
  float Scale = 0;
  std::int32_t MaxAfter = 0;
};
TSliderScale SliderScale(std::int32_t extent, std::int32_t holderExtent, std::int32_t min,
                         std::int32_t max);
// Pixels from the slider's start to the holder, for a position (measured from 0, not Min).
std::int32_t SliderHolderOffset(std::int32_t position, float scale);
// The position that a mouse coordinate along the track stands for, clamped to Min .. Max.
std::int32_t SliderPositionAt(std::int32_t coordinate, float scale, std::int32_t min,
                              std::int32_t max);

// Mixer volumes (0 to 65535) as percentages, integer division both ways.
std::int32_t VolumePercent(std::int32_t level);
std::int32_t VolumeOfPercent(std::int32_t percent);
// The rows of a 16-row indicator that stay grey: 15 − level × 15 / 65535.
std::int32_t IndicatorRows(std::int32_t level);
// The slider position of a level (holder at the top for full level) and the fader value of a
// slider position.
std::int32_t SliderPositionOfLevel(std::int32_t level, std::int32_t sliderMax);
std::int32_t FaderValueOfPosition(std::int32_t position, std::int32_t sliderMax);
// The first row of the popup's level bar for a slider of that height at that position.
std::int32_t LevelBarTop(std::int32_t sliderHeight, std::int32_t position);
