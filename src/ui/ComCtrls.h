// The common controls' image lists and tool bar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class ImageList : public Component {
 public:
  ImageList(Component* owner, int width, int height);
  ~ImageList() override;
  HIMAGELIST Handle() const { return handle_; }
  int Count() const;
  // Adds the images of a strip bitmap; pixels of the mask colour stay transparent.
  bool AddMasked(HBITMAP strip, TColor mask);
  // The same from a bitmap resource of the program.
  bool LoadStrip(const char* resource, TColor mask);

 private:
  HIMAGELIST handle_;
};

class ToolBar;

enum class ToolButtonStyle { Button, Separator };

class ToolButton : public Component {
 public:
  ToolButton(Component* owner, ToolBar* bar, ToolButtonStyle style = ToolButtonStyle::Button);
  ~ToolButton() override;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int i);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  ToolButtonStyle Style() const { return style_; }
  int Command() const { return command_; }
  // Where the button is, in the tool bar's client coordinates (empty when hidden).
  RECT ItemRect() const;
  void Click();
  void Describe(Description& d) const override;
  NotifyEvent OnClick;

 private:
  friend class ToolBar;
  ToolBar* bar_;
  ToolButtonStyle style_;
  std::string caption_;
  int imageIndex_ = -1;
  bool enabled_ = true;
  bool visible_ = true;
  int command_;
};

struct ToolBarOptions {
  bool Flat = true;
  bool ShowCaptions = false;
  bool Transparent = false;
  bool EdgeBorders = false;
  int ButtonWidth = 23;
  int ButtonHeight = 22;
  int ImageWidth = 16;
  int ImageHeight = 16;
  int SeparatorWidth = 8;
};

class ToolBar : public WinControl {
 public:
  ToolBar(Component* owner, WinControl* parent, const ToolBarOptions& options);
  ~ToolBar() override;
  void SetImages(ImageList* normal, ImageList* hot, ImageList* disabled);
  const std::vector<ToolButton*>& Buttons() const { return buttons_; }
  const ToolBarOptions& Options() const { return options_; }

 protected:
  bool Command(WORD code, WORD id) override;

 private:
  friend class ToolButton;
  void Add(ToolButton* b);
  void Remove(ToolButton* b);
  void FixButtonSize();
  int IndexOf(const ToolButton* b) const;
  ToolBarOptions options_;
  std::vector<ToolButton*> buttons_;
};

class PageControl;

// A page of a page control; its controls show while it is the active page.
class TabSheet : public WinControl {
 public:
  TabSheet(Component* owner, PageControl* pages, const std::string& caption);
  PageControl* Pages() const { return pages_; }

 protected:
  void TextChanged() override;

 private:
  PageControl* pages_;
};

// The common controls' tab control with a sheet for each tab.
class PageControl : public WinControl {
 public:
  PageControl(Component* owner, WinControl* parent);
  TabSheet* AddPage(const std::string& caption);
  const std::vector<TabSheet*>& Sheets() const { return sheets_; }
  int ActivePageIndex() const { return active_; }
  TabSheet* ActivePage() const;
  void SetActivePageIndex(int index);
  void SetActivePage(TabSheet* sheet);
  // Raised when the user picks another tab.
  NotifyEvent OnChange;

 protected:
  bool Notify(NMHDR* nm, LRESULT& result) override;
  void BoundsChanged() override;

 private:
  friend class TabSheet;
  void PlaceSheets();
  std::vector<TabSheet*> sheets_;
  int active_ = -1;
};

}  // namespace ui
