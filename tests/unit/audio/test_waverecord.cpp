// Recording and playback through Wine's MCI wave device over the session's PulseAudio null sink;
// what plays into the sink is what the default source records.
#include "audio/WaveRecord.h"

#include <gtest/gtest.h>

#include "audio/WavFormatUtils.h"
#include "audio/WaveConvert.h"
#include "unit/audio/AudioTestUtils.h"

namespace {

constexpr int Tone = 500;

std::string FolderOfThisTest() {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "-" + info->name();
  for (char& c : name)
    if (c == '/') c = '-';
  return TestFolder(name);
}

// Counts the calls of a handler and checks that the recorder is the sender.
struct TCounter {
  TWaveRecorder* Expected = nullptr;
  int Calls = 0;
  TWaveRecorder::TNotifyEvent Handler() {
    return [this](TWaveRecorder* Sender) {
      EXPECT_EQ(Sender, Expected);
      ++Calls;
    };
  }
};

struct TRecordCase {
  int Rate, Channels, Bits;
};

void PrintTo(const TRecordCase& c, std::ostream* os) {
  *os << c.Rate << " Hz " << c.Channels << " ch " << c.Bits << " bit";
}

class RecordFormat : public testing::TestWithParam<TRecordCase> {};

TEST_P(RecordFormat, SavedFileHasTheFormatAndTheTone) {
  const TRecordCase& c = GetParam();
  std::string dir = FolderOfThisTest();
  MakeTone(dir + "tone.wav", 44100, 1, 16, 20, Tone);
  TTonePlayer player(dir + "tone.wav");

  TWaveRecorder rec;
  TCounter stopped{&rec};
  rec.Channels = uint8_t(c.Channels);
  rec.SamplesPerSec = c.Rate;
  rec.BitsPerSample = uint16_t(c.Bits);
  rec.FileName = dir + "msg.wav";
  ASSERT_TRUE(rec.StartRecord()) << rec.ErrorText();
  EXPECT_NE(rec.DeviceID, 0u);
  PumpFor(3000);
  ASSERT_TRUE(rec.Stop(stopped.Handler())) << rec.ErrorText();
  ASSERT_TRUE(rec.Save()) << rec.ErrorText();
  rec.Close();
  EXPECT_TRUE(PumpUntil([&] { return stopped.Calls > 0; }, 2000));
  PumpFor(200);
  EXPECT_EQ(stopped.Calls, 1);

  TWaveFormat19 format{};
  uint32_t dataSize = 0;
  {
    TBufferedFileStream file(rec.FileName, TBufferedFileStream::fmOpenRead);
    ASSERT_TRUE(ReadWaveHeader(file, format, dataSize));
    EXPECT_GE(file.Size() - file.Position(), int64_t(dataSize));
  }
  const uint16_t align = uint16_t(c.Channels * c.Bits / 8);
  EXPECT_EQ(format.nChannels, c.Channels);
  EXPECT_EQ(format.nSamplesPerSec, uint32_t(c.Rate));
  EXPECT_EQ(format.wBitsPerSample, c.Bits);
  EXPECT_EQ(format.nBlockAlign, align);
  EXPECT_EQ(format.nAvgBytesPerSec, uint32_t(c.Rate * align));
  // Wine's recordings of 3 s hold between about 1.7 and 2.7 s of sound.
  double seconds = double(dataSize) / format.nAvgBytesPerSec;
  EXPECT_GT(seconds, 1.2);
  EXPECT_LT(seconds, 3.5);
  TSoxStat stat = SoxStat(rec.FileName);
  EXPECT_NEAR(stat.Frequency, Tone, Tone * 0.1) << stat.Output;

  // What the device saved is what the compression takes.
  ASSERT_TRUE(CompressMessageFile(rec.FileName));
  TSoxStat gsm = SoxStat(rec.FileName);
  EXPECT_NEAR(gsm.Seconds, seconds, 0.05) << gsm.Output;
  EXPECT_NEAR(gsm.Frequency, Tone, Tone * 0.1) << gsm.Output;
}

INSTANTIATE_TEST_SUITE_P(Formats, RecordFormat,
                         testing::Values(TRecordCase{8000, 1, 8}, TRecordCase{8000, 2, 16},
                                         TRecordCase{11025, 2, 16}, TRecordCase{22050, 1, 16},
                                         TRecordCase{22050, 2, 8}, TRecordCase{44100, 2, 8},
                                         TRecordCase{44100, 1, 16}),
                         [](const auto& info) {
                           const TRecordCase& c = info.param;
                           return std::to_string(c.Rate) + "Hz" + std::to_string(c.Channels) +
                                  "ch" + std::to_string(c.Bits) + "bit";
                         });

TEST(WaveRecorder, PausedRecordingGoesOnAfterResume) {
  std::string dir = FolderOfThisTest();
  MakeTone(dir + "tone.wav", 44100, 1, 16, 20, Tone);
  TTonePlayer player(dir + "tone.wav");
  TWaveRecorder rec;
  TCounter paused{&rec}, stopped{&rec};
  rec.Channels = 1;
  rec.SamplesPerSec = 11025;
  rec.BitsPerSample = 16;
  rec.FileName = dir + "msg.wav";
  ASSERT_TRUE(rec.StartRecord()) << rec.ErrorText();
  PumpFor(1500);
  ASSERT_TRUE(rec.Pause(paused.Handler())) << rec.ErrorText();
  EXPECT_TRUE(PumpUntil([&] { return paused.Calls > 0; }, 2000));
  PumpFor(1500);
  ASSERT_TRUE(rec.Resume()) << rec.ErrorText();
  PumpFor(1500);
  ASSERT_TRUE(rec.Stop(stopped.Handler()));
  ASSERT_TRUE(rec.Save()) << rec.ErrorText();
  rec.Close();
  EXPECT_TRUE(PumpUntil([&] { return stopped.Calls > 0; }, 2000));
  PumpFor(200);
  EXPECT_EQ(paused.Calls, 1);
  EXPECT_EQ(stopped.Calls, 1);
  // Two stretches of 1.5 s, and none of the pause.
  TSoxStat stat = SoxStat(rec.FileName);
  EXPECT_GT(stat.Seconds, 1.6) << stat.Output;
  EXPECT_LT(stat.Seconds, 3.6) << stat.Output;
}

// A format that the device refuses does not stop the recording: the record command's success is
// the answer. (Wine keeps the refused rate, so what it then records is empty; Windows records in
// the format it had.)
TEST(WaveRecorder, RefusedFormatStillRecords) {
  std::string dir = FolderOfThisTest();
  TWaveRecorder rec;
  rec.Channels = 1;
  rec.SamplesPerSec = 0;
  rec.BitsPerSample = 16;
  rec.FileName = dir + "msg.wav";
  EXPECT_FALSE(rec.StartRecord() && rec.SetWaveFormat());
  rec.Close();
  ASSERT_TRUE(rec.StartRecord()) << rec.ErrorText();
  EXPECT_EQ(rec.LastError, 0u);
  PumpFor(500);
  EXPECT_TRUE(rec.Stop(nullptr));
  rec.Close();
}

class Playback : public testing::Test {
 protected:
  void SetUp() override {
    Dir = FolderOfThisTest();
    MakeTone(Dir + "tone.wav", 8000, 1, 16, 3, Tone);
    Rec.FileName = Dir + "tone.wav";
  }
  std::string Dir;
  TWaveRecorder Rec;
  TCounter Played{&Rec}, Stopped{&Rec}, Paused{&Rec};
};

TEST_F(Playback, PlayToTheEndCallsTheHandlerOnce) {
  DWORD start = GetTickCount();
  ASSERT_TRUE(Rec.Play(Played.Handler())) << Rec.ErrorText();
  EXPECT_EQ(Rec.LastError, 0u);
  EXPECT_TRUE(PumpUntil([&] { return Played.Calls > 0; }, 6000));
  EXPECT_GT(GetTickCount() - start, 2500u);  // the 3 s file was played, not skipped
  PumpFor(500);
  EXPECT_EQ(Played.Calls, 1);
}

TEST_F(Playback, HandlerMayStartTheNextPlay) {
  TCounter again{&Rec};
  ASSERT_TRUE(Rec.Play([&](TWaveRecorder* Sender) {
    ++Played.Calls;
    EXPECT_TRUE(Sender->Play(again.Handler()));
  }));
  EXPECT_TRUE(PumpUntil([&] { return again.Calls > 0; }, 10000));
  PumpFor(300);
  EXPECT_EQ(Played.Calls, 1);
  EXPECT_EQ(again.Calls, 1);
}

TEST_F(Playback, StoppedPlayCallsOnlyTheStopHandler) {
  ASSERT_TRUE(Rec.Play(Played.Handler()));
  PumpFor(500);
  ASSERT_TRUE(Rec.Stop(Stopped.Handler())) << Rec.ErrorText();
  Rec.Close();
  PumpFor(3500);
  EXPECT_EQ(Stopped.Calls, 1);
  EXPECT_EQ(Played.Calls, 0);
}

// Continued after a pause, the play ends after what was left, not after the whole file.
TEST_F(Playback, PausedPlayContinuesWhereItPaused) {
  ASSERT_TRUE(Rec.Play(Played.Handler()));
  PumpFor(2000);
  ASSERT_TRUE(Rec.Pause(Paused.Handler())) << Rec.ErrorText();
  PumpFor(1500);
  EXPECT_EQ(Paused.Calls, 1);
  EXPECT_EQ(Played.Calls, 0);
  DWORD start = GetTickCount();
  ASSERT_TRUE(Rec.ContinuePlay(Played.Handler())) << Rec.ErrorText();
  EXPECT_TRUE(PumpUntil([&] { return Played.Calls > 0; }, 6000));
  DWORD rest = GetTickCount() - start;
  // About 1 s was left; from the start it would be 3 s.
  EXPECT_GT(rest, 500u);
  EXPECT_LT(rest, 2200u);
  PumpFor(300);
  EXPECT_EQ(Played.Calls, 1);
  EXPECT_EQ(Paused.Calls, 1);
}

TEST_F(Playback, CommandsWithoutAnOpenDeviceAnswerFalse) {
  Rec.Close();
  Rec.Close();
  EXPECT_FALSE(Rec.Stop(Stopped.Handler()));
  EXPECT_NE(Rec.LastError, 0u);
  EXPECT_FALSE(Rec.Pause(Paused.Handler()));
  EXPECT_FALSE(Rec.Resume());
  EXPECT_FALSE(Rec.Save());
  EXPECT_NE(Rec.LastError, 0u);
  // And likewise once a device was open and closed again.
  ASSERT_TRUE(Rec.Play(Played.Handler()));
  Rec.Close();
  EXPECT_FALSE(Rec.Stop(Stopped.Handler()));
  EXPECT_FALSE(Rec.Pause(Paused.Handler()));
  EXPECT_FALSE(Rec.Resume());
  PumpFor(3500);
  EXPECT_EQ(Stopped.Calls + Paused.Calls + Played.Calls, 0);
}

TEST_F(Playback, MissingFileIsNotPlayed) {
  std::string missing = Dir + "none.wav";
  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = reinterpret_cast<LPCSTR>(MCI_DEVTYPE_WAVEFORM_AUDIO);
  open.lpstrElementName = missing.c_str();
  MCIERROR expected =
      mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT,
                      reinterpret_cast<DWORD_PTR>(&open));
  ASSERT_NE(expected, 0u);

  TCounter earlier{&Rec};
  ASSERT_TRUE(Rec.Play(earlier.Handler()));  // an identifier that the failed open replaces
  EXPECT_NE(Rec.DeviceID, 0u);
  ASSERT_TRUE(Rec.Stop(earlier.Handler()));
  Rec.Close();
  PumpFor(300);
  Rec.FileName = missing;
  EXPECT_FALSE(Rec.Play(Played.Handler()));
  EXPECT_EQ(Rec.DeviceID, 0u);
  EXPECT_EQ(Rec.LastError, expected);
  char text[256] = {};
  ASSERT_TRUE(mciGetErrorStringA(expected, text, sizeof text));
  EXPECT_EQ(Rec.ErrorText(), text);
  EXPECT_FALSE(Rec.ErrorText().empty());
  PumpFor(3500);
  EXPECT_EQ(Played.Calls, 0);
}

}  // namespace
