// The mixer unit against scripted mixers: which control each line kind finds, the value
// arithmetic, the recording source list with its buffer limits, the peak meter, change
// notifications and the start-up adjustments of the main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/fMain.h"
#include "app/vmOptions.h"
#include "audio/MixerUtils.h"
#include "unit/audio/ScriptedMixer.h"

namespace {

constexpr DWORD kVolume = MIXERCONTROL_CONTROLTYPE_VOLUME;
constexpr DWORD kMute = MIXERCONTROL_CONTROLTYPE_MUTE;
constexpr DWORD kPeak = MIXERCONTROL_CONTROLTYPE_PEAKMETER;
constexpr DWORD kMux = MIXERCONTROL_CONTROLTYPE_MUX;
constexpr DWORD kLineIn = MIXERLINE_COMPONENTTYPE_SRC_LINE;
constexpr DWORD kCompactDisc = MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC;

ScriptedControl Volume(DWORD id, LONG v) {
  return {id, kVolume, {v}, {}, 0};
}
ScriptedControl Mute(DWORD id, LONG v) {
  return {id, kMute, {v}, {}, 0};
}
ScriptedControl Peak(DWORD id, std::vector<LONG> values) {
  return {id, kPeak, std::move(values), {}, 0};
}
ScriptedDestination Dest(ScriptedLine line, std::vector<ScriptedLine> sources = {}) {
  return {std::move(line), std::move(sources)};
}
using Card = std::vector<ScriptedDestination>;

ScriptedControl Mux(DWORD id, std::vector<ScriptedItem> items, std::vector<LONG> selected) {
  return {id, kMux, std::move(selected), std::move(items), MIXERCONTROL_CONTROLF_UNIFORM};
}

// A sound card as the platform describes one: speakers with master volume and mute and a
// wave output source with volume, mute and peak meter; a recording destination with a
// multiplexer of three inputs, the microphone among them.
std::vector<ScriptedDestination> SoundCard(LONG waveOut = 40000) {
  ScriptedDestination speakers{
      {kDstSpeakers, 2, {Volume(1, 50000), Mute(2, 1)}},
      {{kSrcWaveOut, 2, {Volume(3, waveOut), Mute(4, 1), Peak(5, {-12000, 8000})}}}};
  ScriptedDestination recording{{kDstWaveIn,
                                 2,
                                 {Mux(10,
                                      {{"Line In", 0x11, kLineIn},
                                       {"Microphone", 0x12, kSrcMicrophone},
                                       {"CD", 0x13, kCompactDisc}},
                                      {1, 0, 1})}},
                                {{kSrcMicrophone, 1, {Volume(11, 20000), Peak(12, {300})}}}};
  return {speakers, recording};
}

TEST(FindControl, EachKindFindsItsLinesControl) {
  ScriptedMixer mixer(SoundCard());
  struct Case {
    std::uint8_t kind;
    DWORD type;
    DWORD id;
  };
  const Case cases[] = {
      {0, kVolume, 3}, {1, kVolume, 1}, {2, kVolume, 11}, {0, kMute, 4}, {1, kMute, 2}};
  for (const Case& c : cases) {
    TMixer m(nullptr);
    DWORD dst = 0, src = 0;
    ASSERT_TRUE(KindTypes(c.kind, dst, src));
    MIXERCONTROLA control{};
    ASSERT_TRUE(m.FindControl(dst, src, control, c.type)) << int(c.kind);
    EXPECT_EQ(control.dwControlID, c.id) << int(c.kind);
  }
  TMixer m(nullptr);
  MIXERCONTROLA control{};
  EXPECT_FALSE(m.FindControl(kDstWaveIn, kSrcMicrophone, control, kMute));
}

TEST(FindControl, WithoutASourceTheFirstDestinationWithTheControlWins) {
  // The recording destination comes first and has a volume of its own.
  ScriptedDestination recording = Dest({kDstWaveIn, 2, {Volume(7, 1000)}});
  ScriptedDestination speakers = Dest({kDstSpeakers, 2, {Volume(1, 65535)}});
  {
    ScriptedMixer mixer(Card{speakers, recording});
    EXPECT_EQ(GetMixerVolume(1), 100);
  }
  {
    ScriptedMixer mixer(Card{recording, speakers});
    EXPECT_EQ(GetMixerVolume(1), 1);
  }
  {
    // A destination with no volume is passed over.
    ScriptedMixer mixer(Card{Dest({kDstSpeakers, 2, {Mute(2, 0)}}), speakers});
    EXPECT_EQ(GetMixerVolume(1), 100);
  }
}

TEST(FindControl, ALineWithMoreControlsThanTheBufferHoldsIsReadWhole) {
  ScriptedLine big{kDstSpeakers, 2, {}};
  for (DWORD i = 0; i < 69; ++i) big.controls.push_back(Mute(100 + i, 0));
  big.controls.push_back(Volume(300, 13107));
  ScriptedMixer mixer(Card{Dest(big)});
  EXPECT_EQ(GetMixerVolume(1), 20);
}

TEST(FindControl, NoControlWithoutAMixerOrWithoutTheLine) {
  // Speakers without a wave output source: kind 0 has no volume, so it reads 0 and a
  // write reaches nothing.
  ScriptedMixer mixer(
      Card{Dest({kDstSpeakers, 2, {Volume(1, 65535)}}, {{kLineIn, 2, {Volume(2, 9)}}})});
  EXPECT_EQ(GetMixerVolume(0), 0);
  SetMixerVolume(0, 50);
  EXPECT_EQ(mixer.Value(2), 9);
  EXPECT_EQ(mixer.Value(1), 65535);
  TFader fader;
  EXPECT_FALSE(fader.Open(0));
  EXPECT_FALSE(fader.Open(7));
  EXPECT_FALSE(fader.Update());
}

TEST(MixerVolume, PercentArithmeticBothWays) {
  ScriptedMixer mixer(SoundCard(32767));
  EXPECT_EQ(GetMixerVolume(0), 49);
  SetMixerVolume(0, 100);
  EXPECT_EQ(mixer.Value(3), 65535);
  SetMixerVolume(0, 50);
  EXPECT_EQ(mixer.Value(3), 32767);
  EXPECT_EQ(GetMixerVolume(0), 49);
  mixer.Change(3, {32768});
  EXPECT_EQ(GetMixerVolume(0), 50);
  SetMixerMute(1, false);
  EXPECT_EQ(mixer.Value(2), 0);
  SetMixerMute(0, true);
  EXPECT_EQ(mixer.Value(4), 1);
  // Every utility closes the connection it opened.
  EXPECT_EQ(mixer.OpenConnections(), 0);
}

TEST(RecordingSources, TheMultiplexerEndsWithOnlyTheMicrophoneSelected) {
  ScriptedMixer mixer(SoundCard());
  TRecordingSourceList list;
  ASSERT_TRUE(list.Open());
  ASSERT_EQ(list.Sources.size(), 3u);
  EXPECT_EQ(list.Sources[1].first, "Microphone");
  EXPECT_EQ(list.Sources[1].second->LineID, 0x12u);
  EXPECT_EQ(list.Sources[1].second->ComponentType, kSrcMicrophone);
  EXPECT_TRUE(list.Sources[0].second->Selected);
  EXPECT_FALSE(list.Sources[1].second->Selected);

  SelectMicrophoneSource();
  EXPECT_EQ(mixer.Value(10, 0), 0);
  EXPECT_EQ(mixer.Value(10, 1), 1);
  EXPECT_EQ(mixer.Value(10, 2), 0);
  ASSERT_TRUE(list.Update());
  EXPECT_TRUE(list.Sources[1].second->Selected);
  // A type that no source has selects nothing.
  list.SelectByType(MIXERLINE_COMPONENTTYPE_SRC_TELEPHONE);
  EXPECT_EQ(mixer.Value(10, 1), 1);
}

TEST(RecordingSources, AMultiplexerWithMoreItemsThanTheBuffersIsNotRead) {
  std::vector<ScriptedItem> items;
  for (DWORD i = 0; i < 66; ++i) items.push_back({"Input " + std::to_string(i), i, kLineIn});
  items[3].componentType = kSrcMicrophone;
  ScriptedMixer mixer(Card{Dest({kDstWaveIn, 2, {Mux(10, items, std::vector<LONG>(66, 0))}})});
  TRecordingSourceList list;
  EXPECT_FALSE(list.Open());
  EXPECT_TRUE(list.Sources.empty());
  SelectMicrophoneSource();
  EXPECT_EQ(mixer.DetailCalls(10), 0);
  EXPECT_EQ(mixer.Value(10, 3), 0);
}

TEST(RecordingSources, SixtyFiveItemsFitTheBuffers) {
  std::vector<ScriptedItem> items;
  for (DWORD i = 0; i < 65; ++i) items.push_back({std::string(70, 'a' + i % 26), i, kLineIn});
  items[64].componentType = kSrcMicrophone;
  ScriptedMixer mixer(Card{Dest({kDstWaveIn, 2, {Mux(10, items, std::vector<LONG>(65, 1))}})});
  TRecordingSourceList list;
  ASSERT_TRUE(list.Open());
  ASSERT_EQ(list.Sources.size(), 65u);
  // Names stop at the platform's 64 characters.
  EXPECT_EQ(list.Sources[0].first, std::string(MIXER_LONG_NAME_CHARS - 1, 'a'));
  list.SelectByType(kSrcMicrophone);
  EXPECT_EQ(mixer.Value(10, 63), 0);
  EXPECT_EQ(mixer.Value(10, 64), 1);
}

TEST(PeakMeter, LeftLevelIsTheFirstChannelsMagnitude) {
  ScriptedMixer mixer(SoundCard());
  TPeakMeter playback;
  ASSERT_TRUE(playback.OpenPlaybackMeter());
  ASSERT_TRUE(playback.Update());
  EXPECT_EQ(playback.LeftLevel, 12000);
  EXPECT_EQ(playback.Values[1].lValue, 8000);
  mixer.Change(5, {-32768, 0});
  ASSERT_TRUE(playback.Update());
  EXPECT_EQ(playback.LeftLevel, 32768);

  TPeakMeter recording;
  ASSERT_TRUE(recording.OpenRecordingMeter());
  ASSERT_TRUE(recording.Update());
  EXPECT_EQ(recording.LeftLevel, 300);
  EXPECT_EQ(recording.Details.cChannels, 1u);
}

TEST(PeakMeter, AMeterNotFoundReadsNothing) {
  ScriptedMixer mixer(
      Card{Dest({kDstSpeakers, 2, {Volume(1, 0)}}, {{kSrcWaveOut, 2, {Volume(3, 0)}}})});
  TPeakMeter meter;
  EXPECT_FALSE(meter.OpenPlaybackMeter());
  EXPECT_FALSE(meter.OpenRecordingMeter());
  EXPECT_FALSE(meter.Update());
}

TEST(PeakMeter, ALineOfManyChannelsIsReadAsStereo) {
  ScriptedMixer mixer(
      Card{Dest({kDstSpeakers, 6, {}}, {{kSrcWaveOut, 6, {Peak(5, {-7, 5, 1, 1, 1, 1})}}})});
  TPeakMeter meter;
  ASSERT_TRUE(meter.OpenPlaybackMeter());
  EXPECT_EQ(meter.Details.cChannels, 2u);
  ASSERT_TRUE(meter.Update());
  EXPECT_EQ(meter.LeftLevel, 7);
}

void PumpMessages() {
  for (int i = 0; i < 5; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

TEST(ChangeNotification, AnyChangeOnTheMixerReadsTheControlAgain) {
  ScriptedMixer mixer(SoundCard());
  std::vector<std::int32_t> seen;
  auto fader = std::make_unique<TFader>(
      [&](TMixerLineControl* sender) { seen.push_back(static_cast<TFader*>(sender)->Level); });
  ASSERT_NE(fader->CallbackWindow, nullptr);
  ASSERT_TRUE(fader->Open(1));
  mixer.Change(1, {1234});
  PumpMessages();
  // A change of another control also counts.
  mixer.Change(11, {5});
  PumpMessages();
  EXPECT_EQ(seen, (std::vector<std::int32_t>{1234, 1234}));
  // Freed, the fader's window is gone and a late notification reaches nobody.
  HWND window = fader->CallbackWindow;
  fader.reset();
  EXPECT_FALSE(IsWindow(window));
  mixer.Change(1, {9});
  PumpMessages();
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(mixer.OpenConnections(), 0);
}

TEST(ChangeNotification, OnlyObjectsWithAHandlerHaveAWindow) {
  ScriptedMixer mixer(SoundCard());
  TFader plain;
  EXPECT_EQ(plain.CallbackWindow, nullptr);
  EXPECT_TRUE(plain.Open(1));
}

TEST(PrepareMixer, StartUpRaisesTheWaveOutputSelectsTheMicrophoneAndUnmutes) {
  struct Case {
    LONG waveOut;
    LONG expected;
  };
  // 13107 is 20 %, raised to the 50 % of MinWaveLevel; 60 % stays.
  for (const Case& c : {Case{13107, 32767}, Case{39321, 39321}}) {
    ScriptedMixer mixer(SoundCard(c.waveOut));
    ui::Application app;
    app.Initialize();
    auto settings = std::make_unique<TVMProperties>();
    settings->MinWaveLevel = 50;
    VMProperties = settings.get();
    app.CreateForm<TVoiceMailForm>();
    EXPECT_EQ(mixer.Value(3), c.expected);
    EXPECT_EQ(mixer.Value(10, 1), 1);
    EXPECT_EQ(mixer.Value(10, 0) + mixer.Value(10, 2), 0);
    EXPECT_EQ(mixer.Value(2), 0);
    EXPECT_EQ(mixer.Value(4), 0);
    VMProperties = nullptr;
  }
}

}  // namespace
