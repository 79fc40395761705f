// The buffered file stream against the memory stream: the same reads, writes and seeks give the
// same bytes, across the buffer's edges and around requests larger than the buffer.
#include "audio/WaveStreams.h"

#include <gtest/gtest.h>

#include <random>

#include "unit/audio/AudioTestUtils.h"

namespace {

TEST(BufferedFileStream, BehavesLikeTheMemoryStream) {
  std::string file = TestFolder("streams") + "stream.bin";
  std::mt19937 random(7);
  TMemoryStream model;
  {
    TBufferedFileStream stream(file, TBufferedFileStream::fmCreate);
    for (int step = 0; step < 400; ++step) {
      // Mostly small requests, some around the 64 KiB buffer and beyond it.
      size_t sizes[] = {1, 3, 4, 19, 1000, 65535, 65536, 65537, 200000};
      size_t count = sizes[random() % std::size(sizes)];
      switch (random() % 4) {
        case 0:
        case 1: {
          std::vector<uint8_t> bytes(count);
          for (auto& b : bytes) b = uint8_t(random());
          stream.Write(bytes.data(), count);
          model.Write(bytes.data(), count);
          break;
        }
        case 2: {
          std::vector<uint8_t> got(count), want(count);
          ASSERT_EQ(stream.Read(got.data(), count), model.Read(want.data(), count)) << step;
          ASSERT_EQ(got, want) << step;
          break;
        }
        case 3: {
          int64_t to = int64_t(random() % (model.Size() + 100));
          TSeekOrigin origin = TSeekOrigin(random() % 3);
          int64_t offset = origin == TSeekOrigin::soBeginning ? to
                           : origin == TSeekOrigin::soCurrent ? to - model.Position()
                                                              : to - model.Size();
          ASSERT_EQ(stream.Seek(offset, origin), model.Seek(offset, origin)) << step;
          break;
        }
      }
      ASSERT_EQ(stream.Position(), model.Position()) << step;
    }
    ASSERT_EQ(stream.Size(), model.Size());
    stream.Commit();
  }
  EXPECT_EQ(ReadBytes(file), model.Data);

  TBufferedFileStream reader(file, TBufferedFileStream::fmOpenRead);
  std::vector<uint8_t> all(model.Data.size() + 10);
  EXPECT_EQ(reader.Read(all.data(), all.size()), model.Data.size());
}

TEST(BufferedFileStream, MissingFileRaisesThePlatformText) {
  std::string file = TestFolder("streams-missing") + "none.bin";
  try {
    TBufferedFileStream stream(file, TBufferedFileStream::fmOpenRead);
    ADD_FAILURE() << "opened a missing file";
  } catch (const EOSError& e) {
    EXPECT_EQ(std::string(e.what()), file + ": " + SysErrorMessage(ERROR_FILE_NOT_FOUND));
  }
}

}  // namespace
