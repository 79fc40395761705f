// The sound card's mixer through winmm: lines found by component type, one control at a
// time, change notifications on a hidden window.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The mixer functions of winmm that this unit calls: the platform's while MixerApi is empty;
// a test puts a scripted mixer there for what the platform's mixer lacks.
struct TMixerApi {
  MMRESULT(WINAPI* Open)(LPHMIXER, UINT, DWORD_PTR, DWORD_PTR, DWORD);
  MMRESULT(WINAPI* Close)(HMIXER);
  MMRESULT(WINAPI* GetDevCaps)(UINT_PTR, LPMIXERCAPSA, UINT);
  MMRESULT(WINAPI* GetLineInfo)(HMIXEROBJ, LPMIXERLINEA, DWORD);
  MMRESULT(WINAPI* GetLineControls)(HMIXEROBJ, LPMIXERLINECONTROLSA, DWORD);
  MMRESULT(WINAPI* GetControlDetails)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
  MMRESULT(WINAPI* SetControlDetails)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
};
extern TMixerApi MixerApi;
const TMixerApi& PlatformMixerApi();

constexpr DWORD kDstSpeakers = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
constexpr DWORD kDstWaveIn = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
constexpr DWORD kSrcMicrophone = MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE;
constexpr DWORD kSrcWaveOut = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT;
constexpr DWORD kNoSource = 0xFFFFFFFF;
constexpr int kMixerBufferItems = 65;

// One connection to mixer device 0.
class TMixer {
 public:
  explicit TMixer(HWND callbackWindow);
  TMixer(const TMixer&) = delete;
  TMixer& operator=(const TMixer&) = delete;
  ~TMixer();

  // The first control of the type on the line that the types name; srcType kNoSource takes
  // the first destination, in device order, that has such a control.
  bool FindControl(DWORD dstType, DWORD srcType, MIXERCONTROLA& control, DWORD controlType);

  HMIXER Handle = nullptr;
  MIXERCAPSA Caps{};
  MIXERLINEA Line{};
  // The buffer for one line's controls; grown for a line with more controls than it holds.
  std::vector<MIXERCONTROLA> Controls;

 private:
  enum class Scan { Failed, NotFound, Found };
  Scan ReadControls(MIXERCONTROLA& control, DWORD controlType);
};

class TMixerLineControl;
using TMixerNotify = std::function<void(TMixerLineControl* sender)>;

// The base of the control classes: a mixer connection, the control found, its details and,
// with a change handler, a hidden window on which the mixer reports changes.
class TMixerLineControl {
 public:
  explicit TMixerLineControl(TMixerNotify onChange = nullptr);
  TMixerLineControl(const TMixerLineControl&) = delete;
  TMixerLineControl& operator=(const TMixerLineControl&) = delete;
  virtual ~TMixerLineControl();
  // Reads the control's current value; answers success.
  virtual bool Update() = 0;

  HWND CallbackWindow = nullptr;
  TMixerNotify OnChange;
  std::unique_ptr<TMixer> Mixer;
  MIXERCONTROLA Control{};
  MIXERCONTROLDETAILS Details{};

 protected:
  // Details of the found control with `channels` channels of one 4-byte item each, into
  // `items` that hold `capacity` of them; false (details untouched) when they would not fit.
  bool SetDetails(DWORD channels, void* items, DWORD itemSize, DWORD capacity);
  bool ReadValue(DWORD flags = MIXER_GETCONTROLDETAILSF_VALUE);
  MMRESULT WriteValue();
  // The mixer's own notification of a write, for mixers that send none (see the .cpp).
  void NotifyWrite();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

class TPeakMeter : public TMixerLineControl {
 public:
  using TMixerLineControl::TMixerLineControl;
  bool OpenPlaybackMeter();
  bool OpenRecordingMeter();
  bool Update() override;
  MIXERCONTROLDETAILS_SIGNED Values[2]{};
  std::int32_t LeftLevel = 0;

 private:
  bool Open(DWORD dstType, DWORD srcType);
};

// Line kinds: 0 the wave output of the playback mix, 1 a destination's own (master)
// control, 2 the microphone of the recording mix.
bool KindTypes(std::uint8_t kind, DWORD& dstType, DWORD& srcType);

class TFader : public TMixerLineControl {
 public:
  using TMixerLineControl::TMixerLineControl;
  bool Open(std::uint8_t kind);
  bool Update() override;
  MMRESULT SetValue(std::int32_t v);
  MIXERCONTROLDETAILS_UNSIGNED Value{};
  std::int32_t Level = 0;
};

class TMuteSwitch : public TMixerLineControl {
 public:
  using TMixerLineControl::TMixerLineControl;
  bool Open(std::uint8_t kind);
  bool Update() override;
  MMRESULT SetMute(bool m);
  MIXERCONTROLDETAILS_BOOLEAN Value{};
  bool Muted = false;
};

struct TRecordingSource {
  DWORD LineID = 0;
  DWORD ComponentType = 0;
  bool Selected = false;
};

class TRecordingSourceList : public TMixerLineControl {
 public:
  explicit TRecordingSourceList(TMixerNotify onChange = nullptr);
  ~TRecordingSourceList() override;
  bool Open();
  bool Update() override;
  MMRESULT Select(int index);
  void SelectByType(DWORD componentType);
  void ClearSources();

  MIXERCONTROLDETAILS_LISTTEXTA ListTexts[kMixerBufferItems]{};
  MIXERCONTROLDETAILS_BOOLEAN Selections[kMixerBufferItems]{};
  // The source names in the mixer's order, each with its source.
  std::vector<std::pair<std::string, std::unique_ptr<TRecordingSource>>> Sources;

 private:
  DWORD Channels() const;
};

int GetMixerVolume(std::uint8_t kind);
void SetMixerVolume(std::uint8_t kind, int percent);
void SetMixerMute(std::uint8_t kind, bool mute);
void SelectMicrophoneSource();
