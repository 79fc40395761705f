// Buttons and pages: keys that press the default and cancel buttons of a modal form, check
// boxes and radio buttons as the platform reports their clicks, speed buttons in groups.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Initialize();
    form = app.CreateForm<ui::Form>();
    form->SetBorderStyle(ui::BorderStyle::Dialog);
  }
  // Runs the form modally and posts the key to it once it shows; -1 when nothing ends the
  // run within three seconds.
  int ModalWithKey(WORD vk) {
    ui::Timer guard(nullptr);
    guard.SetInterval(3000);
    guard.OnTimer = [&](ui::Component*) { form->ModalResult = -1; };
    ui::Timer timer(nullptr);
    timer.SetInterval(30);
    timer.OnTimer = [&](ui::Component*) {
      timer.SetEnabled(false);
      PostMessageA(form->Handle(), WM_KEYDOWN, vk, 1);
    };
    return form->ShowModal();
  }
  ui::Application app;
  ui::Form* form = nullptr;
};

TEST_F(ButtonTest, EnterAndEscapePressTheDefaultAndTheCancelButton) {
  std::vector<std::string> log;
  auto* ok = new ui::Button(form, form);
  ok->SetCaption("OK");
  ok->SetDefault(true);
  ok->OnClick = [&](ui::Component*) {
    log.push_back("ok");
    form->ModalResult = ui::mrOk;
  };
  auto* cancel = new ui::Button(form, form);
  cancel->SetCaption("Cancel");
  cancel->Cancel = true;
  cancel->ModalResult = ui::mrCancel;
  cancel->OnClick = [&](ui::Component*) { log.push_back("cancel"); };
  EXPECT_EQ(ModalWithKey(VK_RETURN), ui::mrOk);
  EXPECT_EQ(ModalWithKey(VK_ESCAPE), ui::mrCancel);
  EXPECT_EQ(log, (std::vector<std::string>{"ok", "cancel"}));
  // A disabled default button does not answer Enter.
  ok->SetEnabled(false);
  ui::Timer closer(nullptr);
  closer.SetInterval(150);
  closer.OnTimer = [&](ui::Component*) { form->ModalResult = ui::mrAbort; };
  EXPECT_EQ(ModalWithKey(VK_RETURN), ui::mrAbort);
}

TEST_F(ButtonTest, TheFormSeesKeysBeforeItsMenu) {
  auto* menu = new ui::MainMenu(form);
  auto* file = new ui::MenuItem(form);
  file->SetCaption("File");
  menu->Items().Add(file);
  auto* pause = new ui::MenuItem(form);
  pause->SetCaption("Pause");
  pause->SetShortCut(ui::ShortCutOf(VK_ESCAPE));
  file->Add(pause);
  form->SetMenu(menu);
  int paused = 0;
  pause->OnClick = [&](ui::Component*) { ++paused; };
  form->OnShortCut = [&](ui::Component*, unsigned short key, bool& handled) {
    if (key == VK_ESCAPE) {
      handled = true;
      form->ModalResult = ui::mrCancel;
    }
  };
  EXPECT_EQ(ModalWithKey(VK_ESCAPE), ui::mrCancel);
  EXPECT_EQ(paused, 0);
}

TEST_F(ButtonTest, CheckBoxReportsClicksAndChanges) {
  auto* box = new ui::CheckBox(form, form);
  int clicks = 0;
  box->OnClick = [&](ui::Component*) { ++clicks; };
  SendMessageA(box->Handle(), BM_CLICK, 0, 0);  // as a user's click arrives
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 1);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1) << "no change, no click";
  box->SetChecked(false);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, RadioButtonsOfOneParentExcludeEachOther) {
  auto* group = new ui::GroupBox(form, form);
  auto* a = new ui::RadioButton(form, form);
  auto* b = new ui::RadioButton(form, form);
  auto* other = new ui::RadioButton(form, group);
  std::vector<std::string> log;
  a->OnClick = [&](ui::Component*) { log.push_back("a"); };
  b->OnClick = [&](ui::Component*) { log.push_back("b"); };
  other->SetChecked(true);
  a->SetChecked(true);
  SendMessageA(b->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked()) << "another parent, another group";
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
  SendMessageA(b->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(b->Checked()) << "clicking the checked one keeps it";
}

TEST_F(ButtonTest, SpeedButtonsToggleInTheirGroup) {
  struct Case {
    bool allowAllUp;
    std::vector<int> clicks;
    std::vector<bool> down;
  };
  const Case cases[] = {
      {false, {0}, {true, false, false}},    {false, {0, 1}, {false, true, false}},
      {false, {1, 1}, {false, true, false}}, {true, {1, 1}, {false, false, false}},
      {true, {2}, {false, false, false}},  // not in the group: never down
  };
  for (const Case& c : cases) {
    auto* panel = new ui::Panel(form, form);
    std::vector<ui::SpeedButton*> buttons;
    for (int i = 0; i < 3; ++i) {
      buttons.push_back(new ui::SpeedButton(form, panel));
      buttons.back()->GroupIndex = i < 2 ? 1 : 0;
      buttons.back()->AllowAllUp = c.allowAllUp;
    }
    int clicks = 0;
    for (auto* b : buttons) b->OnClick = [&](ui::Component*) { ++clicks; };
    for (int i : c.clicks) buttons[static_cast<std::size_t>(i)]->Click();
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(buttons[i]->Down(), c.down[i]) << i;
    EXPECT_EQ(clicks, static_cast<int>(c.clicks.size()));
    ui::Free(panel);
    for (auto* b : buttons) ui::Free(b);
  }
}

TEST_F(ButtonTest, DisabledSpeedButtonIgnoresClicks) {
  auto* panel = new ui::Panel(form, form);
  auto* b = new ui::SpeedButton(form, panel);
  b->SetBounds(0, 0, 50, 39);
  b->GroupIndex = 1;
  b->AllowAllUp = true;
  int clicks = 0;
  b->OnClick = [&](ui::Component*) { ++clicks; };
  b->SetEnabled(false);
  SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(clicks, 0);
  b->SetEnabled(true);
  SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(b->Down());
}

TEST_F(ButtonTest, PageControlShowsTheActiveSheetBelowTheTabs) {
  auto* pages = new ui::PageControl(form, form);
  pages->SetBounds(8, 6, 364, 243);
  ui::TabSheet* general = pages->AddPage("General");
  ui::TabSheet* launch = pages->AddPage("Easy Launch");
  EXPECT_EQ(pages->ActivePage(), general);
  EXPECT_TRUE(IsWindowVisible(general->Handle()) || !IsWindowVisible(form->Handle()));
  EXPECT_TRUE(GetWindowLongPtrA(general->Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_GT(general->Top(), 10);
  EXPECT_LT(general->Top() + general->Height(), 243);
  pages->SetActivePage(launch);
  EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_FALSE(GetWindowLongPtrA(general->Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_TRUE(GetWindowLongPtrA(launch->Handle(), GWL_STYLE) & WS_VISIBLE);
}

}  // namespace
