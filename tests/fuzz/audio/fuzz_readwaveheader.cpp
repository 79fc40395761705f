// The wave header reader over arbitrary bytes: it must answer, never read out of bounds, and
// leave the stream inside or at the end of the data when it accepts.
#include <cstdlib>

#include "audio/WavFormatUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream stream(std::vector<uint8_t>(data, data + size));
  TWaveFormat19 format{};
  uint32_t dataSize = 0;
  if (ReadWaveHeader(stream, format, dataSize)) {
    if (format.nBlockAlign == 0 || format.wFormatTag != 1) std::abort();
    if (stream.Position() > static_cast<int64_t>(size)) std::abort();
  }
  return 0;
}
