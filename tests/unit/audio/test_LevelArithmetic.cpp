// The numbers behind the gauge, the slider and the level conversions.
#include <gtest/gtest.h>

#include <vector>

#include "audio/LevelArithmetic.h"

namespace {

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  struct Case {
    double v;
    int r;
  };
  const Case cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},   {-0.5, 0},
                        {-1.5, -2}, {2.4999, 2}, {26.52, 27}};
  for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.v), c.r) << c.v;
}

TEST(GaugeLevel, IgnoresEqualTooLargeAndNegativeLevels) {
  TGaugeLevel g;
  g.MaxLevel = 32767;
  g.Level = 100;
  EXPECT_FALSE(g.SetLevel(40000));
  EXPECT_FALSE(g.SetLevel(-1));
  EXPECT_FALSE(g.SetLevel(100));
  EXPECT_EQ(g.Level, 100);
  EXPECT_TRUE(g.SetLevel(32767));
  EXPECT_TRUE(g.SetLevel(0));
  EXPECT_EQ(g.Level, 0);
}

TEST(GaugeLevel, AHeldPeakGivesWayAfterPeakFreqChanges) {
  TGaugeLevel g;
  g.MaxLevel = 32767;
  g.PeakMeter = true;
  g.PeakFreq = 10;
  ASSERT_TRUE(g.SetLevel(30000));
  for (int i = 0; i < 10; ++i) {
    ASSERT_TRUE(g.SetLevel(i % 2 ? 2000 : 1000));
    EXPECT_EQ(g.PeakLevel, 30000) << "change " << i + 1;
  }
  ASSERT_TRUE(g.SetLevel(1000));
  EXPECT_EQ(g.PeakLevel, 1000);
  // A higher level takes the peak at once; ignored levels do not count as changes.
  EXPECT_FALSE(g.SetLevel(1000));
  ASSERT_TRUE(g.SetLevel(2000));
  EXPECT_EQ(g.PeakLevel, 2000);
  EXPECT_EQ(g.PeakCount, 0);
}

TEST(GaugeLevel, WithoutPeakMeterNoPeakIsHeld) {
  TGaugeLevel g;
  ASSERT_TRUE(g.SetLevel(9));
  EXPECT_EQ(g.PeakLevel, 0);
  EXPECT_EQ(g.PeakCount, 0);
}

TEST(GaugeBars, CountLitBarsAndPlaceTheMarker) {
  // The recorder panel's gauge: 101 pixels wide, 30 bar positions.
  EXPECT_EQ(GaugeBarCount(101), 29);
  EXPECT_EQ(GaugeBarCount(200), 62);
  struct Case {
    int level, max, lit, peakX;
  };
  const Case cases[] = {
      {16384, 32767, 14, 45}, {32767, 32767, 30, 90}, {32766, 32767, 28, 87},
      {0, 32767, 0, 3},       {1000, 32767, 0, 3},    {2000, 32767, 1, 6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GaugeLitBars(c.level, c.max, 29), c.lit) << c.level;
    EXPECT_EQ(GaugePeakX(c.level, c.max, 29), c.peakX) << c.level;
  }
  EXPECT_FALSE(GaugeMarkerShown(3));
  EXPECT_FALSE(GaugeMarkerShown(0));
  EXPECT_TRUE(GaugeMarkerShown(6));
  // No division by a MaxLevel of 0.
  EXPECT_EQ(GaugeLitBars(5, 0, 29), 0);
}

TEST(SliderScale, TrackLengthScaleAndAnEmptyRange) {
  TSliderScale popup = SliderScale(68, 16, 0, 100);
  EXPECT_EQ(popup.TrackLength, 52);
  EXPECT_FLOAT_EQ(popup.Scale, 0.52f);
  EXPECT_EQ(popup.MaxAfter, 100);
  TSliderScale empty = SliderScale(150, 0, 5, 5);
  EXPECT_EQ(empty.MaxAfter, 105);
  EXPECT_FLOAT_EQ(empty.Scale, 1.5f);
}

TEST(SliderScale, MouseCoordinatesBecomeClampedPositions) {
  const float scale = SliderScale(68, 16, 0, 100).Scale;
  struct Case {
    int y, position;
  };
  const Case cases[] = {{26, 50}, {0, 0}, {-40, 0}, {52, 100}, {68, 100}, {13, 25}, {1, 2}};
  for (const Case& c : cases) EXPECT_EQ(SliderPositionAt(c.y, scale, 0, 100), c.position) << c.y;
  EXPECT_EQ(SliderHolderOffset(50, scale), 26);
  EXPECT_EQ(SliderHolderOffset(100, scale), 52);
  // Measured from position 0, not from Min.
  EXPECT_EQ(SliderHolderOffset(20, SliderScale(150, 0, 10, 110).Scale), 30);
}

TEST(LevelConversions, PercentIndicatorSliderAndFaderValues) {
  struct Percent {
    int level, percent;
  };
  for (const Percent& c : {Percent{65535, 100}, {32768, 50}, {32767, 49}, {0, 0}, {1, 0}})
    EXPECT_EQ(VolumePercent(c.level), c.percent) << c.level;
  EXPECT_EQ(VolumeOfPercent(100), 65535);
  EXPECT_EQ(VolumeOfPercent(50), 32767);
  EXPECT_EQ(VolumeOfPercent(0), 0);

  EXPECT_EQ(IndicatorRows(65535), 0);
  EXPECT_EQ(IndicatorRows(0), 15);
  EXPECT_EQ(IndicatorRows(32768), 8);

  EXPECT_EQ(SliderPositionOfLevel(65535, 100), 0);
  EXPECT_EQ(SliderPositionOfLevel(0, 100), 100);
  EXPECT_EQ(SliderPositionOfLevel(32768, 100), 50);
  EXPECT_EQ(FaderValueOfPosition(0, 100), 65535);
  EXPECT_EQ(FaderValueOfPosition(100, 100), 0);
  EXPECT_EQ(FaderValueOfPosition(50, 100), 32767);

  EXPECT_EQ(LevelBarTop(68, 50), 34);
  EXPECT_EQ(LevelBarTop(68, 0), 0);
  EXPECT_EQ(LevelBarTop(68, 100), 68);
  EXPECT_EQ(LevelBarTop(50, 1), 0);  // 0.5 rounds to the even 0
  EXPECT_EQ(LevelBarTop(50, 3), 2);  // 1.5 rounds to 2
}

}  // namespace
