// Compression of message files through the real ACM and its GSM 6.10 codec, checked by sox.
#include "audio/WaveConvert.h"

#include <gtest/gtest.h>

#include <cmath>

#include "audio/WavFormatUtils.h"
#include "unit/audio/AudioTestUtils.h"
#include "unit/audio/WaveBytes.h"

namespace {

constexpr int Tone = 500;

struct TGsmFile {
  uint16_t Tag, Channels, BlockAlign, ExtraSize, SamplesPerBlock;
  uint32_t Rate, Avg, RiffSize, FmtSize, Fact, DataSize;
  size_t FileSize;
};

TGsmFile ParseGsm(const std::vector<uint8_t>& b) {
  TGsmFile g{};
  g.RiffSize = U32At(b, 4);
  g.FmtSize = U32At(b, 16);
  g.Tag = U16At(b, 20);
  g.Channels = U16At(b, 22);
  g.Rate = U32At(b, 24);
  g.Avg = U32At(b, 28);
  g.BlockAlign = U16At(b, 32);
  g.ExtraSize = U16At(b, 36);
  g.SamplesPerBlock = U16At(b, 38);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(std::string(b.begin() + 40, b.begin() + 44), "fact");
  EXPECT_EQ(U32At(b, 44), 4u);
  g.Fact = U32At(b, 48);
  EXPECT_EQ(std::string(b.begin() + 52, b.begin() + 56), "data");
  g.DataSize = U32At(b, 56);
  g.FileSize = b.size();
  return g;
}

void ExpectGsmBlocks(const std::vector<uint8_t>& bytes, uint32_t blocks) {
  TGsmFile g = ParseGsm(bytes);
  EXPECT_EQ(g.Tag, 0x31);
  EXPECT_EQ(g.Channels, 1);
  EXPECT_EQ(g.Rate, 8000u);
  EXPECT_EQ(g.Avg, 1625u);
  EXPECT_EQ(g.BlockAlign, 65);
  EXPECT_EQ(g.ExtraSize, 2);
  EXPECT_EQ(g.SamplesPerBlock, 320);
  EXPECT_EQ(g.FmtSize, 20u);
  EXPECT_EQ(g.DataSize, blocks * 65);
  EXPECT_EQ(g.Fact, blocks);
  EXPECT_EQ(g.RiffSize, 52 + blocks * 65);
  EXPECT_EQ(g.FileSize, 60 + blocks * 65);
}

struct TToneCase {
  int Rate, Channels, Bits;
  double Seconds;
  // Each chunk of at most 1 MiB of source loses what does not fill a whole 320-sample block at
  // its end: 44100 Hz stereo 16-bit is 1048576 + 715424 bytes, 47554 + 32445 samples at 8000 Hz,
  // so 148 + 101 blocks instead of the 250 of one piece.
  uint32_t Blocks;
  int Chunks;
};

void PrintTo(const TToneCase& c, std::ostream* os) {
  *os << c.Rate << " Hz " << c.Channels << " ch " << c.Bits << " bit " << c.Seconds << " s";
}

class CompressTone : public testing::TestWithParam<TToneCase> {};

TEST_P(CompressTone, GivesGsmThatSoxDecodes) {
  const TToneCase& c = GetParam();
  std::string dir = TestFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
  std::string msg = dir + "msg.wav";
  MakeTone(msg, c.Rate, c.Channels, c.Bits, c.Seconds, Tone);

  ASSERT_TRUE(CompressMessageFile(msg));
  ExpectGsmBlocks(ReadBytes(msg), c.Blocks);
  EXPECT_EQ(GetFileAttributesA((msg + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  if (c.Blocks == 0) return;
  TSoxStat stat = SoxStat(msg);
  EXPECT_NEAR(stat.Seconds, c.Seconds, 0.04 * c.Chunks + 1e-6) << stat.Output;
  EXPECT_NEAR(stat.Frequency, Tone, Tone * 0.1) << stat.Output;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CompressTone,
    testing::Values(TToneCase{8000, 1, 16, 10, 250, 1}, TToneCase{44100, 2, 16, 10, 249, 2},
                    TToneCase{11025, 1, 8, 10, 250, 1}, TToneCase{22050, 2, 8, 10, 250, 1},
                    TToneCase{44100, 1, 16, 10, 250, 1}, TToneCase{8000, 1, 16, 0.035, 0, 1}),
    [](const auto& info) {
      const TToneCase& c = info.param;
      return std::to_string(c.Rate) + "Hz" + std::to_string(c.Channels) + "ch" +
             std::to_string(c.Bits) + "bit" + std::to_string(int(c.Seconds * 1000)) + "ms";
    });

bool Convert(const std::vector<uint8_t>& source, TWaveFormatList& list, TMemoryStream& dest) {
  TMemoryStream src(source);
  std::vector<uint8_t> format = GsmDestinationFormat();
  return list.DoubleConvert(src, dest, reinterpret_cast<WAVEFORMATEX*>(format.data()));
}

TEST(CompressMessageFile, AlreadyCompressedMessageStaysUnchanged) {
  std::string dir = TestFolder("twice");
  std::string msg = dir + "msg.wav";
  MakeTone(msg, 8000, 1, 16, 2, Tone);
  ASSERT_TRUE(CompressMessageFile(msg));
  const std::vector<uint8_t> gsm = ReadBytes(msg);

  EXPECT_FALSE(CompressMessageFile(msg));
  EXPECT_EQ(ReadBytes(msg), gsm);
  TWaveFormatList list;
  TMemoryStream dest;
  EXPECT_FALSE(Convert(gsm, list, dest));
  EXPECT_EQ(list.ErrorCode, 1);
  EXPECT_EQ(list.ErrorMessage, "Source file not PCM format");
}

TEST(CompressMessageFile, MissingFileRaisesTheFileError) {
  std::string dir = TestFolder("missing");
  EXPECT_THROW(CompressMessageFile(dir + "none.wav"), EOSError);
}

TEST(DoubleConvert, BlockAlignZeroIsRejected) {
  TWaveFormatList list;
  TMemoryStream dest;
  TPcmFields fields;
  fields.Avg = fields.Align = 0;
  fields.DataSize = 4000;
  EXPECT_FALSE(Convert(MakeWave(fields), list, dest));
  EXPECT_EQ(list.ErrorCode, 1);
  EXPECT_EQ(list.ErrorMessage, "Source file not PCM format");
}

// An empty recording gives the ACM nothing to prepare: the message stays as it is.
TEST(DoubleConvert, EmptyMessageFailsAtPreparing) {
  TPcmFields fields;
  fields.DataSize = 0;
  TWaveFormatList list;
  TMemoryStream dest;
  EXPECT_FALSE(Convert(MakeWave(fields), list, dest));
  EXPECT_EQ(list.ErrorMessage, "PrepareHeader # 1");
  EXPECT_EQ(list.ErrorCode, int32_t(MMSYSERR_INVALPARAM));
}

// A data size beyond the end of the file converts what is there, as fast as the true size does.
TEST(DoubleConvert, DataSizeBeyondTheFileConvertsWhatIsThere) {
  std::string dir = TestFolder("oversize");
  MakeTone(dir + "tone.wav", 8000, 1, 16, 3, Tone);
  std::vector<uint8_t> source = ReadBytes(dir + "tone.wav");
  TWaveFormatList list;
  TMemoryStream expected;
  ASSERT_TRUE(Convert(source, list, expected));

  for (uint32_t claim : {uint32_t(source.size()), 0x7FFFFFFFu, 0xFFFFFFF0u}) {
    std::vector<uint8_t> bytes = source;
    std::memcpy(bytes.data() + 40, &claim, 4);
    TMemoryStream dest;
    DWORD start = GetTickCount();
    EXPECT_TRUE(Convert(bytes, list, dest)) << list.ErrorMessage;
    EXPECT_LT(GetTickCount() - start, 2000u) << claim;
    EXPECT_EQ(dest.Data, expected.Data) << claim;
  }
}

std::string ChildPath() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.rfind('\\') + 1) + "compress_child.exe";
}

// Starts the child with its output going to a file; answers the process handle.
HANDLE StartChild(const std::string& args, const std::string& outFile) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE out =
      CreateFileA(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = out;
  PROCESS_INFORMATION pi{};
  std::string line = "\"" + ChildPath() + "\" " + args;
  BOOL ok =
      CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(out);
  if (!ok) {
    ADD_FAILURE() << "cannot start " << line << ": " << GetLastError();
    return nullptr;
  }
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

// Takes the GSM codec out of the prefix's driver list for as long as it lives.
class TNoGsmCodec {
 public:
  TNoGsmCodec() {
    char windir[MAX_PATH];
    GetWindowsDirectoryA(windir, MAX_PATH);
    Ini = std::string(windir) + "\\system.ini";
    Saved = ReadBytes(Ini);
    std::string text(Saved.begin(), Saved.end());
    size_t at = text.find("msacm.msgsm610=");
    EXPECT_NE(at, std::string::npos);
    if (at != std::string::npos) text.insert(at, ";");
    WriteBytes(Ini, std::vector<uint8_t>(text.begin(), text.end()));
  }
  ~TNoGsmCodec() { WriteBytes(Ini, Saved); }

 private:
  std::string Ini;
  std::vector<uint8_t> Saved;
};

TEST(CompressMessageFile, WithoutGsmCodecTheSecondSuggestionFails) {
  std::string dir = TestFolder("nocodec");
  std::string msg = dir + "msg.wav";
  MakeTone(msg, 8000, 1, 16, 2, Tone);
  const std::vector<uint8_t> pcm = ReadBytes(msg);
  std::string report;
  {
    TNoGsmCodec noCodec;
    HANDLE child = StartChild("report \"" + msg + "\"", dir + "report.txt");
    ASSERT_NE(child, nullptr);
    WaitForSingleObject(child, 30000);
    CloseHandle(child);
  }
  std::vector<uint8_t> out = ReadBytes(dir + "report.txt");
  for (uint8_t ch : out)
    if (ch != '\r') report += char(ch);
  EXPECT_EQ(report, "0 " + std::to_string(ACMERR_NOTPOSSIBLE) + " Suggest # 2\n0\n");
  EXPECT_EQ(ReadBytes(msg), pcm);
  // With the codec back, the same file compresses.
  EXPECT_TRUE(CompressMessageFile(msg));
}

struct TLockCase {
  const char* Name;
  DWORD Share;  // share mode of the other handle; or none with ReadOnly
  bool ReadOnly;
};

void PrintTo(const TLockCase& c, std::ostream* os) {
  *os << c.Name;
}

class LockedMessage : public testing::TestWithParam<TLockCase> {};

TEST_P(LockedMessage, StaysPcm) {
  const TLockCase& c = GetParam();
  std::string dir = TestFolder(std::string("locked") + c.Name);
  std::string msg = dir + "msg.wav";
  MakeTone(msg, 22050, 2, 16, 4, Tone);
  const std::vector<uint8_t> pcm = ReadBytes(msg);
  HANDLE other = INVALID_HANDLE_VALUE;
  if (c.ReadOnly)
    SetFileAttributesA(msg.c_str(), FILE_ATTRIBUTE_READONLY);
  else
    other = CreateFileA(msg.c_str(), GENERIC_READ, c.Share, nullptr, OPEN_EXISTING, 0, nullptr);

  EXPECT_THROW(CompressMessageFile(msg), EOSError);
  if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
  SetFileAttributesA(msg.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(msg), pcm);
  EXPECT_EQ(GetFileAttributesA((msg + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

INSTANTIATE_TEST_SUITE_P(Cases, LockedMessage,
                         testing::Values(TLockCase{"Exclusive", 0, false},
                                         TLockCase{"SharedForReading", FILE_SHARE_READ, false},
                                         TLockCase{"ReadOnly", 0, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Killed at any moment, the compression leaves the old PCM file or the complete GSM file.
TEST(CompressMessageFile, KilledProcessLeavesOldOrCompleteFile) {
  std::string dir = TestFolder("killed");
  std::string original = dir + "original.wav";
  MakeTone(original, 44100, 2, 16, 600, Tone);
  const std::vector<uint8_t> pcm = ReadBytes(original);
  ASSERT_GT(pcm.size(), 100000000u);
  std::string msg = dir + "msg.wav";
  HANDLE started = CreateEventA(nullptr, TRUE, FALSE, "BdaCompressStarted");

  auto run = [&](DWORD killAfterMs) {
    EXPECT_TRUE(CopyFileA(original.c_str(), msg.c_str(), FALSE));
    ResetEvent(started);
    HANDLE child = StartChild("compress \"" + msg + "\" BdaCompressStarted", dir + "child.txt");
    EXPECT_EQ(WaitForSingleObject(started, 20000), WAIT_OBJECT_0);
    DWORD start = GetTickCount();
    if (WaitForSingleObject(child, killAfterMs) == WAIT_TIMEOUT) TerminateProcess(child, 9);
    WaitForSingleObject(child, INFINITE);
    CloseHandle(child);
    return GetTickCount() - start;
  };

  DWORD full = run(INFINITE);
  const std::vector<uint8_t> gsm = ReadBytes(msg);
  ExpectGsmBlocks(gsm, uint32_t(gsm.size() - 60) / 65);
  ASSERT_LT(gsm.size(), pcm.size() / 50);
  int keptPcm = 0, whole = 0;
  for (double part : {0.1, 0.3, 0.5, 0.7, 0.9, 0.98}) {
    run(DWORD(full * part));
    std::vector<uint8_t> now = ReadBytes(msg);
    bool isPcm = now == pcm, isGsm = now == gsm;
    EXPECT_TRUE(isPcm || isGsm) << "killed after " << part * full << " of " << full
                                << " ms: " << now.size() << " bytes";
    keptPcm += isPcm;
    whole += isGsm;
  }
  std::printf("full compression %lu ms; kills left PCM %d times, GSM %d times\n", full, keptPcm,
              whole);
  EXPECT_GT(keptPcm, 0);
  CloseHandle(started);
  RunShell("rm -rf " + UnixPath(dir));
}

}  // namespace
