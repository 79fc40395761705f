// Menus: items with captions, shortcut keys, enabled, checked and visible states; the
// main menu of a form and popup menus.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

// A shortcut key: the virtual key in the low byte, plus the modifier bits.
using ShortCut = std::uint16_t;
constexpr ShortCut scShift = 0x2000;
constexpr ShortCut scCtrl = 0x4000;
constexpr ShortCut scAlt = 0x8000;
constexpr ShortCut ShortCutOf(WORD key, ShortCut modifiers = 0) {
  return static_cast<ShortCut>(key | modifiers);
}
// "F2", "Esc", "Ctrl+A", ...
std::string ShortCutToText(ShortCut s);

class Menu;

class MenuItem : public Component {
 public:
  explicit MenuItem(Component* owner);
  ~MenuItem() override;

  // Appends (or inserts at an index of Items) a child item.
  void Add(MenuItem* item);
  void Insert(std::size_t index, MenuItem* item);
  void Remove(MenuItem* item);
  const std::vector<MenuItem*>& Items() const { return items_; }
  MenuItem* Parent() const { return parent_; }
  int IndexOf(const MenuItem* item) const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  ShortCut GetShortCut() const { return shortCut_; }
  void SetShortCut(ShortCut s);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the other radio items of its group.
  void SetChecked(bool c);
  bool RadioItem = false;
  int GroupIndex = 0;
  bool Visible() const { return visible_; }
  // Win32 menus have no hidden items: hiding takes the item out, showing puts it back
  // where it belongs among its visible siblings.
  void SetVisible(bool v);
  bool IsLine() const { return caption_ == "-"; }
  UINT Command() const { return command_; }
  HMENU SubMenu() const { return subMenu_; }

  virtual void Click();
  void Describe(Description& d) const override;

  NotifyEvent OnClick;

 private:
  friend class Menu;
  void Attach(Menu* menu, MenuItem* parent);
  HMENU ParentHandle() const;
  int NativePosition() const;
  void InsertNative();
  void RemoveNative();
  void UpdateNative();
  void Changed();
  MENUITEMINFOA Info(std::string& text) const;

  Menu* menu_ = nullptr;
  MenuItem* parent_ = nullptr;
  std::vector<MenuItem*> items_;
  std::string caption_;
  ShortCut shortCut_ = 0;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  UINT command_;
  HMENU subMenu_ = nullptr;
  bool inserted_ = false;
};

class Menu : public Component {
 public:
  Menu(Component* owner, bool popup);
  ~Menu() override;
  // The root item whose children are the menu's items.
  MenuItem& Items() { return root_; }
  HMENU Handle() const { return handle_; }
  MenuItem* FindCommand(UINT command) const;
  MenuItem* FindPopup(HMENU sub) const;
  MenuItem* FindShortCut(ShortCut s) const;
  // A menu command: clicks the item when it is enabled.
  bool DispatchCommand(UINT command);
  // A submenu opens: its item's OnClick runs (the place to update the items' states).
  void PopupOpening(HMENU sub);
  // A key press: the item with that shortcut runs after its parents' OnClick, when it is
  // then enabled and visible. True when the key belongs to an item.
  bool IsShortCut(ShortCut s);
  // The window whose menu bar must be redrawn after changes.
  void AttachTo(HWND window) { window_ = window; }
  void Changed();

 private:
  friend class MenuItem;
  MenuItem root_;
  HMENU handle_;
  HWND window_ = nullptr;
};

class MainMenu : public Menu {
 public:
  explicit MainMenu(Component* owner) : Menu(owner, false) {}
};

class PopupMenu : public Menu {
 public:
  explicit PopupMenu(Component* owner) : Menu(owner, true) {}
  // Shows the menu at a screen point and runs the chosen item.
  void Popup(int x, int y, HWND owner);
};

}  // namespace ui
