// The mixer unit against Wine's own mixer over PulseAudio: device 0 is the playback device,
// whose master volume (kind 1) reads and writes; its wave output source and a wave input
// destination are not there to be read.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "audio/MixerUtils.h"

namespace {

void PumpMessages() {
  for (int i = 0; i < 10; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

TEST(WineMixer, MasterVolumeIsWrittenAndReadBack) {
  ASSERT_GT(mixerGetNumDevs(), 0u) << "no mixer: is PulseAudio running?";
  struct Case {
    int percent, readBack;
  };
  // Written as percent × 65535 / 100, read as level × 100 / 65535.
  for (const Case& c : {Case{40, 40}, Case{100, 100}, Case{50, 49}, Case{0, 0}, Case{75, 74}}) {
    SetMixerVolume(1, c.percent);
    EXPECT_EQ(GetMixerVolume(1), c.readBack) << c.percent;
  }
  TFader fader;
  ASSERT_TRUE(fader.Open(1));
  EXPECT_EQ(fader.Level, 49151);
  SetMixerVolume(1, 100);
}

TEST(WineMixer, AFaderWithAHandlerFollowsItsOwnWrite) {
  std::vector<std::int32_t> seen;
  TFader fader([&](TMixerLineControl* s) { seen.push_back(static_cast<TFader*>(s)->Level); });
  ASSERT_NE(fader.CallbackWindow, nullptr);
  ASSERT_TRUE(fader.Open(1));
  EXPECT_EQ(fader.SetValue(20000), static_cast<MMRESULT>(MMSYSERR_NOERROR));
  PumpMessages();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), 20000);
  // Another connection of the program reads the same master volume.
  EXPECT_EQ(GetMixerVolume(1), 30);
  SetMixerVolume(1, 100);
}

TEST(WineMixer, OnlyThePlaybackLinesOfDeviceZeroAreThere) {
  TMixer mixer(nullptr);
  ASSERT_NE(mixer.Handle, nullptr);
  MIXERCONTROLA control{};
  EXPECT_TRUE(mixer.FindControl(kDstSpeakers, kNoSource, control, MIXERCONTROL_CONTROLTYPE_MUTE));
  EXPECT_TRUE(
      mixer.FindControl(kDstSpeakers, kSrcWaveOut, control, MIXERCONTROL_CONTROLTYPE_VOLUME));
  // One mixer per device: the recording lines are another device's; no peak meter, no
  // multiplexer anywhere.
  EXPECT_FALSE(
      mixer.FindControl(kDstWaveIn, kSrcMicrophone, control, MIXERCONTROL_CONTROLTYPE_VOLUME));
  TPeakMeter meter;
  EXPECT_FALSE(meter.OpenPlaybackMeter());
  TRecordingSourceList list;
  EXPECT_FALSE(list.Open());
  EXPECT_EQ(GetMixerVolume(2), 0);
  // Master mute: switched on and off again.
  SetMixerMute(1, true);
  TMuteSwitch mute;
  ASSERT_TRUE(mute.Open(1));
  EXPECT_TRUE(mute.Muted);
  SetMixerMute(1, false);
  ASSERT_TRUE(mute.Update());
  EXPECT_FALSE(mute.Muted);
}

}  // namespace
