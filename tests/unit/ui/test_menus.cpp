// Menu items against the platform's menus: hidden items leave the menu and come back in
// their place; shortcut keys run through the message loop as a user's key press does.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {

std::vector<std::string> NativeTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char buf[128] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
    texts.push_back(buf);
  }
  return texts;
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { app.Initialize(); }
  ui::MenuItem* Item(ui::MenuItem* parent, const std::string& caption, ui::ShortCut key = 0) {
    auto* item = new ui::MenuItem(form);
    item->SetCaption(caption);
    item->SetShortCut(key);
    parent->Add(item);
    return item;
  }
  ui::Application app;
  ui::Form* form = app.CreateForm<ui::Form>();
  ui::MainMenu* menu = new ui::MainMenu(form);
};

TEST_F(MenuTest, HiddenItemsLeaveTheMenuAndReturnInTheirPlace) {
  struct Step {
    int item;
    bool visible;
    std::vector<std::string> expected;
  };
  const std::vector<Step> steps = {
      {1, false, {"A", "C", "D"}}, {0, false, {"C", "D"}},          {3, false, {"C"}},
      {1, true, {"B", "C"}},       {3, true, {"B", "C", "D"}},      {0, true, {"A", "B", "C", "D"}},
      {2, false, {"A", "B", "D"}}, {2, true, {"A", "B", "C", "D"}},
  };
  ui::MenuItem* file = Item(&menu->Items(), "File");
  std::vector<ui::MenuItem*> items;
  for (const char* c : {"A", "B", "C", "D"}) items.push_back(Item(file, c));
  for (const Step& s : steps) {
    items[static_cast<std::size_t>(s.item)]->SetVisible(s.visible);
    EXPECT_EQ(NativeTexts(file->SubMenu()), s.expected)
        << "after item " << s.item << " -> " << s.visible;
  }
}

TEST_F(MenuTest, AHiddenItemKeepsItsStateAndSubmenuWhileOut) {
  ui::MenuItem* file = Item(&menu->Items(), "File");
  ui::MenuItem* lang = Item(file, "Language");
  Item(lang, "English");
  Item(file, "Exit");
  lang->SetVisible(false);
  lang->SetEnabled(false);
  lang->SetVisible(true);
  ASSERT_EQ(GetMenuItemCount(file->SubMenu()), 2);
  EXPECT_EQ(GetSubMenu(file->SubMenu(), 0), lang->SubMenu());
  EXPECT_TRUE(GetMenuState(file->SubMenu(), 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(NativeTexts(lang->SubMenu()), std::vector<std::string>{"English"});
}

TEST(ShortCutText, NamesTheKeysAsTheMenusShowThem) {
  struct Case {
    ui::ShortCut key;
    const char* text;
  };
  for (const Case& c :
       {Case{ui::ShortCutOf(VK_F2), "F2"}, Case{ui::ShortCutOf(VK_F12), "F12"},
        Case{ui::ShortCutOf(VK_ESCAPE), "Esc"}, Case{ui::ShortCutOf('A', ui::scCtrl), "Ctrl+A"},
        Case{ui::ShortCutOf('M', ui::scCtrl | ui::scShift), "Shift+Ctrl+M"},
        Case{ui::ShortCutOf(VK_F8), "F8"}})
    EXPECT_EQ(ui::ShortCutToText(c.key), c.text);
}

TEST_F(MenuTest, ItemTextCarriesTheShortCut) {
  ui::MenuItem* file = Item(&menu->Items(), "&File");
  Item(file, "Stop", ui::ShortCutOf(VK_F3));
  form->SetMenu(menu);
  EXPECT_EQ(NativeTexts(file->SubMenu()), std::vector<std::string>{"Stop\tF3"});
  EXPECT_EQ(NativeTexts(GetMenu(form->Handle())), std::vector<std::string>{"&File"});
}

// A key press posted to the form as the system posts it: the parent's OnClick runs first
// (it may enable the item), then the item's, only when the item is then enabled.
TEST_F(MenuTest, ShortCutKeysRunTheParentThenTheItem) {
  std::vector<std::string> log;
  ui::MenuItem* file = Item(&menu->Items(), "File");
  ui::MenuItem* stop = Item(file, "Stop", ui::ShortCutOf(VK_F3));
  ui::MenuItem* attach = Item(file, "Attach", ui::ShortCutOf('A', ui::scCtrl));
  bool enableStop = false;
  file->OnClick = [&](ui::Component*) {
    log.push_back("File");
    stop->SetEnabled(enableStop);
  };
  stop->OnClick = [&](ui::Component*) { log.push_back("Stop"); };
  attach->OnClick = [&](ui::Component*) { log.push_back("Attach"); };
  form->SetMenu(menu);
  form->Show();
  auto press = [&](WORD vk) {
    log.clear();
    PostMessageA(form->Handle(), WM_KEYDOWN, vk, 1);
    app.ProcessMessages();
    return log;
  };
  EXPECT_EQ(press(VK_F3), (std::vector<std::string>{"File"}));
  enableStop = true;
  EXPECT_EQ(press(VK_F3), (std::vector<std::string>{"File", "Stop"}));
  // 'A' without Ctrl is no shortcut.
  EXPECT_EQ(press('A'), std::vector<std::string>{});
}

TEST_F(MenuTest, OpeningASubmenuRunsItsItemsOnClick) {
  ui::MenuItem* file = Item(&menu->Items(), "File");
  Item(file, "Stop");
  int opened = 0;
  file->OnClick = [&](ui::Component*) { ++opened; };
  form->SetMenu(menu);
  SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->SubMenu()), 0);
  EXPECT_EQ(opened, 1);
}

TEST_F(MenuTest, RadioItemsOfAGroupExcludeEachOther) {
  ui::MenuItem* lang = Item(&menu->Items(), "Language");
  std::vector<ui::MenuItem*> items;
  for (const char* c : {"English", "Deutsch", "Other"}) {
    items.push_back(Item(lang, c));
    items.back()->RadioItem = true;
  }
  items[2]->GroupIndex = 1;
  items[2]->SetChecked(true);
  items[0]->SetChecked(true);
  items[1]->SetChecked(true);
  EXPECT_FALSE(items[0]->Checked());
  EXPECT_TRUE(items[1]->Checked());
  EXPECT_TRUE(items[2]->Checked());
  EXPECT_FALSE(GetMenuState(lang->SubMenu(), 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(lang->SubMenu(), 1, MF_BYPOSITION) & MF_CHECKED);
}

}  // namespace
