// Forms and the application object: border styles, client sizes, modal runs, hints.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Inspect.h"
#include "ui/StdCtrls.h"

namespace {

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override { app.Initialize(); }
  ui::Application app;
};

TEST_F(FormTest, BorderStylesGiveTheWindowStylesAndKeepTheClientSize) {
  struct Case {
    ui::BorderStyle style;
    ui::BorderIcons icons;
    DWORD present, absent, exPresent;
  };
  const Case cases[] = {
      {ui::BorderStyle::Single,
       {true, true, false},
       WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
       WS_MAXIMIZEBOX | WS_THICKFRAME,
       0},
      {ui::BorderStyle::Dialog,
       {true, true, true},
       WS_CAPTION | WS_SYSMENU,
       WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME,
       WS_EX_DLGMODALFRAME},
      {ui::BorderStyle::ToolWindow,
       {true, false, false},
       WS_CAPTION | WS_SYSMENU,
       WS_MINIMIZEBOX | WS_THICKFRAME,
       WS_EX_TOOLWINDOW},
      {ui::BorderStyle::None, {true, true, true}, WS_POPUP, WS_CAPTION | WS_SYSMENU, 0},
  };
  for (const Case& c : cases) {
    auto* form = app.CreateForm<ui::Form>();
    form->SetClientWidth(300);
    form->SetClientHeight(120);
    form->SetBorderStyle(c.style);
    form->SetBorderIcons(c.icons);
    auto style = static_cast<DWORD>(GetWindowLongPtrA(form->Handle(), GWL_STYLE));
    auto ex = static_cast<DWORD>(GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE));
    int kind = static_cast<int>(c.style);
    EXPECT_EQ(style & c.present, c.present) << kind;
    EXPECT_EQ(style & c.absent, 0u) << kind;
    EXPECT_EQ(ex & c.exPresent, c.exPresent) << kind;
    RECT r;
    GetClientRect(form->Handle(), &r);
    EXPECT_EQ(r.right, 300) << kind;
    EXPECT_EQ(r.bottom, 120) << kind;
    ui::Free(form);
  }
}

TEST_F(FormTest, ShowModalReturnsTheResultAndDisablesTheOtherWindowsMeanwhile) {
  auto* main = app.CreateForm<ui::Form>();
  main->Show();
  auto* dialog = app.CreateForm<ui::Form>();
  dialog->SetBorderStyle(ui::BorderStyle::Dialog);
  bool mainEnabledDuring = true;
  int closes = 0;
  dialog->OnClose = [&](ui::Component*, ui::CloseAction&) { ++closes; };
  ui::Timer timer(nullptr);
  timer.SetInterval(50);
  timer.OnTimer = [&](ui::Component*) {
    timer.SetEnabled(false);
    mainEnabledDuring = IsWindowEnabled(main->Handle()) != 0;
    dialog->ModalResult = ui::mrOk;
  };
  EXPECT_EQ(dialog->ShowModal(), ui::mrOk);
  EXPECT_FALSE(mainEnabledDuring);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
  EXPECT_EQ(closes, 1);

  // The system menu's Close (WM_CLOSE) ends the modal run with mrCancel.
  timer.OnTimer = [&](ui::Component*) {
    timer.SetEnabled(false);
    PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
  };
  timer.SetEnabled(true);
  EXPECT_EQ(dialog->ShowModal(), ui::mrCancel);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}

TEST_F(FormTest, OnCloseCanKeepAModalFormOpen) {
  auto* dialog = app.CreateForm<ui::Form>();
  int refusals = 1;
  dialog->OnClose = [&](ui::Component*, ui::CloseAction& a) {
    if (refusals-- > 0) a = ui::CloseAction::None;
  };
  ui::Timer timer(nullptr);
  timer.SetInterval(30);
  int ticks = 0;
  timer.OnTimer = [&](ui::Component*) {
    ++ticks;
    dialog->ModalResult = ticks == 1 ? ui::mrYes : ui::mrNo;
    if (ticks == 2) timer.SetEnabled(false);
  };
  EXPECT_EQ(dialog->ShowModal(), ui::mrNo);
  EXPECT_EQ(ticks, 2);
}

TEST_F(FormTest, HintTimesOfTheApplicationReachTheTooltip) {
  auto* form = app.CreateForm<ui::Form>();
  auto* label = new ui::Label(form, form);
  label->SetCaption("Details...");
  label->SetHint("line one\r\nline two");
  label->SetShowHint(true);
  app.SetHintPause(10);
  app.SetHintHidePause(30000);
  HWND tip = app.Hints().Handle();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 10);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 30000);
}

// The tooltip's tool for a windowless label follows the label's place and visibility.
TEST_F(FormTest, HintToolFollowsTheLabel) {
  auto* form = app.CreateForm<ui::Form>();
  auto* label = new ui::Label(form, form);
  label->SetCaption("Details...");
  label->SetHint("the details");
  label->SetShowHint(true);
  label->SetLeft(307);
  RECT where{};
  ASSERT_TRUE(app.Hints().HasTool(label, &where));
  EXPECT_EQ(where.left, 307);
  EXPECT_EQ(where.right, 307 + label->Width());
  label->SetVisible(false);
  EXPECT_FALSE(app.Hints().HasTool(label));
  label->SetVisible(true);
  EXPECT_TRUE(app.Hints().HasTool(label));
  label->SetShowHint(false);
  EXPECT_FALSE(app.Hints().HasTool(label));
}

// Help mode: the controls take their hint setting from the form.
TEST_F(FormTest, ControlsTakeTheHintSettingOfTheirForm) {
  auto* form = app.CreateForm<ui::Form>();
  auto* panel = new ui::Panel(form, form);
  auto* inner = new ui::Label(form, panel);
  inner->SetHint("inner");
  auto* own = new ui::Label(form, form);
  own->SetHint("own");
  own->SetShowHint(false);
  EXPECT_FALSE(app.Hints().HasTool(inner));
  form->SetShowHint(true);
  EXPECT_TRUE(app.Hints().HasTool(inner));
  EXPECT_FALSE(app.Hints().HasTool(own));
  form->SetShowHint(false);
  EXPECT_FALSE(app.Hints().HasTool(inner));
}

TEST_F(FormTest, TopMostFormsStepBackAndReturn) {
  auto* popup = app.CreateForm<ui::Form>();
  popup->SetBorderStyle(ui::BorderStyle::None);
  popup->SetFormStyle(ui::FormStyle::StayOnTop);
  popup->Show();
  auto topMost = [&] {
    return (GetWindowLongPtrA(popup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  };
  EXPECT_TRUE(topMost());
  app.NormalizeTopMosts();
  EXPECT_FALSE(topMost());
  app.RestoreTopMosts();
  EXPECT_TRUE(topMost());
}

TEST_F(FormTest, TheMainFormClosingEndsTheRun) {
  auto* main = app.CreateForm<ui::Form>();
  bool closed = false;
  main->OnClose = [&](ui::Component*, ui::CloseAction&) { closed = true; };
  main->OnShow = [&](ui::Component*) { PostMessageA(main->Handle(), WM_CLOSE, 0, 0); };
  app.Run();
  EXPECT_TRUE(closed);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(FormTest, InspectionDescribesAComponentByName) {
  auto* form = app.CreateForm<ui::Form>();
  form->Name = "TestForm";
  auto* label = new ui::Label(form, form);
  label->Name = "LInfo";
  label->SetBounds(4, 3, 0, 0);
  label->SetCaption("a = b\\c");
  label->SetHint("one\r\ntwo");
  form->Show();
  ui::Properties p = ui::Inspect(form->Handle(), "LInfo");
  EXPECT_EQ(p["caption"], "a = b\\c");
  EXPECT_EQ(p["hint"], "one\r\ntwo");
  EXPECT_EQ(p["visible"], "1");
  EXPECT_EQ(p["left"], "4");
  POINT origin{4, 3};
  ClientToScreen(form->Handle(), &origin);
  EXPECT_EQ(p["screenleft"], std::to_string(origin.x));
  EXPECT_TRUE(ui::Inspect(form->Handle(), "NoSuchThing").empty());
}

}  // namespace
