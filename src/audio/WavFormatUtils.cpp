#include "audio/WavFormatUtils.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

bool ReadTag(TStream& Stream, const char* Tag) {
  char got[4] = {};
  return Stream.Read(got, 4) == 4 && std::memcmp(got, Tag, 4) == 0;
}

uint32_t ReadU32(TStream& Stream) {
  uint32_t value = 0;
  (void)Stream.Read(&value, 4);
  return value;
}

void WriteU32(TStream& Stream, uint32_t Value) {
  Stream.Write(&Value, 4);
}

}  // namespace

bool ReadWaveHeader(TStream& Stream, TWaveFormat19& Format, uint32_t& DataSize) {
  if (!ReadTag(Stream, "RIFF")) return false;
  Stream.Seek(4, TSeekOrigin::soCurrent);
  if (!ReadTag(Stream, "WAVE") || !ReadTag(Stream, "fmt ")) return false;
  uint32_t fmtSize = ReadU32(Stream);
  (void)Stream.Read(&Format, sizeof Format);
  // Back over what the 19-byte read took beyond a 16-byte chunk, or on past a longer one.
  Stream.Seek(static_cast<int64_t>(fmtSize) - static_cast<int64_t>(sizeof Format),
              TSeekOrigin::soCurrent);
  char id[4] = {};
  if (Stream.Read(id, 4) != 4) return false;
  if (std::memcmp(id, "fact", 4) == 0) {
    uint32_t factSize = ReadU32(Stream);
    Stream.Seek(factSize, TSeekOrigin::soCurrent);
    if (Stream.Read(id, 4) != 4) return false;
  }
  if (std::memcmp(id, "data", 4) != 0) return false;
  DataSize = ReadU32(Stream);
  // A block align of 0 would pass with 0 bytes per second, yet has no block to convert.
  return Format.wFormatTag == WaveFormatPcm && (Format.nChannels == 1 || Format.nChannels == 2) &&
         Format.nBlockAlign > 0 &&
         static_cast<uint64_t>(Format.nSamplesPerSec) * Format.nBlockAlign ==
             Format.nAvgBytesPerSec;
}

void WriteCompressedHeader(TStream& Dest, const void* DestFormat, uint16_t ExtraSize) {
  Dest.Write("RIFF", 4);
  WriteU32(Dest, 0);
  Dest.Write("WAVEfmt ", 8);
  WriteU32(Dest, WaveFormatBaseSize + ExtraSize);
  Dest.Write(DestFormat, WaveFormatBaseSize + ExtraSize);
  Dest.Write("fact", 4);
  WriteU32(Dest, 4);
  WriteU32(Dest, 0);
  Dest.Write("data", 4);
  WriteU32(Dest, 0);
}

void PatchCompressedHeader(TStream& Dest, int64_t Start, uint16_t ExtraSize, uint16_t BlockAlign,
                           uint32_t Total) {
  Dest.Seek(Start + 4, TSeekOrigin::soBeginning);
  WriteU32(Dest, 50 + ExtraSize + Total);
  Dest.Seek(38 + ExtraSize, TSeekOrigin::soCurrent);
  WriteU32(Dest, BlockAlign == 0 ? Total : Total / BlockAlign);
  Dest.Seek(4, TSeekOrigin::soCurrent);
  WriteU32(Dest, Total);
}

#ifdef _WIN32

DWORD MaxFormatSize = 0;

namespace {

constexpr uint32_t ChunkLimit = 1048576;

// One opened ACM stream with its header. Whatever is still prepared or open when it goes out of
// scope (a failure, or an exception from the destination stream) is released here.
struct TAcmStage {
  HACMSTREAM Handle = nullptr;
  ACMSTREAMHEADER Header{};
  DWORD SrcLength = 0;
  DWORD DstLength = 0;
  bool Prepared = false;

  TAcmStage() = default;
  TAcmStage(const TAcmStage&) = delete;
  TAcmStage& operator=(const TAcmStage&) = delete;
  ~TAcmStage() {
    if (Prepared) (void)Unprepare();
    if (Handle) (void)acmStreamClose(Handle, 0);
  }

  void Attach(BYTE* Src, DWORD SrcLen, BYTE* Dst, DWORD DstLen) {
    Header.cbStruct = sizeof Header;
    Header.pbSrc = Src;
    Header.cbSrcLength = SrcLength = SrcLen;
    Header.pbDst = Dst;
    Header.cbDstLength = DstLength = DstLen;
  }
  MMRESULT Prepare() {
    MMRESULT rc = acmStreamPrepareHeader(Handle, &Header, 0);
    Prepared = rc == 0;
    return rc;
  }
  // The header must carry the lengths it was prepared with.
  MMRESULT Unprepare() {
    Header.cbSrcLength = SrcLength;
    Header.cbDstLength = DstLength;
    MMRESULT rc = acmStreamUnprepareHeader(Handle, &Header, 0);
    if (rc == 0) Prepared = false;
    return rc;
  }
  MMRESULT Close() {
    MMRESULT rc = acmStreamClose(Handle, 0);
    if (rc == 0) Handle = nullptr;
    return rc;
  }
  MMRESULT Convert(DWORD Length) {
    Header.cbSrcLength = Length;
    Header.cbDstLengthUsed = 0;
    MMRESULT rc = acmStreamConvert(Handle, &Header, ACM_STREAMCONVERTF_BLOCKALIGN);
    if (rc == 0) (void)acmStreamReset(Handle, 0);
    return rc;
  }
};

}  // namespace

TWaveFormatList::TWaveFormatList() {
  (void)acmMetrics(nullptr, ACM_METRIC_MAX_SIZE_FORMAT, &MaxFormatSize);
}

bool TWaveFormatList::Fail(const char* Message, int32_t Code) {
  ErrorMessage = Message;
  ErrorCode = Code;
  return false;
}

bool TWaveFormatList::DoubleConvert(TStream& Source, TStream& Dest, WAVEFORMATEX* DestFormat) {
  TWaveFormat19 srcFormat{};
  TWaveFormat19 midFormat{};
  uint32_t dataSize = 0;
  if (!ReadWaveHeader(Source, srcFormat, dataSize)) return Fail("Source file not PCM format", 1);
  // A data size beyond the end of the file counts only the bytes that are there.
  int64_t left = std::max<int64_t>(0, Source.Size() - Source.Position());
  dataSize = static_cast<uint32_t>(std::min<int64_t>(dataSize, left));

  uint32_t total = 0;
  int64_t start = Dest.Position();
  auto* src = reinterpret_cast<WAVEFORMATEX*>(&srcFormat);
  auto* mid = reinterpret_cast<WAVEFORMATEX*>(&midFormat);
  midFormat.wFormatTag = WaveFormatPcm;
  midFormat.nChannels = Mono8kIntermediate ? 1 : DestFormat->nChannels;
  midFormat.nSamplesPerSec = Mono8kIntermediate ? 8000 : DestFormat->nSamplesPerSec;
  const DWORD exact = ACM_FORMATSUGGESTF_WFORMATTAG | ACM_FORMATSUGGESTF_NCHANNELS |
                      ACM_FORMATSUGGESTF_NSAMPLESPERSEC;
  MMRESULT rc = acmFormatSuggest(nullptr, src, mid, sizeof midFormat, exact);
  if (rc) return Fail("Suggest # 1", rc);
  rc = acmFormatSuggest(nullptr, mid, DestFormat, MaxFormatSize,
                        Mono8kIntermediate ? ACM_FORMATSUGGESTF_WFORMATTAG : exact);
  if (rc) return Fail("Suggest # 2", rc);
  if (WaveFormatBaseSize + DestFormat->cbSize > MaxFormatSize)
    return Fail("Suggest # 2", ACMERR_NOTPOSSIBLE);
  WriteCompressedHeader(Dest, DestFormat, DestFormat->cbSize);

  // The buffers outlive the stages, which may still be prepared over them at a failure.
  std::vector<BYTE> srcBuf, midBuf, dstBuf;
  TAcmStage stage1, stage2;
  rc = acmStreamOpen(&stage1.Handle, nullptr, src, mid, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME);
  if (rc) return Fail("Open # 1", rc);
  rc = acmStreamOpen(&stage2.Handle, nullptr, mid, DestFormat, nullptr, 0, 0,
                     ACM_STREAMOPENF_NONREALTIME);
  if (rc) return Fail("Open # 2", rc);

  const DWORD srcBlock =
      dataSize < ChunkLimit ? dataSize : ChunkLimit - ChunkLimit % srcFormat.nBlockAlign;
  DWORD midSize = 0, dstSize = 0;
  (void)acmStreamSize(stage1.Handle, srcBlock, &midSize, ACM_STREAMSIZEF_SOURCE);
  (void)acmStreamSize(stage2.Handle, midSize, &dstSize, ACM_STREAMSIZEF_SOURCE);
  srcBuf.assign(srcBlock, 0);
  midBuf.assign(midSize, 0);
  dstBuf.assign(dstSize, 0);
  stage1.Attach(srcBuf.data(), srcBlock, midBuf.data(), midSize);
  stage2.Attach(midBuf.data(), midSize, dstBuf.data(), dstSize);
  if ((rc = stage1.Prepare())) return Fail("PrepareHeader # 1", rc);
  if ((rc = stage2.Prepare())) return Fail("PrepareHeader # 2", rc);

  // Each chunk is converted and reset on its own: what does not fill a whole destination block
  // at a chunk's end is dropped.
  do {
    DWORD want = std::min<DWORD>(dataSize, srcBlock);
    DWORD got = static_cast<DWORD>(Source.Read(srcBuf.data(), want));
    if ((rc = stage1.Convert(got))) return Fail("Convert # 1", rc);
    if ((rc = stage2.Convert(stage1.Header.cbDstLengthUsed))) return Fail("Convert # 2", rc);
    Dest.Write(dstBuf.data(), stage2.Header.cbDstLengthUsed);
    total += stage2.Header.cbDstLengthUsed;
    // A file that ends early ends the conversion.
    dataSize = got < want ? 0 : dataSize - want;
  } while (dataSize > 0);

  if ((rc = stage1.Unprepare())) return Fail("UnPrepareHeader # 1", rc);
  if ((rc = stage2.Unprepare())) return Fail("UnPrepareHeader # 2", rc);
  std::vector<BYTE>().swap(srcBuf);
  std::vector<BYTE>().swap(midBuf);
  std::vector<BYTE>().swap(dstBuf);
  if ((rc = stage1.Close())) return Fail("Return code Close # 1 in DoubleConvert", rc);
  if ((rc = stage2.Close())) return Fail("Close # 2", rc);

  PatchCompressedHeader(Dest, start, DestFormat->cbSize, DestFormat->nBlockAlign, total);
  return true;
}

#endif
