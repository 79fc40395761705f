// Buttons: the native push button, check box, radio button and group box, and the
// windowless speed button (flat, toggling in groups, glyph with caption).
#pragma once

#include <windows.h>

#include "ui/Controls.h"

namespace ui {

class Button : public WinControl {
 public:
  Button(Component* owner, WinControl* parent);
  // The default button answers Enter, the cancel button Escape, anywhere in the form.
  void SetDefault(bool v);
  bool Default() const { return default_; }
  bool Cancel = false;
  // Set on the form when the button is clicked, which ends the form's modal run.
  int ModalResult = 0;
  void Click() override;

 protected:
  bool Command(WORD code, WORD id) override;

 private:
  bool default_ = false;
};

class CheckBox : public WinControl {
 public:
  CheckBox(Component* owner, WinControl* parent);
  bool Checked() const;
  // Changing the state runs OnClick, as a click does.
  void SetChecked(bool v);

 protected:
  bool Command(WORD code, WORD id) override;
};

// Radio buttons of one parent exclude each other.
class RadioButton : public WinControl {
 public:
  RadioButton(Component* owner, WinControl* parent);
  bool Checked() const;
  // Checking unchecks the other radio buttons of the parent; a change runs OnClick.
  void SetChecked(bool v);

 protected:
  bool Command(WORD code, WORD id) override;
};

class GroupBox : public WinControl {
 public:
  GroupBox(Component* owner, WinControl* parent);
};

enum class ButtonLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

class SpeedButton : public Control {
 public:
  SpeedButton(Component* owner, WinControl* parent);
  ~SpeedButton() override;
  // Loads the glyph from a bitmap resource; its bottom left pixel's colour is transparent.
  bool LoadGlyph(const char* resource);
  void SetGlyph(HBITMAP glyph);
  void SetFlat(bool v);
  void SetLayout(ButtonLayout l);
  // Pixels between the edge and the glyph; -1 centres glyph and caption together.
  void SetMargin(int m);
  void SetSpacing(int s);
  // Buttons of one parent with the same group index (not 0) toggle as a group.
  int GroupIndex = 0;
  bool AllowAllUp = false;
  bool Down() const { return down_; }
  void SetDown(bool v);
  void Click() override;
  void Paint(HDC dc) override;
  void MouseDown(int x, int y) override;
  void MouseUp(int x, int y) override;
  void MouseMove(int x, int y) override;
  void MouseLeave() override;

 private:
  void DrawGlyph(HDC dc, int x, int y);
  HBITMAP glyph_ = nullptr;
  bool flat_ = false;
  ButtonLayout layout_ = ButtonLayout::GlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool down_ = false;
  bool pressed_ = false;
  bool hot_ = false;
};

}  // namespace ui
