// The level controls drawn into memory device contexts and driven by window messages: the
// gauge's bars and peak marker, the slider's scale and dragging, the popup against a
// scripted mixer, and the main window's level indicators.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/fMain.h"
#include "audio/VolumeGauge.h"
#include "audio/fSlider.h"
#include "unit/audio/ScriptedMixer.h"

namespace {

// A 24-bit picture in memory to draw on and read back.
class MemoryCanvas {
 public:
  MemoryCanvas(int w, int h, COLORREF fill = RGB(255, 255, 255)) : w_(w), h_(h) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bmp_);
    Fill(fill);
  }
  ~MemoryCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  void Fill(COLORREF c) {
    RECT r{0, 0, w_, h_};
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc_, &r, b);
    DeleteObject(b);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  HDC dc() const { return dc_; }

 private:
  int w_, h_;
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMark = 12058381;
constexpr COLORREF kPeak = 26367;
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// The recorder panel's gauge, whose direct drawing goes to a memory canvas.
class CanvasGauge : public TVolumeGauge {
 public:
  CanvasGauge(ui::Component* owner, ui::WinControl* parent, MemoryCanvas& canvas)
      : TVolumeGauge(owner, parent), canvas_(canvas) {
    SetBounds(0, 0, 101, 9);
    SetMaxLevel(32767);
    SetLevel(0);
  }
  int draws = 0;

 protected:
  HDC GetCanvas() override {
    ++draws;
    return canvas_.dc();
  }
  void ReleaseCanvas(HDC) override {}

 private:
  MemoryCanvas& canvas_;
};

class LevelControls : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Initialize();
    form = app.CreateForm<ui::Form>();
  }
  ui::Application app;
  ui::Form* form = nullptr;
};

// The bars lit, read on the row in the middle of the gauge.
int LitBars(const MemoryCanvas& c) {
  int lit = 0;
  for (int k = 1; k <= 30; ++k)
    if (c.At(3 + 3 * k, 4) == kMark) ++lit;
  return lit;
}

TEST_F(LevelControls, GaugeLightsBarsForTheLevel) {
  MemoryCanvas canvas(101, 9, RGB(0, 0, 0));
  CanvasGauge gauge(form, form, canvas);
  struct Case {
    int level, lit;
  };
  for (const Case& c :
       {Case{16384, 14}, Case{32767, 30}, Case{32766, 28}, Case{3000, 2}, Case{0, 0}}) {
    gauge.SetLevel(c.level);
    EXPECT_EQ(LitBars(canvas), c.lit) << c.level;
    // Unlit positions keep their tick at the bottom and nothing at the top.
    if (c.lit < 30) {
      EXPECT_EQ(canvas.At(3 + 3 * 30, 7), kMark) << c.level;
      EXPECT_EQ(canvas.At(3 + 3 * 30, 2), RGB(0, 0, 0)) << c.level;
    }
  }
  // The end brackets.
  EXPECT_EQ(canvas.At(0, 4), kMark);
  EXPECT_EQ(canvas.At(3, 4), kMark);
  EXPECT_EQ(canvas.At(95, 0), kMark);
  EXPECT_EQ(canvas.At(98, 8), kMark);
}

TEST_F(LevelControls, GaugeIgnoresALevelAboveMaxAndDrawsTheSameLevelOnce) {
  MemoryCanvas canvas(101, 9, RGB(0, 0, 0));
  CanvasGauge gauge(form, form, canvas);
  gauge.SetLevel(16384);
  canvas.Fill(kWhite);
  int draws = gauge.draws;
  gauge.SetLevel(40000);
  gauge.SetLevel(16384);
  EXPECT_EQ(gauge.draws, draws);
  EXPECT_EQ(canvas.At(45, 4), kWhite);
  EXPECT_EQ(gauge.Level(), 16384);
  gauge.SetLevel(16000);
  EXPECT_EQ(gauge.draws, draws + 1);
}

TEST_F(LevelControls, GaugeHoldsThePeakMarkerForPeakFreqChanges) {
  MemoryCanvas canvas(101, 9, RGB(0, 0, 0));
  CanvasGauge gauge(form, form, canvas);
  gauge.SetPeakMeter(true);
  gauge.SetPeakFreq(10);
  auto markerAt = [&](int x) { return canvas.At(x, 2) == kPeak && canvas.At(x + 3, 4) == kPeak; };
  gauge.SetLevel(30000);  // 30000 × 29 / 32767 = 26: the marker at 3 × 27
  EXPECT_TRUE(markerAt(81));
  for (int i = 0; i < 10; ++i) {
    gauge.SetLevel(i % 2 ? 2000 : 1000);
    EXPECT_TRUE(markerAt(81)) << "change " << i + 1;
  }
  // The eleventh change: the peak is 1000, whose marker (x 3) is not drawn.
  gauge.SetLevel(1000);
  EXPECT_FALSE(markerAt(81));
  EXPECT_NE(canvas.At(81, 2), kPeak);
  gauge.SetLevel(2000);
  EXPECT_TRUE(markerAt(6));
}

TEST_F(LevelControls, GaugeShowsNoMarkerForAPeakOfZeroOrWithoutPeakMeter) {
  MemoryCanvas canvas(101, 9, RGB(0, 0, 0));
  CanvasGauge gauge(form, form, canvas);
  gauge.SetPeakMeter(true);
  gauge.Paint(canvas.dc());
  for (int x = 0; x < 101; ++x) EXPECT_NE(canvas.At(x, 2), kPeak) << x;
  gauge.SetPeakMeter(false);
  gauge.SetLevel(30000);
  for (int x = 0; x < 101; ++x) EXPECT_NE(canvas.At(x, 2), kPeak) << x;
}

TEST_F(LevelControls, GaugeDefaults) {
  TVolumeGauge gauge(form, form);
  EXPECT_EQ(gauge.Width(), 200);
  EXPECT_EQ(gauge.Height(), 12);
  EXPECT_EQ(gauge.MaxLevel(), 10);
  EXPECT_EQ(gauge.Level(), 4);
  EXPECT_EQ(gauge.Color(), ui::clBlack);
  EXPECT_EQ(gauge.MarkColor(), 12058381);
  EXPECT_EQ(gauge.PeakColor(), 26367);
  EXPECT_FALSE(gauge.PeakMeter());
  EXPECT_EQ(gauge.PeakFreq(), 0);
  MemoryCanvas canvas(200, 12);
  gauge.Paint(canvas.dc());
  // Painting fills the background first: 4 of 10 → 4 × 62 / 10 = 24 bars.
  EXPECT_EQ(canvas.At(3 + 3 * 24, 5), kMark);
  EXPECT_EQ(canvas.At(3 + 3 * 25, 5), RGB(0, 0, 0));
}

TEST_F(LevelControls, SliderDefaultsAndAnEmptyRange) {
  TSlider slider(form, form);
  EXPECT_EQ(slider.Width(), 150);
  EXPECT_EQ(slider.Height(), 25);
  EXPECT_EQ(slider.Min(), 0);
  EXPECT_EQ(slider.Max(), 100);
  EXPECT_EQ(slider.NumImages(), 1);
  EXPECT_EQ(slider.HolderCursor(), ui::Cursor::HandPoint);
  EXPECT_EQ(slider.Style(), TSliderStyle::ssVertical);
  EXPECT_FALSE(slider.Transparent());
  slider.SetMin(5);
  slider.SetMax(5);
  EXPECT_EQ(slider.Max(), 105);
  slider.SetNumImages(0);
  EXPECT_EQ(slider.NumImages(), 1);
  slider.SetPosition(500);
  EXPECT_EQ(slider.Position(), 500);
}

TEST_F(LevelControls, SliderDragsItsHolderAlongTheTrack) {
  ui::Image holder(form, form), track(form, form);
  ASSERT_TRUE(holder.LoadFromResource("SLIDER_HOLDER"));
  ASSERT_TRUE(track.LoadFromResource("SLIDER_TRACK"));
  TSlider slider(form, form);
  slider.SetHolderImage(&holder);
  slider.SetBkgImage(&track);
  EXPECT_EQ(slider.Width(), 24);
  EXPECT_EQ(slider.Height(), 68);
  EXPECT_EQ(slider.TrackLength(), 52);
  EXPECT_FLOAT_EQ(slider.Scale(), 0.52f);
  std::vector<int> changes;
  slider.OnChange = [&](ui::Component*) { changes.push_back(slider.Position()); };
  HWND h = slider.Handle();
  struct Move {
    int y, position;
  };
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 8));
  for (const Move& m : {Move{26, 50}, Move{27, 52}, Move{-5, 0}, Move{200, 100}, Move{13, 25}}) {
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, m.y));
    EXPECT_EQ(slider.Position(), m.position) << m.y;
  }
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 13));
  EXPECT_EQ(changes, (std::vector<int>{50, 52, 0, 100, 25}));
  RECT r = slider.HolderRect();
  EXPECT_EQ(r.top, 13);
  // Disabled, the holder does not move.
  slider.SetEnabled(false);
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, r.top + 2));
  EXPECT_FALSE(slider.Dragging());
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 13));
}

// The popup over a scripted sound card: master volume (control 1) and microphone (11).
std::vector<ScriptedDestination> PopupCard(LONG master, LONG mic) {
  return {{{kDstSpeakers, 2, {{1, MIXERCONTROL_CONTROLTYPE_VOLUME, {master}, {}, 0}}}, {}},
          {{kDstWaveIn, 2, {}},
           {{kSrcMicrophone, 1, {{11, MIXERCONTROL_CONTROLTYPE_VOLUME, {mic}, {}, 0}}}}}};
}

void PumpMessages() {
  for (int i = 0; i < 5; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

// Moves the mouse as the input devices do and waits until the platform reports it there
// (a second look after a pause: a warped pointer alone can snap back).
void MoveCursor(int x, int y) {
  for (int i = 0; i < 20; ++i) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    Sleep(150);
    PumpMessages();
    POINT p{};
    GetCursorPos(&p);
    if (p.x == x && p.y == y) return;
  }
  ADD_FAILURE() << "the mouse did not move to " << x << ", " << y;
}

void Button(bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &in, sizeof in);
  Sleep(50);
  PumpMessages();
}

LPARAM At(int x, int y) {
  return MAKELPARAM(x, y);
}

class Popup : public LevelControls {
 protected:
  void Open(LONG master, LONG mic) {
    mixer = std::make_unique<ScriptedMixer>(PopupCard(master, mic));
    popup = TSliderForm::Instance();
    popup->OnVolumeChange = [this](std::int32_t v) { volumeRows.push_back(v); };
    popup->OnMicChange = [this](std::int32_t v) { micRows.push_back(v); };
  }
  void TearDown() override {
    if (SliderForm) ui::Free(SliderForm);
  }
  std::unique_ptr<ScriptedMixer> mixer;
  TSliderForm* popup = nullptr;
  std::vector<std::int32_t> volumeRows, micRows;
};

TEST_F(Popup, DraggingTheHolderSetsTheFader) {
  Open(32768, 0);
  TSlider* s = popup->Slider;
  EXPECT_EQ(s->TrackLength(), 52);
  EXPECT_FLOAT_EQ(s->Scale(), 0.52f);
  MoveCursor(500, 400);
  TSliderForm::ShowSlider(true);
  EXPECT_EQ(s->Position(), 50);
  RECT holder = s->HolderRect();
  EXPECT_EQ(holder.top, 26);
  EXPECT_EQ(holder.bottom - holder.top, 16);
  EXPECT_EQ(holder.right - holder.left, 24);
  s->SetHint("Level");
  std::vector<int> changes;
  auto change = s->OnChange;
  s->OnChange = [&](ui::Component* c) {
    changes.push_back(s->Position());
    change(c);
  };
  POINT origin = s->ClientToScreen({0, 0});
  MoveCursor(origin.x + 12, origin.y + holder.top + 8);
  Button(true);
  EXPECT_TRUE(s->Dragging());
  EXPECT_EQ(s->Hint(), "");
  struct Move {
    int y;
    int position;  // after the notification of the write, read back from the fader
    LONG value;
  };
  // The top is full level, the bottom none. The middle reads back as 32767, which is
  // position 100 - 32767 × 100 / 65535 = 51.
  for (const Move& m : {Move{0, 0, 65535}, Move{67, 100, 0}, Move{26, 51, 32767}}) {
    // Wine may still deliver a motion of the X pointer from before; a repeated move wins.
    for (int i = 0; i < 5 && (i == 0 || mixer->Value(1) != m.value); ++i)
      MoveCursor(origin.x + 12, origin.y + m.y);
    EXPECT_EQ(mixer->Value(1), m.value) << m.y;
    EXPECT_EQ(s->Position(), m.position) << m.y;
  }
  Button(false);
  EXPECT_FALSE(s->Dragging());
  EXPECT_EQ(s->Hint(), "Level");
  // The press itself, 8 pixels into the holder, moved it to 34 / 0.52 = 65; each change
  // was raised once, for a new position.
  ASSERT_GE(changes.size(), 4u);
  EXPECT_EQ(changes.front(), 65);
  EXPECT_EQ(changes.back(), 50);
  EXPECT_EQ(std::adjacent_find(changes.begin(), changes.end()), changes.end());
  ASSERT_FALSE(volumeRows.empty());
  EXPECT_EQ(volumeRows.back(), 8);
  // Released, the mouse moves nothing.
  MoveCursor(origin.x + 12, origin.y + 2);
  EXPECT_EQ(s->Position(), 51);
  // A press beside the holder drags nothing.
  MoveCursor(origin.x + 12, origin.y + 2);
  Button(true);
  EXPECT_FALSE(s->Dragging());
  Button(false);
}

TEST_F(Popup, LevelsReachTheIndicatorHandlersInvertedToFifteenRows) {
  Open(65535, 0);
  popup->RefreshLevels();
  EXPECT_EQ(volumeRows, (std::vector<std::int32_t>{0}));
  EXPECT_EQ(micRows, (std::vector<std::int32_t>{15}));
  // A change made elsewhere reaches the handler and the slider.
  TSliderForm::ShowSlider(false);
  mixer->Change(11, {65535});
  mixer->Change(1, {0});
  PumpMessages();
  EXPECT_EQ(micRows.back(), 0);
  EXPECT_EQ(volumeRows.back(), 15);
  EXPECT_EQ(popup->Slider->Position(), 0);  // follows the microphone, at full level
}

TEST_F(Popup, OpensAtTheCursorAndSwitchesWithoutMoving) {
  Open(0, 32768);
  MoveCursor(300, 400);
  TSliderForm::ShowSlider(true);
  ASSERT_TRUE(IsWindowVisible(popup->Handle()));
  RECT r;
  GetWindowRect(popup->Handle(), &r);
  EXPECT_EQ(r.left, 255);
  EXPECT_EQ(r.top, 340);
  EXPECT_EQ(r.right - r.left, 65);
  EXPECT_EQ(r.bottom - r.top, 105);
  EXPECT_EQ(popup->DeviceCaption(), "Volume");
  EXPECT_EQ(popup->Slider->Position(), 100);
  EXPECT_TRUE(GetWindowLongA(popup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongA(popup->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));

  MoveCursor(600, 200);
  TSliderForm::ShowSlider(false);
  GetWindowRect(popup->Handle(), &r);
  EXPECT_EQ(r.left, 255);
  EXPECT_EQ(r.top, 340);
  EXPECT_FALSE(popup->ShowsVolume());
  EXPECT_EQ(popup->DeviceCaption(), "Microphone");
  EXPECT_EQ(popup->ActiveFader(), popup->MicFader());
  EXPECT_EQ(popup->Slider->Position(), 50);

  // The close button hides the popup; opened again it goes to the cursor.
  popup->btnClose->Click();
  EXPECT_FALSE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(SliderForm, popup);
  TSliderForm::ShowSlider(true);
  GetWindowRect(popup->Handle(), &r);
  EXPECT_EQ(r.left, 555);
  EXPECT_EQ(r.top, 140);
}

TEST_F(Popup, BackgroundDragsTheWindow) {
  Open(0, 0);
  MoveCursor(300, 400);
  TSliderForm::ShowSlider(true);
  HWND h = popup->Handle();
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(30, 5));
  SendMessageA(h, WM_LBUTTONUP, 0, At(30, 5));
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 275);
  EXPECT_EQ(r.top, 335);
  // The level bar does not drag it.
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 60));
  SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(50, 80));
  SendMessageA(h, WM_LBUTTONUP, 0, At(50, 80));
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 275);
}

TEST_F(Popup, LevelBarShowsThroughTheLimeWindow) {
  Open(32768, 0);
  TSliderForm::ShowSlider(true);
  MemoryCanvas canvas(15, 70);
  popup->PaintBoxLevelPaint(canvas.dc());
  // The window's middle column (x 7): grey above row 34, lime from there down; outside the
  // window the background picture.
  EXPECT_EQ(canvas.At(7, 10), kGrey);
  EXPECT_EQ(canvas.At(7, 33), kGrey);
  EXPECT_EQ(canvas.At(7, 34), kLime);
  EXPECT_EQ(canvas.At(7, 68), kLime);
  EXPECT_NE(canvas.At(0, 60), kLime);
  EXPECT_NE(canvas.At(0, 60), kGrey);
  int limeTop = 0, limeBottom = 0;
  for (int x = 0; x < 15; ++x) {
    limeTop += canvas.At(x, 40) == kLime;
    limeBottom += canvas.At(x, 68) == kLime;
  }
  EXPECT_GT(limeTop, limeBottom);  // wide at the top, narrow below
}

TEST_F(Popup, DeviceCaptionIsDrawnReadingUpwards) {
  Open(0, 0);
  TSliderForm::ShowSlider(true);
  MemoryCanvas canvas(18, 70);
  popup->PaintBoxDevicePaint(canvas.dc());
  int top = 70, bottom = -1, left = 18, right = -1;
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 18; ++x)
      if (canvas.At(x, y) != kWhite) {
        top = std::min(top, y), bottom = std::max(bottom, y);
        left = std::min(left, x), right = std::max(right, x);
      }
  ASSERT_GE(bottom, 0) << "nothing drawn";
  EXPECT_GT(bottom - top, 2 * (right - left));  // taller than wide: turned by 90 degrees
  EXPECT_GE(bottom, 60);                        // from the bottom up
  EXPECT_LT(right, 14);
}

TEST_F(LevelControls, IndicatorLeavesRowsGreyAndFillsTheGreenWindow) {
  auto* main = app.CreateForm<TVoiceMailForm>();
  for (int rows : {0, 8, 15}) {
    MemoryCanvas canvas(34, 16);
    main->DrawLevelIndicator(main->imgVolume, main->PaintBoxVolume, rows, canvas.dc());
    // The picture's green ramp is full height at its right end (x 32, rows 1 to 14).
    for (int y = 1; y < 15; ++y)
      EXPECT_EQ(canvas.At(32, y), y < rows ? kGrey : kLime) << rows << " row " << y;
    EXPECT_NE(canvas.At(3, 8), kLime);  // the speaker stays as drawn
  }
}

}  // namespace
