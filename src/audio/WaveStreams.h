// Byte streams for the wave code: an abstract stream, a growing memory stream and, on Windows,
// a buffered file stream, so that a message is read and written piecewise rather than held whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "util/Errors.h"
#endif

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to Count bytes; fewer at the end of the stream.
  virtual size_t Read(void* Buffer, size_t Count) = 0;
  // Writes all Count bytes or raises the platform's error (EOSError).
  virtual void Write(const void* Buffer, size_t Count) = 0;
  // Moves the position (never below 0; beyond the end is allowed) and answers the new one.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  virtual int64_t Size() = 0;
  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> Bytes) : Data(std::move(Bytes)) {}
  size_t Read(void* Buffer, size_t Count) override;
  void Write(const void* Buffer, size_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return static_cast<int64_t>(Data.size()); }

  std::vector<uint8_t> Data;

 private:
  size_t Pos = 0;
};

#ifdef _WIN32
// A file opened with CreateFileA, read and written through one 64 KiB buffer. Requests larger
// than the buffer go to the file directly.
class TBufferedFileStream : public TStream {
 public:
  enum TMode { fmOpenRead, fmCreate };
  TBufferedFileStream(const std::string& FileName, TMode Mode);
  ~TBufferedFileStream() override;
  TBufferedFileStream(const TBufferedFileStream&) = delete;
  TBufferedFileStream& operator=(const TBufferedFileStream&) = delete;

  size_t Read(void* Buffer, size_t Count) override;
  void Write(const void* Buffer, size_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override;
  // Writes the buffer out and has the system put the file's data on the disk.
  void Commit();

 private:
  void FlushBuffer();
  size_t ReadAt(int64_t Where, void* Buffer, size_t Count);
  void WriteAt(int64_t Where, const void* Buffer, size_t Count);
  [[noreturn]] void Fail(DWORD Code);

  std::string Name;
  HANDLE Handle = INVALID_HANDLE_VALUE;
  std::vector<uint8_t> Buf;
  int64_t Pos = 0;       // the stream's position
  int64_t BufStart = 0;  // file offset of Buf[0]
  size_t BufRead = 0;    // bytes of Buf that hold file data read from BufStart
  size_t BufDirty = 0;   // bytes of Buf still to be written at BufStart
};
#endif
