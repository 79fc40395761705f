// The head of a PCM wave file, the layout of the compressed message file, and (on Windows) the
// two-stage conversion of a PCM wave stream to GSM 6.10 through the Audio Compression Manager.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

#include "audio/WaveStreams.h"

#ifdef _WIN32
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>
#endif

static_assert(std::endian::native == std::endian::little, "wave records are read in place");

#pragma pack(push, 1)
// A wave format record (the platform's WAVEFORMATEX) and one byte more: the reader always takes
// 19 bytes, whatever the "fmt " chunk's size.
struct TWaveFormat19 {
  uint16_t wFormatTag;
  uint16_t nChannels;
  uint32_t nSamplesPerSec;
  uint32_t nAvgBytesPerSec;
  uint16_t nBlockAlign;
  uint16_t wBitsPerSample;
  uint16_t cbSize;
  uint8_t Extra;
};
#pragma pack(pop)
static_assert(sizeof(TWaveFormat19) == 19);

constexpr uint16_t WaveFormatPcm = 1;
constexpr uint16_t WaveFormatGsm610 = 0x31;
// Size of a wave format record without its codec bytes.
constexpr uint32_t WaveFormatBaseSize = 18;

// Reads "RIFF", "WAVE", "fmt ", an optional "fact" and the "data" header, leaving Stream on the
// first audio byte. Answers whether the file is a PCM source that can be compressed. Never raises.
bool ReadWaveHeader(TStream& Stream, TWaveFormat19& Format, uint32_t& DataSize);

// The compressed file's header, with 0 in the RIFF size, the "fact" value and the data size.
// DestFormat points to the 18 + ExtraSize bytes of the destination format record.
void WriteCompressedHeader(TStream& Dest, const void* DestFormat, uint16_t ExtraSize);

// Fills in the three fields left 0 by WriteCompressedHeader, once Total data bytes follow it.
// Start is the position at which the header began.
void PatchCompressedHeader(TStream& Dest, int64_t Start, uint16_t ExtraSize, uint16_t BlockAlign,
                           uint32_t Total);

#ifdef _WIN32
// The largest format record of any installed codec, set by every TWaveFormatList.
extern DWORD MaxFormatSize;

class TWaveFormatList {
 public:
  TWaveFormatList();

  // Converts the PCM wave file at Source to GSM 6.10 (or whatever DestFormat's tag names),
  // written to Dest as a complete wave file. On failure answers false with the reason kept.
  bool DoubleConvert(TStream& Source, TStream& Dest, WAVEFORMATEX* DestFormat);

  int32_t ErrorCode = 0;
  std::string ErrorMessage;
  bool Mono8kIntermediate = true;

 private:
  bool Fail(const char* Message, int32_t Code);
};
#endif
