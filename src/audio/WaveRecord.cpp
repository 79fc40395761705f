#include "audio/WaveRecord.h"

namespace {
const char NotifyClassName[] = "TWaveRecorderNotify";
}

TWaveRecorder::TWaveRecorder() {
  // Wine unloads its MCI wave driver when the device closes, while the closing wave-in device
  // still calls back into it from another thread: the process crashes after every recording.
  // A reference of our own keeps the driver loaded; on Windows it is one more of a system DLL.
  (void)LoadLibraryA("mciwave.dll");
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
  // Windows leaves the zero-filled identifier alone when the open fails; Wine writes the number
  // it had reserved for the device, which names nothing once the open has failed.
  DeviceID = LastError == 0 ? params.wDeviceID : 0;
  return LastError == 0;
}

void TWaveRecorder::Close() {
  (void)mciSendCommandA(DeviceID, MCI_CLOSE, 0, 0);
}

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
  DWORD_PTR flags = MCI_NOTIFY;
  // Wine takes a play command without a start on a paused device for a resume, and reports it
  // complete at once instead of at the end. Naming the paused position as the start makes it a
  // real play on Wine and changes nothing on Windows.
  DWORD_PTR position = 0;
  if (Status(MCI_STATUS_MODE) == MCI_MODE_PAUSE && StatusOk(MCI_STATUS_POSITION, position)) {
    params.dwFrom = static_cast<DWORD>(position);
    flags |= MCI_FROM;
  }
  return Send(MCI_PLAY, flags, &params);
}

DWORD_PTR TWaveRecorder::Status(DWORD Item) {
  DWORD_PTR value = 0;
  return StatusOk(Item, value) ? value : 0;
}

bool TWaveRecorder::StatusOk(DWORD Item, DWORD_PTR& Value) {
  MCI_STATUS_PARMS params{};
  params.dwItem = Item;
  if (mciSendCommandA(DeviceID, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&params)))
    return false;
  Value = params.dwReturn;
  return true;
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
  DWORD_PTR mode = Status(MCI_STATUS_MODE);
  if (!Send(MCI_STOP, MCI_NOTIFY, &params)) return false;
  // Wine's wave driver answers the stop of a recording while its recording thread still closes
  // the wave-in device; a save and close right after it free what that thread still writes to,
  // and the heap breaks a little later. The thread needs a few milliseconds more.
  if (mode == MCI_MODE_RECORD || mode == MCI_MODE_PAUSE) Sleep(250);
  return true;
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
