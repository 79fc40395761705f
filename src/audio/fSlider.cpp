#include "audio/fSlider.h"

#include "audio/LevelArithmetic.h"

TSliderForm* SliderForm = nullptr;
std::string VolumeCaption = "Volume";
std::string MicrophoneCaption = "Microphone";

namespace {

constexpr ui::TColor clLime = 0x00FF00;

template <class T>
T* Named(T* component, const char* name) {
  component->Name = name;
  return component;
}

ui::Image* AddImage(TSliderForm* form, const char* name, const char* bitmap, int left, int top) {
  auto* image = Named(new ui::Image(form, form), name);
  image->SetAutoSize(true);
  image->SetBounds(left, top, 0, 0);
  image->LoadFromResource(bitmap);
  return image;
}

}  // namespace

TSliderForm::TSliderForm(ui::Component* owner) : ui::Form(owner) {
  CreateComponents();
  OnCreate = [this](ui::Component* s) { FormCreate(s); };
  OnDestroy = [this](ui::Component* s) { FormDestroy(s); };
  DoCreate();
}

void TSliderForm::CreateComponents() {
  Name = "SliderForm";
  SetBorderStyle(ui::BorderStyle::None);
  SetFormStyle(ui::FormStyle::StayOnTop);
  SetFont({.Name = "Tahoma", .Height = -11, .Color = ui::clWindowText, .Style = 0});

  ImgBkg = AddImage(this, "ImgBkg", "SLIDER_BACKGROUND", 0, 0);
  ImgBkg->OnMouseDown = [this](ui::Component*, int x, int y) {
    DragX = static_cast<std::int16_t>(x);
    DragY = static_cast<std::int16_t>(y);
    Dragging = true;
  };
  ImgBkg->OnMouseMove = [this](ui::Component*, int x, int y) {
    if (Dragging) SetBounds(Left() - DragX + x, Top() - DragY + y, Width(), Height());
  };
  ImgBkg->OnMouseUp = [this](ui::Component*, int, int) { Dragging = false; };

  btnClose = Named(new ui::SpeedButton(this, this), "btnClose");
  btnClose->SetBounds(45, 3, 17, 14);
  btnClose->SetFlat(true);
  btnClose->LoadGlyph("SLIDER_CLOSE");
  btnClose->OnClick = [this](ui::Component* s) { btnCloseClick(s); };

  imgSliderHandle = AddImage(this, "imgSliderHandle", "SLIDER_HOLDER", 111, 70);
  imgSliderBkg = AddImage(this, "imgSliderBkg", "SLIDER_TRACK", 149, 70);

  PaintBoxDevice = Named(new ui::PaintBox(this, this), "PaintBoxDevice");
  PaintBoxDevice->SetBounds(6, 27, 18, 70);
  PaintBoxDevice->OnPaint = [this](ui::Component*, HDC dc, const RECT&) {
    PaintBoxDevicePaint(dc);
  };
  PaintBoxLevel = Named(new ui::PaintBox(this, this), "PaintBoxLevel");
  PaintBoxLevel->SetBounds(25, 29, 15, 70);
  PaintBoxLevel->OnPaint = [this](ui::Component*, HDC dc, const RECT&) { PaintBoxLevelPaint(dc); };

  Slider = Named(new TSlider(this, this), "Slider");
  Slider->SetBounds(35, 30, 24, 68);
  Slider->SetMin(0);
  Slider->SetMax(100);
  Slider->SetPosition(50);
  Slider->SetStyle(TSliderStyle::ssVertical);
  Slider->SetTransparent(true);
  Slider->SetTranspColor(clLime);
  Slider->SetNumImages(1);
  Slider->SetHolderCursor(ui::Cursor::HandPoint);
  Slider->SetHolderImage(imgSliderHandle);
  Slider->SetBkgImage(imgSliderBkg);
  Slider->OnChange = [this](ui::Component* s) { SliderChange(s); };
}

void TSliderForm::FormCreate(ui::Component*) {
  SetClientWidth(ImgBkg->Width());
  SetClientHeight(ImgBkg->Height());
  VolumeFader_ = std::make_unique<TFader>([this](TMixerLineControl*) { VolumeChanged(); });
  (void)VolumeFader_->Open(1);
  MicFader_ = std::make_unique<TFader>([this](TMixerLineControl*) { MicChanged(); });
  (void)MicFader_->Open(2);
  ActiveFader_ = VolumeFader_.get();
}

void TSliderForm::FormDestroy(ui::Component*) {
  ActiveFader_ = nullptr;
  VolumeFader_.reset();
  MicFader_.reset();
  if (SliderForm == this) SliderForm = nullptr;
}

void TSliderForm::btnCloseClick(ui::Component*) {
  Close();
}

TSliderForm* TSliderForm::Instance() {
  if (!SliderForm) SliderForm = ui::App()->CreateForm<TSliderForm>();
  return SliderForm;
}

void TSliderForm::ShowSlider(bool showsVolume) {
  Instance()->Popup(showsVolume);
}

void TSliderForm::Popup(bool showsVolume) {
  ShowsVolume_ = showsVolume;
  DeviceCaption_ = showsVolume ? VolumeCaption : MicrophoneCaption;
  ActiveFader_ = showsVolume ? VolumeFader_.get() : MicFader_.get();
  if (!Visible()) {
    POINT c{};
    GetCursorPos(&c);
    SetBounds(c.x - 45, c.y - 60, Width(), Height());
  }
  RefreshLevels();
  if (Visible()) Repaint();
  Show();
}

void TSliderForm::RefreshLevels() {
  VolumeChanged();
  MicChanged();
}

void TSliderForm::LevelChanged(TFader* fader, const TLevelEvent& report, bool sliderFollows) {
  if (!fader) return;
  if (report) report(IndicatorRows(fader->Level));
  if (sliderFollows) {
    Slider->SetPosition(SliderPositionOfLevel(fader->Level, Slider->Max()));
    if (Visible()) RepaintLevel();
  }
}

void TSliderForm::VolumeChanged() {
  LevelChanged(VolumeFader_.get(), OnVolumeChange, ShowsVolume_);
}

void TSliderForm::MicChanged() {
  LevelChanged(MicFader_.get(), OnMicChange, !ShowsVolume_);
}

void TSliderForm::SliderChange(ui::Component*) {
  if (ActiveFader_)
    (void)ActiveFader_->SetValue(FaderValueOfPosition(Slider->Position(), Slider->Max()));
  if (ui::App()) ui::App()->ProcessMessages();
}

void TSliderForm::PaintBoxDevicePaint(HDC dc) {
  if (DeviceCaption_.empty()) return;
  const ui::FontInfo& f = Font();
  LOGFONTA lf{};
  lf.lfHeight = f.Height;
  lf.lfWidth = 0;
  lf.lfEscapement = 900;
  lf.lfOrientation = 0;
  lf.lfWeight = (f.Style & ui::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (f.Style & ui::fsItalic) ? 1 : 0;
  lf.lfUnderline = (f.Style & ui::fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = (f.Style & ui::fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  std::string face = f.Name == "Default" ? "MS Sans Serif" : f.Name;
  lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ui::ColorToRGB(f.Color));
  TextOutA(dc, 0, PaintBoxDevice->Height(), DeviceCaption_.c_str(),
           static_cast<int>(DeviceCaption_.size()));
  SelectObject(dc, old);
  DeleteObject(font);
}

void TSliderForm::PaintBoxLevelPaint(HDC dc) {
  const int w = PaintBoxLevel->Width(), h = PaintBoxLevel->Height();
  ui::MemoryDC mem(dc, w, h);
  RECT all{0, 0, w, h};
  HBRUSH gray = CreateSolidBrush(ui::clGray);
  FillRect(mem, &all, gray);
  DeleteObject(gray);
  RECT bar{0, LevelBarTop(Slider->Height(), Slider->Position()), w, h};
  HBRUSH lime = CreateSolidBrush(clLime);
  FillRect(mem, &bar, lime);
  DeleteObject(lime);
  if (ImgBkg->Bitmap()) {
    // The background's lime window shapes the bar.
    ui::MemoryDC src(dc);
    ui::SelectedObject selected(src, ImgBkg->Bitmap());
    TransparentBlt(mem, 0, 0, w, h, src, PaintBoxLevel->Left() - ImgBkg->Left(),
                   PaintBoxLevel->Top() - ImgBkg->Top(), w, h, clLime);
  }
  BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
}

void TSliderForm::RepaintLevel() {
  if (!Handle()) return;
  HDC dc = GetDC(Handle());
  SetViewportOrgEx(dc, PaintBoxLevel->Left(), PaintBoxLevel->Top(), nullptr);
  PaintBoxLevelPaint(dc);
  ReleaseDC(Handle(), dc);
}

void TSliderForm::Describe(ui::Description& d) const {
  ui::Form::Describe(d);
  d.emplace_back("showsvolume", ShowsVolume_ ? "1" : "0");
  d.emplace_back("devicecaption", DeviceCaption_);
  d.emplace_back("volumefader", VolumeFader_ ? std::to_string(VolumeFader_->Level) : "");
  d.emplace_back("micfader", MicFader_ ? std::to_string(MicFader_->Level) : "");
}
