// The base of the window layer: components with owners, controls with parents, windowed
// controls that own an HWND and paint and hit-test their windowless (graphic) children.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Graphics.h"

namespace ui {

class Component;
using NotifyEvent = std::function<void(Component* sender)>;
using MouseEvent = std::function<void(Component* sender, int x, int y)>;

// Name = value lines that describe a component's state (for inspection from outside).
using Description = std::vector<std::pair<std::string, std::string>>;

// Owns the components created with it as owner and frees them, newest first.
class Component {
 public:
  explicit Component(Component* owner);
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component();

  Component* Owner() const { return owner_; }
  const std::vector<Component*>& Components() const { return components_; }
  // The owned component of that name, searched through the owned components' own.
  Component* FindComponent(const std::string& name) const;
  virtual void Describe(Description& d) const;

  std::string Name;
  int Tag = 0;

 protected:
  // Runs before the object is destroyed while the derived parts still exist.
  virtual void BeforeDestruction() {}
  friend void Free(Component* c);

 private:
  Component* owner_;
  std::vector<Component*> components_;
};

// Frees a component the way its owner would: BeforeDestruction first.
void Free(Component* c);
struct ComponentDeleter {
  void operator()(Component* c) const { Free(c); }
};
template <class T>
using Owned = std::unique_ptr<T, ComponentDeleter>;

enum class Align { None, Top, Bottom, Left, Right, Client };
enum class Alignment { Left, Right, Center };
enum class Cursor { Default, Arrow, HandPoint, HourGlass, IBeam, Help };

HCURSOR CursorHandle(Cursor c);

class WinControl;

class Control : public Component {
 public:
  Control(Component* owner, WinControl* parent);
  ~Control() override;

  WinControl* Parent() const { return parent_; }
  virtual bool IsWindowed() const { return false; }

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  RECT BoundsRect() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

  Align GetAlign() const { return align_; }
  void SetAlign(Align a);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // Visible and all parents visible.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& text);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& text);
  // Whether the hint shows: the parent's setting unless set here (ParentShowHint).
  bool ShowHint() const;
  void SetShowHint(bool v);
  void SetParentShowHint(bool v);

  // Colour and font: the parent's unless set here (ParentColor, ParentFont).
  TColor Color() const;
  void SetColor(TColor c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  const FontInfo& Font() const;
  void SetFont(const FontInfo& f);
  HFONT FontHandle() const;
  Cursor GetCursor() const { return cursor_; }
  void SetCursor(Cursor c) { cursor_ = c; }

  // Screen position of a point given in this control's coordinates.
  POINT ClientToScreen(POINT p) const;
  void Invalidate();
  virtual void Click();

  // Graphic controls draw themselves into the parent's device context, whose origin is
  // moved to the control's top left corner.
  virtual void Paint(HDC) {}
  virtual void MouseDown(int x, int y);
  virtual void MouseUp(int x, int y);
  virtual void MouseMove(int x, int y);
  virtual void MouseLeave() {}

  void Describe(Description& d) const override;

  NotifyEvent OnClick;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseMove;
  // The left button going up over the control.
  MouseEvent OnMouseUp;

 protected:
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void TextChanged() {}
  virtual void ColorChanged() {}
  virtual void FontChanged() {}
  void UpdateHintTool();
  // The hint tools of this control and of the children that take its hint setting.
  void UpdateHintTools();
  void NotifyParentRealign();
  // Bounds set during alignment, without asking for another alignment.
  void PlaceAligned(const RECT& r);
  friend class WinControl;

  RECT bounds_{0, 0, 0, 0};

 private:
  WinControl* parent_;
  Align align_ = Align::None;
  bool visible_ = true;
  bool enabled_ = true;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  bool parentColor_ = true;
  bool parentFont_ = true;
  TColor color_ = clBtnFace;
  FontInfo font_;
  mutable ui::FontHandle fontHandle_;
  std::string caption_;
  std::string hint_;
  Cursor cursor_ = Cursor::Default;
};

// A control with a window of its own. Controls of the layer's window class get their
// messages through WndProc; native controls are subclassed into it.
class WinControl : public Control {
 public:
  WinControl(Component* owner, WinControl* parent);
  ~WinControl() override;
  bool IsWindowed() const override { return true; }
  HWND Handle() const { return hwnd_; }
  const std::vector<Control*>& Controls() const { return controls_; }
  int ClientWidth() const;
  int ClientHeight() const;
  // Places the aligned children: top, bottom, left, right, then client, each group in
  // the order of its current position (on a tie, the control just moved goes first).
  void Realign(Control* moved = nullptr);
  void Repaint();
  // The graphic child under a point of the client area (visible and enabled, topmost).
  Control* ControlAt(POINT p) const;

  static WinControl* FromHandle(HWND hwnd);

 protected:
  // Creates the window: the layer's own class when cls is null, else that native class.
  void CreateHandle(const char* cls, DWORD style, DWORD exStyle, HWND parentWnd,
                    HMENU id = nullptr);
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);
  // WM_COMMAND and WM_NOTIFY of a native child, reflected to its object.
  virtual bool Command(WORD, WORD) { return false; }
  virtual bool Notify(NMHDR*, LRESULT&) { return false; }
  virtual void PaintBackground(HDC dc, const RECT& r);
  virtual void PaintWindow(HDC dc);
  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  void UpdateFontOfChildren();
  // A brush of the control's colour, for native children that ask their parent for one.
  HBRUSH BackgroundBrush();

 private:
  friend class Control;
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void PaintGraphicChildren(HDC dc, const RECT& update);
  void MouseMessage(UINT msg, WPARAM wp, LPARAM lp);
  bool SetCursorMessage();

  HWND hwnd_ = nullptr;
  WNDPROC nativeProc_ = nullptr;
  std::vector<Control*> controls_;
  Control* captured_ = nullptr;
  Control* mouseOver_ = nullptr;
  bool aligning_ = false;
  HBRUSH brush_ = nullptr;
  COLORREF brushColor_ = 0;
};

}  // namespace ui
