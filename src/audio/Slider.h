// A bitmap slider: a holder picture that the user drags over a background picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "audio/LevelArithmetic.h"
#include "ui/StdCtrls.h"

enum class TSliderStyle { ssVertical, ssHorizontal };

class TSlider : public ui::WinControl {
 public:
  TSlider(ui::Component* owner, ui::WinControl* parent);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  ui::TColor TranspColor() const { return transpColor_; }
  void SetTranspColor(ui::TColor c);
  std::int32_t Min() const { return min_; }
  void SetMin(std::int32_t v);
  std::int32_t Max() const { return max_; }
  void SetMax(std::int32_t v);
  std::int32_t NumImages() const { return numImages_; }
  void SetNumImages(std::int32_t v);
  std::int32_t ImageIndex() const { return imageIndex_; }
  void SetImageIndex(std::int32_t v);
  std::int32_t DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(std::int32_t v);
  std::int32_t Position() const { return position_; }
  // Stores the position as given (no clamping) and redraws; raises no OnChange.
  void SetPosition(std::int32_t v);
  ui::Cursor HolderCursor() const { return holderCursor_; }
  void SetHolderCursor(ui::Cursor c) { holderCursor_ = c; }
  ui::Image* HolderImage() const { return holderImage_; }
  void SetHolderImage(ui::Image* image);
  ui::Image* BkgImage() const { return bkgImage_; }
  // Also resizes the slider to the picture.
  void SetBkgImage(ui::Image* image);
  TSliderStyle Style() const { return style_; }
  void SetStyle(TSliderStyle s);

  std::int32_t TrackLength() const { return trackLength_; }
  float Scale() const { return scale_; }
  RECT HolderRect() const { return holderRect_; }
  bool Dragging() const { return dragging_; }

  void DrawSlider();
  void Describe(ui::Description& d) const override;

  ui::NotifyEvent OnChange;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void PaintWindow(HDC dc) override;
  void EnabledChanged() override;

 private:
  void UpdateScale();
  void UpdateHolderRect();
  void UpdateFrameWidth();
  SIZE HolderSize() const;
  void DrawTo(HDC dc);
  void MouseDownAt(int x, int y, bool left);
  void MouseMoveAt(int x, int y);
  void MouseUpAt();

  bool transparent_ = false;
  ui::TColor transpColor_ = 0;
  std::int32_t min_ = 0, max_ = 100;
  std::int32_t numImages_ = 1;
  std::int32_t imageIndex_ = 0;
  std::int32_t disabledIndex_ = 0;
  std::int32_t position_ = 0;
  ui::Cursor holderCursor_ = ui::Cursor::HandPoint;
  ui::Image* holderImage_ = nullptr;
  ui::Image* bkgImage_ = nullptr;
  TSliderStyle style_ = TSliderStyle::ssVertical;

  std::string savedHint_;
  bool dragging_ = false;
  std::int32_t trackLength_ = 0;
  float scale_ = 0;
  RECT holderRect_{0, 0, 0, 0};
  std::int32_t frameWidth_ = 0;
};
