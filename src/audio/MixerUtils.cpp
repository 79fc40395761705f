#include "audio/MixerUtils.h"

#include <algorithm>
#include <cstring>

#include "audio/LevelArithmetic.h"

TMixerApi MixerApi{};

const TMixerApi& PlatformMixerApi() {
  static const TMixerApi api = {mixerOpen,
                                mixerClose,
                                mixerGetDevCapsA,
                                mixerGetLineInfoA,
                                mixerGetLineControlsA,
                                mixerGetControlDetailsA,
                                mixerSetControlDetails};
  return api;
}

namespace {

const char kCallbackClass[] = "BdaMixerCallback";

const TMixerApi& Api() {
  return MixerApi.Open ? MixerApi : PlatformMixerApi();
}

HMIXEROBJ Obj(HMIXER h) {
  return reinterpret_cast<HMIXEROBJ>(h);
}

}  // namespace

// ---- TMixer ----

TMixer::TMixer(HWND callbackWindow) : Controls(kMixerBufferItems) {
  if (callbackWindow)
    (void)Api().Open(&Handle, 0, reinterpret_cast<DWORD_PTR>(callbackWindow), 0, CALLBACK_WINDOW);
  else
    (void)Api().Open(&Handle, 0, 0, 0, 0);
}

TMixer::~TMixer() {
  if (Handle) (void)Api().Close(Handle);
}

TMixer::Scan TMixer::ReadControls(MIXERCONTROLA& control, DWORD controlType) {
  // A line may have more controls than the buffer holds: the buffer grows to the line's count.
  if (Line.cControls > Controls.size()) Controls.resize(Line.cControls);
  for (MIXERCONTROLA& c : Controls) c.cbStruct = sizeof(MIXERCONTROLA);
  MIXERLINECONTROLSA lc{};
  lc.cbStruct = sizeof lc;
  lc.dwLineID = Line.dwLineID;
  lc.cControls = Line.cControls;
  lc.cbmxctrl = sizeof(MIXERCONTROLA);
  lc.pamxctrl = Controls.data();
  if (Api().GetLineControls(Obj(Handle), &lc, MIXER_GETLINECONTROLSF_ALL) != MMSYSERR_NOERROR)
    return Scan::Failed;
  for (DWORD i = 0; i < Line.cControls; ++i) {
    if (Controls[i].dwControlType == controlType) {
      control = Controls[i];
      return Scan::Found;
    }
  }
  return Scan::NotFound;
}

bool TMixer::FindControl(DWORD dstType, DWORD srcType, MIXERCONTROLA& control, DWORD controlType) {
  if (Api().GetDevCaps(reinterpret_cast<UINT_PTR>(Handle), &Caps, sizeof Caps) != MMSYSERR_NOERROR)
    return false;
  for (DWORD d = 0; d < Caps.cDestinations; ++d) {
    Line = MIXERLINEA{};
    Line.cbStruct = sizeof Line;
    Line.dwDestination = d;
    bool read =
        Api().GetLineInfo(Obj(Handle), &Line, MIXER_GETLINEINFOF_DESTINATION) == MMSYSERR_NOERROR;
    if (srcType == kNoSource) {
      // The first destination with such a control wins, whatever its type.
      if (!read) return false;
      Scan scan = ReadControls(control, controlType);
      if (scan != Scan::NotFound) return scan == Scan::Found;
      continue;
    }
    if (!read || Line.dwComponentType != dstType) continue;
    DWORD connections = Line.cConnections;
    for (DWORD s = 0; s < connections; ++s) {
      Line.cbStruct = sizeof Line;
      Line.dwDestination = d;
      Line.dwSource = s;
      if (Api().GetLineInfo(Obj(Handle), &Line, MIXER_GETLINEINFOF_SOURCE) != MMSYSERR_NOERROR)
        return false;
      if (Line.dwComponentType != srcType) continue;
      Scan scan = ReadControls(control, controlType);
      if (scan != Scan::NotFound) return scan == Scan::Found;
    }
  }
  return false;
}

// ---- TMixerLineControl ----

TMixerLineControl::TMixerLineControl(TMixerNotify onChange) : OnChange(std::move(onChange)) {
  if (OnChange) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kCallbackClass;
    RegisterClassA(&wc);  // fails harmlessly when the class exists
    CallbackWindow = CreateWindowExA(0, kCallbackClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    if (CallbackWindow)
      SetWindowLongPtrA(CallbackWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  Mixer = std::make_unique<TMixer>(CallbackWindow);
}

TMixerLineControl::~TMixerLineControl() {
  OnChange = nullptr;
  Mixer.reset();
  if (CallbackWindow) DestroyWindow(CallbackWindow);
}

LRESULT CALLBACK TMixerLineControl::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != MM_MIXM_CONTROL_CHANGE) return DefWindowProcA(hwnd, msg, wp, lp);
  auto* self = reinterpret_cast<TMixerLineControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return 0;
  // Any change on the mixer counts: the control is read again whichever one changed.
  try {
    self->Update();
    if (self->OnChange) self->OnChange(self);
  } catch (...) {
    // Nothing leaves a window procedure; the handler's failure is dropped with it.
  }
  return 0;
}

bool TMixerLineControl::SetDetails(DWORD channels, void* items, DWORD itemSize, DWORD capacity) {
  DWORD perChannel = std::max<DWORD>(Control.cMultipleItems, 1);
  if (channels == 0 || channels * perChannel > capacity) return false;
  Details = MIXERCONTROLDETAILS{};
  Details.cbStruct = sizeof Details;
  Details.dwControlID = Control.dwControlID;
  Details.cChannels = channels;
  Details.cMultipleItems = Control.cMultipleItems;
  Details.cbDetails = itemSize;
  Details.paDetails = items;
  return true;
}

bool TMixerLineControl::ReadValue(DWORD flags) {
  if (!Details.paDetails) return false;
  return Api().GetControlDetails(Obj(Mixer->Handle), &Details, flags) == MMSYSERR_NOERROR;
}

MMRESULT TMixerLineControl::WriteValue() {
  if (!Details.paDetails) return MMSYSERR_INVALPARAM;
  MMRESULT rc = Api().SetControlDetails(Obj(Mixer->Handle), &Details, 0);
  if (rc == MMSYSERR_NOERROR) NotifyWrite();
  return rc;
}

void TMixerLineControl::NotifyWrite() {
  // Wine's mixer reports no change at all, not even a program's own write; a write is
  // therefore also reported to this object's own window. Where the mixer reports it too,
  // the value is only read a second time.
  if (CallbackWindow)
    PostMessageA(CallbackWindow, MM_MIXM_CONTROL_CHANGE, reinterpret_cast<WPARAM>(Mixer->Handle),
                 static_cast<LPARAM>(Control.dwControlID));
}

// ---- TPeakMeter ----

bool TPeakMeter::Open(DWORD dstType, DWORD srcType) {
  if (!Mixer->FindControl(dstType, srcType, Control, MIXERCONTROL_CONTROLTYPE_PEAKMETER))
    return false;
  // One value per channel; a line with more channels than the two items is read as stereo.
  DWORD channels = std::min<DWORD>(Mixer->Line.cChannels, 2);
  return SetDetails(channels, Values, sizeof Values[0], 2);
}

bool TPeakMeter::OpenPlaybackMeter() {
  return Open(kDstSpeakers, kSrcWaveOut);
}

bool TPeakMeter::OpenRecordingMeter() {
  return Open(kDstWaveIn, kSrcMicrophone);
}

bool TPeakMeter::Update() {
  if (!ReadValue()) return false;
  LeftLevel = static_cast<std::int32_t>(std::abs(std::int64_t{Values[0].lValue}));
  return true;
}

// ---- TFader, TMuteSwitch ----

bool KindTypes(std::uint8_t kind, DWORD& dstType, DWORD& srcType) {
  switch (kind) {
    case 0:
      dstType = kDstSpeakers;
      srcType = kSrcWaveOut;
      return true;
    case 1:
      dstType = kDstSpeakers;
      srcType = kNoSource;
      return true;
    case 2:
      dstType = kDstWaveIn;
      srcType = kSrcMicrophone;
      return true;
  }
  return false;
}

namespace {

bool FindKind(TMixer& mixer, std::uint8_t kind, MIXERCONTROLA& control, DWORD controlType) {
  DWORD dst = 0, src = 0;
  return KindTypes(kind, dst, src) && mixer.FindControl(dst, src, control, controlType);
}

}  // namespace

bool TFader::Open(std::uint8_t kind) {
  if (!FindKind(*Mixer, kind, Control, MIXERCONTROL_CONTROLTYPE_VOLUME)) return false;
  if (!SetDetails(1, &Value, sizeof Value, 1)) return false;
  return Update();
}

bool TFader::Update() {
  if (!ReadValue()) return false;
  Level = static_cast<std::int32_t>(std::abs(std::int64_t{static_cast<LONG>(Value.dwValue)}));
  return true;
}

MMRESULT TFader::SetValue(std::int32_t v) {
  Value.dwValue = static_cast<DWORD>(v);
  return WriteValue();
}

bool TMuteSwitch::Open(std::uint8_t kind) {
  if (!FindKind(*Mixer, kind, Control, MIXERCONTROL_CONTROLTYPE_MUTE)) return false;
  if (!SetDetails(1, &Value, sizeof Value, 1)) return false;
  return Update();
}

bool TMuteSwitch::Update() {
  if (!ReadValue()) return false;
  Muted = (Value.fValue & 0xFF) != 0;
  return true;
}

MMRESULT TMuteSwitch::SetMute(bool m) {
  Muted = m;
  Value.fValue = m ? 1 : 0;
  return WriteValue();
}

// ---- TRecordingSourceList ----

TRecordingSourceList::TRecordingSourceList(TMixerNotify onChange)
    : TMixerLineControl(std::move(onChange)) {}

TRecordingSourceList::~TRecordingSourceList() {
  ClearSources();
}

void TRecordingSourceList::ClearSources() {
  Sources.clear();
}

bool TRecordingSourceList::Open() {
  if (!Mixer->FindControl(kDstWaveIn, kNoSource, Control, MIXERCONTROL_CONTROLTYPE_MUX))
    return false;
  return Update();
}

DWORD TRecordingSourceList::Channels() const {
  // A uniform control has one set of items for all channels; reading it per channel would
  // need the buffers several times over.
  if (Control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) return 1;
  return Mixer->Line.cChannels;
}

bool TRecordingSourceList::Update() {
  ClearSources();
  if (Control.cMultipleItems > kMixerBufferItems) return false;
  if (!SetDetails(Channels(), ListTexts, sizeof ListTexts[0], kMixerBufferItems)) return false;
  if (!ReadValue(MIXER_GETCONTROLDETAILSF_LISTTEXT)) return false;
  if (!SetDetails(Channels(), Selections, sizeof Selections[0], kMixerBufferItems)) return false;
  if (!ReadValue(MIXER_GETCONTROLDETAILSF_VALUE)) return false;
  for (DWORD i = 0; i < Control.cMultipleItems; ++i) {
    auto source = std::make_unique<TRecordingSource>();
    source->LineID = ListTexts[i].dwParam1;
    source->ComponentType = ListTexts[i].dwParam2;
    source->Selected = (Selections[i].fValue & 0xFF) != 0;
    const char* name = ListTexts[i].szName;
    std::string text(name, strnlen(name, sizeof ListTexts[i].szName));
    Sources.emplace_back(std::move(text), std::move(source));
  }
  return true;
}

MMRESULT TRecordingSourceList::Select(int index) {
  if (!SetDetails(Channels(), Selections, sizeof Selections[0], kMixerBufferItems))
    return MMSYSERR_INVALPARAM;
  for (DWORD j = 0; j < kMixerBufferItems; ++j) Selections[j].fValue = int(j) == index ? 1 : 0;
  return WriteValue();
}

void TRecordingSourceList::SelectByType(DWORD componentType) {
  for (std::size_t i = 0; i < Sources.size(); ++i) {
    if (Sources[i].second->ComponentType == componentType) {
      (void)Select(static_cast<int>(i));
      return;
    }
  }
}

// ---- utility functions ----

int GetMixerVolume(std::uint8_t kind) {
  TFader fader;
  (void)fader.Open(kind);
  return VolumePercent(fader.Level);
}

void SetMixerVolume(std::uint8_t kind, int percent) {
  TFader fader;
  (void)fader.Open(kind);
  (void)fader.SetValue(VolumeOfPercent(percent));
}

void SetMixerMute(std::uint8_t kind, bool mute) {
  TMuteSwitch muteSwitch;
  (void)muteSwitch.Open(kind);
  (void)muteSwitch.SetMute(mute);
}

void SelectMicrophoneSource() {
  TRecordingSourceList list;
  (void)list.Open();
  list.SelectByType(kSrcMicrophone);
}
