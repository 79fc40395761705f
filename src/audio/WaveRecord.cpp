#include "audio/WaveRecord.h"

namespace {
const char NotifyClassName[] = "TWaveRecorderNotify";
}

TWaveRecorder::TWaveRecorder() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = NotifyProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = NotifyClassName;
  (void)RegisterClassA(&wc);  // fails harmlessly once the class exists
  NotifyWindow = CreateWindowExA(0, NotifyClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 wc.hInstance, nullptr);
  SetWindowLongPtrA(NotifyWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TWaveRecorder::~TWaveRecorder() {
  (void)mciSendCommandA(DeviceID, MCI_CLOSE, 0, 0);
  DestroyWindow(NotifyWindow);
}

LRESULT CALLBACK TWaveRecorder::NotifyProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg != MM_MCINOTIFY) return DefWindowProcA(Wnd, Msg, WParam, LParam);
  auto* self = reinterpret_cast<TWaveRecorder*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
  if (self && WParam == MCI_NOTIFY_SUCCESSFUL && self->OnNotify) {
    // A copy, since the handler may well start the next operation and replace OnNotify.
    TNotifyEvent handler = self->OnNotify;
    try {
      handler(self);
    } catch (...) {
      // Nothing may leave a window procedure; the handlers report their own failures.
    }
  }
  return 0;
}

bool TWaveRecorder::Send(UINT Command, DWORD_PTR Flags, void* Params) {
  LastError = mciSendCommandA(DeviceID, Command, Flags, reinterpret_cast<DWORD_PTR>(Params));
  return LastError == 0;
}

bool TWaveRecorder::Open(const char* Element) {
  MCI_OPEN_PARMSA params{};
  params.lpstrDeviceType = reinterpret_cast<LPCSTR>(MCI_DEVTYPE_WAVEFORM_AUDIO);
  params.lpstrElementName = Element;
  LastError = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT,
                              reinterpret_cast<DWORD_PTR>(&params));
  DeviceID = params.wDeviceID;
  return LastError == 0;
}

void TWaveRecorder::Close() { (void)mciSendCommandA(DeviceID, MCI_CLOSE, 0, 0); }

bool TWaveRecorder::Play(TNotifyEvent Handler) {
  Close();
  OnNotify = Handler;
  if (!Open(FileName.c_str())) return false;
  (void)ContinuePlay(std::move(Handler));
  return true;
}

bool TWaveRecorder::ContinuePlay(TNotifyEvent Handler) {
  OnNotify = std::move(Handler);
  MCI_PLAY_PARMS params{};
  params.dwCallback = reinterpret_cast<DWORD_PTR>(NotifyWindow);
  return Send(MCI_PLAY, MCI_NOTIFY, &params);
}

bool TWaveRecorder::StartRecord(TNotifyEvent Handler) {
  Close();
  OnNotify = std::move(Handler);
  if (!Open("")) return false;
  (void)SetWaveFormat();
  MCI_RECORD_PARMS params{};
  return Send(MCI_RECORD, 0, &params);
}

bool TWaveRecorder::Stop(TNotifyEvent Handler) {
  OnNotify = std::move(Handler);
  MCI_GENERIC_PARMS params{};
  params.dwCallback = reinterpret_cast<DWORD_PTR>(NotifyWindow);
  return Send(MCI_STOP, MCI_NOTIFY, &params);
}

bool TWaveRecorder::Pause(TNotifyEvent Handler) {
  OnNotify = std::move(Handler);
  MCI_GENERIC_PARMS params{};
  params.dwCallback = reinterpret_cast<DWORD_PTR>(NotifyWindow);
  return Send(MCI_PAUSE, MCI_NOTIFY, &params);
}

bool TWaveRecorder::Resume() {
  MCI_GENERIC_PARMS params{};
  return Send(MCI_RESUME, 0, &params);
}

bool TWaveRecorder::Save() {
  MCI_SAVE_PARMSA params{};
  params.lpfilename = FileName.c_str();
  return Send(MCI_SAVE, MCI_SAVE_FILE, &params);
}

bool TWaveRecorder::SetWaveFormat() {
  MCI_WAVE_SET_PARMS params{};
  params.wFormatTag = WAVE_FORMAT_PCM;
  params.nChannels = Channels;
  params.nSamplesPerSec = static_cast<DWORD>(SamplesPerSec);
  params.nBlockAlign = static_cast<WORD>(Channels * BitsPerSample / 8);
  params.nAvgBytesPerSec = params.nBlockAlign * static_cast<DWORD>(SamplesPerSec);
  params.wBitsPerSample = BitsPerSample;
  return Send(MCI_SET,
              MCI_WAVE_SET_FORMATTAG | MCI_WAVE_SET_CHANNELS | MCI_WAVE_SET_SAMPLESPERSEC |
                  MCI_WAVE_SET_AVGBYTESPERSEC | MCI_WAVE_SET_BLOCKALIGN |
                  MCI_WAVE_SET_BITSPERSAMPLE,
              &params);
}

std::string TWaveRecorder::ErrorText() {
  char text[256] = {};
  (void)mciGetErrorStringA(LastError, text, sizeof text);
  return text;
}
