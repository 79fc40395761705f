// The level popup: a borderless, always-on-top window with one vertical slider that sets the
// master volume or the microphone level, and reports both levels to the main window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "audio/MixerUtils.h"
#include "audio/Slider.h"
#include "ui/Buttons.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

using TLevelEvent = std::function<void(std::int32_t level)>;

class TSliderForm : public ui::Form {
 public:
  explicit TSliderForm(ui::Component* owner);

  ui::Image* ImgBkg;
  ui::SpeedButton* btnClose;
  ui::Image* imgSliderHandle;
  ui::Image* imgSliderBkg;
  ui::PaintBox* PaintBoxDevice;
  ui::PaintBox* PaintBoxLevel;
  TSlider* Slider;

  // The popup, created first when it does not exist yet (owned by the application).
  static TSliderForm* Instance();
  // Opens the popup for the volume (true) or the microphone level (false).
  static void ShowSlider(bool showsVolume);
  void RefreshLevels();
  void VolumeChanged();
  void MicChanged();
  void SliderChange(ui::Component* sender);
  void PaintBoxDevicePaint(HDC dc);
  void PaintBoxLevelPaint(HDC dc);
  void btnCloseClick(ui::Component* sender);

  bool ShowsVolume() const { return ShowsVolume_; }
  const std::string& DeviceCaption() const { return DeviceCaption_; }
  TFader* ActiveFader() const { return ActiveFader_; }
  TFader* VolumeFader() const { return VolumeFader_.get(); }
  TFader* MicFader() const { return MicFader_.get(); }

  TLevelEvent OnVolumeChange;
  TLevelEvent OnMicChange;

  void Describe(ui::Description& d) const override;

 private:
  void CreateComponents();
  void FormCreate(ui::Component* sender);
  void FormDestroy(ui::Component* sender);
  void LevelChanged(TFader* fader, const TLevelEvent& report, bool sliderFollows);
  // Draws the level bar straight onto the window, as the paint box would.
  void RepaintLevel();
  void Popup(bool showsVolume);

  std::int16_t DragX = 0, DragY = 0;
  bool Dragging = false;
  bool ShowsVolume_ = true;
  std::string DeviceCaption_;
  TFader* ActiveFader_ = nullptr;
  std::unique_ptr<TFader> VolumeFader_, MicFader_;
};

// The one popup, created on first use and owned by the application.
extern TSliderForm* SliderForm;
// The device captions; the language step of the main window replaces them.
extern std::string VolumeCaption;
extern std::string MicrophoneCaption;
