#include "audio/WaveStreams.h"

#include <algorithm>
#include <cstring>

size_t TMemoryStream::Read(void* Buffer, size_t Count) {
  if (Pos >= Data.size()) return 0;
  size_t n = std::min(Count, Data.size() - Pos);
  std::memcpy(Buffer, Data.data() + Pos, n);
  Pos += n;
  return n;
}

void TMemoryStream::Write(const void* Buffer, size_t Count) {
  if (Count == 0) return;
  if (Pos + Count > Data.size()) Data.resize(Pos + Count);
  std::memcpy(Data.data() + Pos, Buffer, Count);
  Pos += Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int64_t base = Origin == TSeekOrigin::soBeginning ? 0
                 : Origin == TSeekOrigin::soCurrent ? static_cast<int64_t>(Pos)
                                                    : Size();
  // A position far beyond the end only makes later reads answer nothing.
  int64_t target = std::clamp<int64_t>(base + Offset, 0, INT32_MAX);
  Pos = static_cast<size_t>(target);
  return target;
}

#ifdef _WIN32

namespace {
constexpr size_t BufferSize = 64 * 1024;
}

TBufferedFileStream::TBufferedFileStream(const std::string& FileName, TMode Mode)
    : Name(FileName), Buf(BufferSize) {
  if (Mode == fmOpenRead)
    Handle = CreateFileA(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  else
    Handle = CreateFileA(FileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (Handle == INVALID_HANDLE_VALUE) Fail(GetLastError());
}

TBufferedFileStream::~TBufferedFileStream() {
  try {
    FlushBuffer();
  } catch (const EOSError&) {
    // Whoever needs the data on the disk calls Commit and sees the failure there.
  }
  CloseHandle(Handle);
}

void TBufferedFileStream::Fail(DWORD Code) { RaiseOSError(Code, Name); }

size_t TBufferedFileStream::ReadAt(int64_t Where, void* Buffer, size_t Count) {
  LARGE_INTEGER at;
  at.QuadPart = Where;
  if (!SetFilePointerEx(Handle, at, nullptr, FILE_BEGIN)) Fail(GetLastError());
  DWORD got = 0;
  if (!ReadFile(Handle, Buffer, static_cast<DWORD>(Count), &got, nullptr)) Fail(GetLastError());
  return got;
}

void TBufferedFileStream::WriteAt(int64_t Where, const void* Buffer, size_t Count) {
  LARGE_INTEGER at;
  at.QuadPart = Where;
  if (!SetFilePointerEx(Handle, at, nullptr, FILE_BEGIN)) Fail(GetLastError());
  DWORD put = 0;
  if (!WriteFile(Handle, Buffer, static_cast<DWORD>(Count), &put, nullptr)) Fail(GetLastError());
  if (put != Count) Fail(ERROR_DISK_FULL);
}

void TBufferedFileStream::FlushBuffer() {
  if (BufDirty == 0) return;
  size_t n = BufDirty;
  BufDirty = 0;
  WriteAt(BufStart, Buf.data(), n);
}

size_t TBufferedFileStream::Read(void* Buffer, size_t Count) {
  FlushBuffer();
  auto* out = static_cast<uint8_t*>(Buffer);
  size_t done = 0;
  while (done < Count) {
    if (Pos >= BufStart && Pos < BufStart + static_cast<int64_t>(BufRead)) {
      size_t offset = static_cast<size_t>(Pos - BufStart);
      size_t n = std::min(Count - done, BufRead - offset);
      std::memcpy(out + done, Buf.data() + offset, n);
      done += n;
      Pos += static_cast<int64_t>(n);
      continue;
    }
    size_t got;
    if (Count - done >= Buf.size()) {
      got = ReadAt(Pos, out + done, Count - done);
      done += got;
      Pos += static_cast<int64_t>(got);
    } else {
      BufStart = Pos;
      BufRead = got = ReadAt(Pos, Buf.data(), Buf.size());
    }
    if (got == 0) break;
  }
  return done;
}

void TBufferedFileStream::Write(const void* Buffer, size_t Count) {
  BufRead = 0;
  if (BufDirty > 0 &&
      (BufStart + static_cast<int64_t>(BufDirty) != Pos || BufDirty + Count > Buf.size()))
    FlushBuffer();
  if (Count >= Buf.size()) {
    WriteAt(Pos, Buffer, Count);
  } else {
    if (BufDirty == 0) BufStart = Pos;
    std::memcpy(Buf.data() + BufDirty, Buffer, Count);
    BufDirty += Count;
  }
  Pos += static_cast<int64_t>(Count);
}

int64_t TBufferedFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int64_t base = Origin == TSeekOrigin::soBeginning ? 0
                 : Origin == TSeekOrigin::soCurrent ? Pos
                                                    : Size();
  Pos = std::max<int64_t>(0, base + Offset);
  return Pos;
}

int64_t TBufferedFileStream::Size() {
  FlushBuffer();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(Handle, &size)) Fail(GetLastError());
  return size.QuadPart;
}

void TBufferedFileStream::Commit() {
  FlushBuffer();
  if (!FlushFileBuffers(Handle)) Fail(GetLastError());
}

#endif
