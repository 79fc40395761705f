#include "audio/WaveConvert.h"

#include <algorithm>
#include <vector>

#include "audio/WavFormatUtils.h"
#include "audio/WaveStreams.h"

namespace {

// The compressed file is written beside the message and replaces it only when complete, so the
// message is always either the old PCM file or the whole GSM file. Removed unless kept.
class TTempFile {
 public:
  explicit TTempFile(std::string FileName) : Name(std::move(FileName)) {}
  ~TTempFile() {
    if (!Kept) DeleteFileA(Name.c_str());
  }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  const std::string Name;
  bool Kept = false;
};

void ReplaceFile(const std::string& From, const std::string& To) {
  // Windows refuses to replace a read-only file; Wine would replace it, so ask first.
  DWORD attributes = GetFileAttributesA(To.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    RaiseOSError(ERROR_ACCESS_DENIED, To);
  if (!MoveFileExA(From.c_str(), To.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    // Wine leaves no code when the target is open elsewhere.
    DWORD code = GetLastError();
    RaiseOSError(code ? code : ERROR_SHARING_VIOLATION, To);
  }
}

}  // namespace

std::vector<uint8_t> GsmDestinationFormat() {
  (void)acmMetrics(nullptr, ACM_METRIC_MAX_SIZE_FORMAT, &MaxFormatSize);
  std::vector<uint8_t> format(std::max<DWORD>(MaxFormatSize, sizeof(GSM610WAVEFORMAT)));
  auto* destFormat = reinterpret_cast<WAVEFORMATEX*>(format.data());
  destFormat->wFormatTag = WAVE_FORMAT_GSM610;
  // Wine's GSM codec refuses the suggestion when the extra size comes in as 0, and keeps the
  // value it finds; 2 is what GSM 6.10 carries, which Windows' codec fills in itself.
  destFormat->cbSize = sizeof(GSM610WAVEFORMAT) - sizeof(WAVEFORMATEX);
  return format;
}

bool CompressMessageFile(const std::string& Path) {
  TTempFile temp(Path + ".tmp");
  {
    TBufferedFileStream source(Path, TBufferedFileStream::fmOpenRead);
    std::vector<uint8_t> format = GsmDestinationFormat();
    TBufferedFileStream dest(temp.Name, TBufferedFileStream::fmCreate);
    TWaveFormatList list;
    if (!list.DoubleConvert(source, dest, reinterpret_cast<WAVEFORMATEX*>(format.data())))
      return false;
    dest.Commit();
  }
  ReplaceFile(temp.Name, Path);
  temp.Kept = true;
  return true;
}
