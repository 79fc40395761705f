// Builds small wave files byte by byte for the reader's tests and the fuzz seeds.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct TWaveBytes {
  std::vector<uint8_t> Bytes;

  TWaveBytes& Tag(const char* id) {
    Bytes.insert(Bytes.end(), id, id + 4);
    return *this;
  }
  TWaveBytes& U16(uint16_t v) {
    Bytes.push_back(uint8_t(v));
    Bytes.push_back(uint8_t(v >> 8));
    return *this;
  }
  TWaveBytes& U32(uint32_t v) { return U16(uint16_t(v)).U16(uint16_t(v >> 16)); }
  TWaveBytes& Fill(size_t n, uint8_t v) {
    Bytes.insert(Bytes.end(), n, v);
    return *this;
  }
};

struct TPcmFields {
  uint32_t FmtSize = 16;  // 16, 18 or 20
  uint16_t Tag = 1;
  uint16_t Channels = 1;
  uint32_t Rate = 8000;
  uint32_t Avg = 16000;
  uint16_t Align = 2;
  uint16_t Bits = 16;
  std::string Between;  // "fact" or "LIST": a chunk between "fmt " and "data"
  uint32_t DataSize = 8;
};

// A file whose audio data are the bytes 0xA0, 0xA1, ... (DataSize of them).
inline std::vector<uint8_t> MakeWave(const TPcmFields& s) {
  TWaveBytes w;
  w.Tag("RIFF").U32(0).Tag("WAVE").Tag("fmt ").U32(s.FmtSize);
  w.U16(s.Tag).U16(s.Channels).U32(s.Rate).U32(s.Avg).U16(s.Align).U16(s.Bits);
  if (s.FmtSize >= 18) w.U16(uint16_t(s.FmtSize - 18));
  w.Fill(s.FmtSize > 18 ? s.FmtSize - 18 : 0, 0x55);
  if (s.Between == "fact") w.Tag("fact").U32(4).U32(4000);
  if (s.Between == "LIST") w.Tag("LIST").U32(4).Tag("INFO");
  w.Tag("data").U32(s.DataSize);
  for (uint32_t i = 0; i < s.DataSize; ++i) w.Bytes.push_back(uint8_t(0xA0 + i));
  uint32_t riff = uint32_t(w.Bytes.size() - 8);
  std::memcpy(w.Bytes.data() + 4, &riff, 4);
  return w.Bytes;
}
