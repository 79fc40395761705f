// The wave header reader and the compressed file layout, over bytes in memory.
#include "audio/WavFormatUtils.h"

#include <gtest/gtest.h>

#include "unit/audio/WaveBytes.h"

namespace {

struct TReadCase {
  const char* Name;
  TPcmFields Fields;
  bool Accepted;
};

TPcmFields With(void (*change)(TPcmFields&)) {
  TPcmFields s;
  change(s);
  return s;
}

const TReadCase ReadCases[] = {
    {"fmt16", TPcmFields{}, true},
    {"fmt18", With([](TPcmFields& s) { s.FmtSize = 18; }), true},
    {"fmt20", With([](TPcmFields& s) { s.FmtSize = 20; }), true},
    {"stereo8",
     With([](TPcmFields& s) { s.Channels = 2, s.Bits = 8, s.Rate = 22050, s.Avg = 44100; }), true},
    {"fact", With([](TPcmFields& s) { s.Between = "fact"; }), true},
    {"fmt18fact", With([](TPcmFields& s) { s.FmtSize = 18, s.Between = "fact"; }), true},
    {"list", With([](TPcmFields& s) { s.Between = "LIST"; }), false},
    {"threeChannels", With([](TPcmFields& s) { s.Channels = 3, s.Align = 6, s.Avg = 48000; }),
     false},
    {"noChannels", With([](TPcmFields& s) { s.Channels = 0; }), false},
    {"wrongAverage", With([](TPcmFields& s) { s.Avg = 16001; }), false},
    {"gsm", With([](TPcmFields& s) { s.Tag = 0x31, s.Avg = 1625, s.Align = 65, s.Bits = 0; }),
     false},
    {"alignZero", With([](TPcmFields& s) { s.Align = 0, s.Avg = 0; }), false},
};

void PrintTo(const TReadCase& c, std::ostream* os) {
  *os << c.Name;
}

class ReadWaveHeaderCase : public testing::TestWithParam<TReadCase> {};

TEST_P(ReadWaveHeaderCase, AcceptsPcmAndStandsOnTheFirstDataByte) {
  const TReadCase& c = GetParam();
  TMemoryStream stream(MakeWave(c.Fields));
  TWaveFormat19 format{};
  uint32_t dataSize = 0;
  EXPECT_EQ(ReadWaveHeader(stream, format, dataSize), c.Accepted);
  if (!c.Accepted) return;
  EXPECT_EQ(format.wFormatTag, c.Fields.Tag);
  EXPECT_EQ(format.nChannels, c.Fields.Channels);
  EXPECT_EQ(format.nSamplesPerSec, c.Fields.Rate);
  EXPECT_EQ(format.nAvgBytesPerSec, c.Fields.Avg);
  EXPECT_EQ(format.nBlockAlign, c.Fields.Align);
  EXPECT_EQ(format.wBitsPerSample, c.Fields.Bits);
  EXPECT_EQ(dataSize, c.Fields.DataSize);
  uint8_t first = 0;
  ASSERT_EQ(stream.Read(&first, 1), 1u);
  EXPECT_EQ(first, 0xA0);
}

INSTANTIATE_TEST_SUITE_P(Files, ReadWaveHeaderCase, testing::ValuesIn(ReadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ReadWaveHeader, RejectsWrongIdentifiers) {
  const std::vector<uint8_t> good = MakeWave(TPcmFields{});
  for (size_t at : {0u, 8u, 12u, 36u}) {
    for (uint8_t change : {uint8_t(0x20), uint8_t(0x01)}) {  // case and value
      std::vector<uint8_t> bytes = good;
      bytes[at + 1] ^= change;
      TMemoryStream stream(bytes);
      TWaveFormat19 format{};
      uint32_t dataSize = 0;
      EXPECT_FALSE(ReadWaveHeader(stream, format, dataSize)) << "identifier at " << at;
    }
  }
}

// A file cut anywhere before the data size is refused; cut inside the data size, the size holds
// the bytes that were there.
TEST(ReadWaveHeader, FileCutAtEachByte) {
  const std::vector<uint8_t> good = MakeWave(With([](TPcmFields& s) { s.DataSize = 0x04030201; }));
  for (size_t length = 0; length < 44; ++length) {
    TMemoryStream stream(std::vector<uint8_t>(good.begin(), good.begin() + length));
    TWaveFormat19 format{};
    uint32_t dataSize = 0;
    bool accepted = ReadWaveHeader(stream, format, dataSize);
    EXPECT_EQ(accepted, length >= 40) << length;
    if (accepted) {
      EXPECT_EQ(dataSize, 0x04030201u & ((1ull << (8 * (length - 40))) - 1)) << length;
    }
  }
}

struct TLayoutCase {
  int64_t Start;
  uint16_t BlockAlign;
  uint32_t Total;
  uint32_t Fact;
};

void PrintTo(const TLayoutCase& c, std::ostream* os) {
  *os << "start " << c.Start << ", block align " << c.BlockAlign << ", " << c.Total << " bytes";
}

class CompressedLayout : public testing::TestWithParam<TLayoutCase> {};

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

TEST_P(CompressedLayout, HeaderPatchedAfterTheData) {
  const TLayoutCase& c = GetParam();
  const auto record = TWaveBytes()
                          .U16(0x31)
                          .U16(1)
                          .U32(8000)
                          .U32(1625)
                          .U16(c.BlockAlign)
                          .U16(0)
                          .U16(2)
                          .U16(320)
                          .Bytes;
  TMemoryStream dest;
  dest.Write(std::string(size_t(c.Start), 'x').data(), size_t(c.Start));
  WriteCompressedHeader(dest, record.data(), 2);
  EXPECT_EQ(dest.Size(), c.Start + 60);
  for (size_t field : {4u, 48u, 56u}) EXPECT_EQ(U32At(dest.Data, c.Start + field), 0u) << field;
  dest.Write(std::vector<uint8_t>(c.Total, 0x77).data(), c.Total);
  PatchCompressedHeader(dest, c.Start, 2, c.BlockAlign, c.Total);

  const std::vector<uint8_t> b(dest.Data.begin() + c.Start, dest.Data.end());
  ASSERT_EQ(b.size(), 60u + c.Total);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(U32At(b, 4), 52 + c.Total);
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(U32At(b, 16), 20u);
  EXPECT_TRUE(std::equal(record.begin(), record.end(), b.begin() + 20));
  EXPECT_EQ(std::string(b.begin() + 40, b.begin() + 44), "fact");
  EXPECT_EQ(U32At(b, 44), 4u);
  EXPECT_EQ(U32At(b, 48), c.Fact);
  EXPECT_EQ(std::string(b.begin() + 52, b.begin() + 56), "data");
  EXPECT_EQ(U32At(b, 56), c.Total);
  if (c.Total > 0) {
    EXPECT_EQ(b[60], 0x77);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CompressedLayout,
                         testing::Values(TLayoutCase{0, 65, 6500, 100},
                                         TLayoutCase{7, 65, 6530, 100}, TLayoutCase{0, 0, 130, 130},
                                         TLayoutCase{0, 65, 0, 0}),
                         [](const auto& info) {
                           const TLayoutCase& c = info.param;
                           return "start" + std::to_string(c.Start) + "align" +
                                  std::to_string(c.BlockAlign) + "data" + std::to_string(c.Total);
                         });

}  // namespace
