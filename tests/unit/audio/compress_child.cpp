// Compression in a process of its own, for the tests that change the codec list or kill it.
//   compress_child report PATH         prints "<answer> <ErrorCode> <ErrorMessage>" of the
//                                      conversion, then CompressMessageFile's answer
//   compress_child compress PATH EVENT sets the named event, then compresses PATH
#include <cstdio>
#include <cstring>

#include "audio/WavFormatUtils.h"
#include "audio/WaveConvert.h"

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "report") == 0) {
    bool ok = false;
    TWaveFormatList list;
    {
      TBufferedFileStream source(argv[2], TBufferedFileStream::fmOpenRead);
      TMemoryStream dest;
      std::vector<uint8_t> format = GsmDestinationFormat();
      ok = list.DoubleConvert(source, dest, reinterpret_cast<WAVEFORMATEX*>(format.data()));
    }
    std::printf("%d %d %s\n%d\n", ok, list.ErrorCode, list.ErrorMessage.c_str(),
                CompressMessageFile(argv[2]));
    return 0;
  }
  if (argc >= 4 && std::strcmp(argv[1], "compress") == 0) {
    HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    SetEvent(started);
    return CompressMessageFile(argv[2]) ? 0 : 1;
  }
  return 2;
}
