// Recording and playback of the message file through the platform's MCI waveform-audio device.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <functional>
#include <string>

class TWaveRecorder {
 public:
  using TNotifyEvent = std::function<void(TWaveRecorder* Sender)>;

  TWaveRecorder();
  ~TWaveRecorder();
  TWaveRecorder(const TWaveRecorder&) = delete;
  TWaveRecorder& operator=(const TWaveRecorder&) = delete;

  void Close();
  bool Play(TNotifyEvent Handler);
  bool ContinuePlay(TNotifyEvent Handler);
  bool StartRecord(TNotifyEvent Handler = nullptr);
  bool Stop(TNotifyEvent Handler);
  bool Pause(TNotifyEvent Handler);
  bool Resume();
  bool Save();
  bool SetWaveFormat();
  std::string ErrorText();

  HWND NotifyWindow = nullptr;
  uint32_t LastError = 0;
  uint32_t DeviceID = 0;
  // Called with the recorder when a play, stop or pause command completes successfully.
  TNotifyEvent OnNotify;
  uint8_t Channels = 0;
  int32_t SamplesPerSec = 0;
  uint16_t BitsPerSample = 0;
  std::string FileName;

 private:
  bool Send(UINT Command, DWORD_PTR Flags, void* Params);
  bool Open(const char* Element);
  DWORD_PTR Status(DWORD Item);
  bool StatusOk(DWORD Item, DWORD_PTR& Value);
  static LRESULT CALLBACK NotifyProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
};
