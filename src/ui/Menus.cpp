#include "ui/Menus.h"

#include <algorithm>

namespace ui {

namespace {

UINT g_nextCommand = 100;

std::string KeyName(WORD key) {
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
  switch (key) {
    case VK_ESCAPE:
      return "Esc";
    case VK_RETURN:
      return "Enter";
    case VK_SPACE:
      return "Space";
    case VK_TAB:
      return "Tab";
    case VK_BACK:
      return "BkSp";
    case VK_DELETE:
      return "Del";
    case VK_INSERT:
      return "Ins";
    case VK_HOME:
      return "Home";
    case VK_END:
      return "End";
    case VK_PRIOR:
      return "PgUp";
    case VK_NEXT:
      return "PgDn";
    case VK_LEFT:
      return "Left";
    case VK_RIGHT:
      return "Right";
    case VK_UP:
      return "Up";
    case VK_DOWN:
      return "Down";
  }
  return {};
}

}  // namespace

std::string ShortCutToText(ShortCut s) {
  std::string name = KeyName(s & 0xFF);
  if (name.empty()) return {};
  std::string text;
  if (s & scShift) text += "Shift+";
  if (s & scCtrl) text += "Ctrl+";
  if (s & scAlt) text += "Alt+";
  return text + name;
}

// ---- MenuItem ----

MenuItem::MenuItem(Component* owner) : Component(owner), command_(g_nextCommand++) {}

MenuItem::~MenuItem() {
  for (MenuItem* child : items_) child->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
  if (subMenu_ && !(menu_ && &menu_->root_ == this)) DestroyMenu(subMenu_);
}

void MenuItem::Attach(Menu* menu, MenuItem* parent) {
  menu_ = menu;
  parent_ = parent;
  for (MenuItem* child : items_) child->Attach(menu, this);
}

void MenuItem::Add(MenuItem* item) {
  Insert(items_.size(), item);
}

void MenuItem::Insert(std::size_t index, MenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  if (!subMenu_) {
    subMenu_ = CreatePopupMenu();
    UpdateNative();
  }
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(std::min(index, items_.size())), item);
  item->Attach(menu_, this);
  item->InsertNative();
}

void MenuItem::Remove(MenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  item->RemoveNative();
  items_.erase(it);
  item->parent_ = nullptr;
}

int MenuItem::IndexOf(const MenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

HMENU MenuItem::ParentHandle() const {
  return parent_ ? parent_->subMenu_ : nullptr;
}

int MenuItem::NativePosition() const {
  int pos = 0;
  for (MenuItem* sibling : parent_->items_) {
    if (sibling == this) break;
    if (sibling->inserted_) ++pos;
  }
  return pos;
}

MENUITEMINFOA MenuItem::Info(std::string& text) const {
  MENUITEMINFOA mi{};
  mi.cbSize = sizeof mi;
  mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  mi.wID = command_;
  mi.hSubMenu = subMenu_;
  if (IsLine()) {
    mi.fType = MFT_SEPARATOR;
    return mi;
  }
  mi.fMask |= MIIM_STRING;
  mi.fType = RadioItem ? MFT_RADIOCHECK : 0;
  mi.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0);
  text = caption_;
  if (shortCut_) text += "\t" + ShortCutToText(shortCut_);
  mi.dwTypeData = text.data();
  return mi;
}

void MenuItem::InsertNative() {
  if (!visible_ || inserted_ || !ParentHandle()) return;
  std::string text;
  MENUITEMINFOA mi = Info(text);
  if (InsertMenuItemA(ParentHandle(), static_cast<UINT>(NativePosition()), TRUE, &mi))
    inserted_ = true;
  Changed();
}

void MenuItem::RemoveNative() {
  if (!inserted_) return;
  RemoveMenu(ParentHandle(), static_cast<UINT>(NativePosition()), MF_BYPOSITION);
  inserted_ = false;
  Changed();
}

void MenuItem::UpdateNative() {
  if (!inserted_) return;
  std::string text;
  MENUITEMINFOA mi = Info(text);
  SetMenuItemInfoA(ParentHandle(), static_cast<UINT>(NativePosition()), TRUE, &mi);
  Changed();
}

void MenuItem::Changed() {
  if (menu_) menu_->Changed();
}

void MenuItem::SetCaption(const std::string& c) {
  caption_ = c;
  UpdateNative();
}

void MenuItem::SetShortCut(ShortCut s) {
  shortCut_ = s;
  UpdateNative();
}

void MenuItem::SetEnabled(bool e) {
  enabled_ = e;
  UpdateNative();
}

void MenuItem::SetChecked(bool c) {
  checked_ = c;
  UpdateNative();
  if (!c || !RadioItem || !parent_) return;
  for (MenuItem* sibling : parent_->items_) {
    if (sibling != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex &&
        sibling->checked_) {
      sibling->checked_ = false;
      sibling->UpdateNative();
    }
  }
}

void MenuItem::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  if (v)
    InsertNative();
  else
    RemoveNative();
}

void MenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

void MenuItem::Describe(Description& d) const {
  Component::Describe(d);
  d.emplace_back("caption", caption_);
  d.emplace_back("shortcut", ShortCutToText(shortCut_));
  d.emplace_back("visible", visible_ ? "1" : "0");
  // What the platform's menu holds, when the item is in it.
  bool enabled = enabled_, checked = checked_;
  std::string text = caption_;
  if (inserted_) {
    UINT pos = static_cast<UINT>(NativePosition());
    UINT state = GetMenuState(ParentHandle(), pos, MF_BYPOSITION);
    enabled = !(state & (MF_GRAYED | MF_DISABLED));
    checked = (state & MF_CHECKED) != 0;
    char buf[256] = "";
    GetMenuStringA(ParentHandle(), pos, buf, sizeof buf, MF_BYPOSITION);
    text = buf;
    d.emplace_back("position", std::to_string(pos));
  }
  d.emplace_back("enabled", enabled ? "1" : "0");
  d.emplace_back("checked", checked ? "1" : "0");
  d.emplace_back("text", text);
}

// ---- Menu ----

Menu::Menu(Component* owner, bool popup)
    : Component(owner), root_(nullptr), handle_(popup ? CreatePopupMenu() : CreateMenu()) {
  root_.subMenu_ = handle_;
  root_.menu_ = this;
}

Menu::~Menu() {
  // Items still attached (owned elsewhere) must not touch the destroyed handle.
  for (MenuItem* item : root_.items_) item->parent_ = nullptr;
  root_.items_.clear();
  root_.subMenu_ = nullptr;
  if (handle_ && (!window_ || GetMenu(window_) != handle_)) DestroyMenu(handle_);
}

namespace {

template <class Pred>
MenuItem* FindItem(const MenuItem& parent, Pred pred) {
  for (MenuItem* item : parent.Items()) {
    if (pred(item)) return item;
    if (MenuItem* inner = FindItem(*item, pred)) return inner;
  }
  return nullptr;
}

}  // namespace

MenuItem* Menu::FindCommand(UINT command) const {
  return FindItem(root_,
                  [&](MenuItem* i) { return i->Command() == command && i->Items().empty(); });
}

MenuItem* Menu::FindPopup(HMENU sub) const {
  return FindItem(root_, [&](MenuItem* i) { return i->SubMenu() == sub; });
}

MenuItem* Menu::FindShortCut(ShortCut s) const {
  return FindItem(root_, [&](MenuItem* i) { return i->GetShortCut() == s && !i->IsLine(); });
}

bool Menu::DispatchCommand(UINT command) {
  MenuItem* item = FindCommand(command);
  if (!item) return false;
  item->Click();
  return true;
}

void Menu::PopupOpening(HMENU sub) {
  if (MenuItem* item = FindPopup(sub)) item->Click();
}

bool Menu::IsShortCut(ShortCut s) {
  MenuItem* item = FindShortCut(s);
  if (!item) return false;
  std::vector<MenuItem*> parents;
  for (MenuItem* p = item->Parent(); p && p != &root_; p = p->Parent()) parents.push_back(p);
  for (auto it = parents.rbegin(); it != parents.rend(); ++it) (*it)->Click();
  if (!item->Enabled() || !item->Visible()) return false;
  item->Click();
  return true;
}

void Menu::Changed() {
  if (window_) DrawMenuBar(window_);
}

void PopupMenu::Popup(int x, int y, HWND owner) {
  SetForegroundWindow(owner);
  UINT cmd = static_cast<UINT>(
      TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
  PostMessageA(owner, WM_NULL, 0, 0);
  if (cmd) DispatchCommand(cmd);
}

}  // namespace ui
