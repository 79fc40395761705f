// Windowed and windowless controls: alignment order, painting, clicks reaching the
// right control.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Initialize();
    form = app.CreateForm<ui::Form>();
    form->SetClientWidth(200);
    form->SetClientHeight(150);
  }
  ui::Panel* TopPanel(int top, int height) {
    auto* p = new ui::Panel(form, form);
    p->SetBounds(0, top, 10, height);
    p->SetAlign(ui::Align::Top);
    return p;
  }
  ui::Application app;
  ui::Form* form = nullptr;
};

// Top-aligned controls stack in the order of their tops; moving one only reorders.
TEST_F(ControlTest, TopAlignedControlsStackInTheOrderOfTheirTops) {
  ui::Panel* a = TopPanel(0, 10);
  ui::Panel* b = TopPanel(10, 20);
  ui::Panel* c = TopPanel(30, 5);
  EXPECT_EQ(b->Top(), 10);
  EXPECT_EQ(c->Top(), 30);
  EXPECT_EQ(b->Width(), 200);
  b->SetVisible(false);
  c->SetTop(a->Top() + 4);
  EXPECT_EQ(c->Top(), 10);
  b->SetVisible(true);
  EXPECT_EQ(b->Top(), 10);
  EXPECT_EQ(c->Top(), 30);
  c->SetTop(0);
  EXPECT_EQ(c->Top(), 0);
  EXPECT_EQ(a->Top(), 5);
  RECT r;
  GetWindowRect(c->Handle(), &r);
  MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.bottom, 5);
}

TEST_F(ControlTest, RightAlignedControlsKeepTheirOrderFromTheRight) {
  auto* bar = new ui::Panel(form, form);
  bar->SetBounds(0, 0, 200, 20);
  auto* mic = new ui::Panel(form, bar);
  mic->SetBounds(122, 0, 39, 20);
  mic->SetAlign(ui::Align::Right);
  auto* volume = new ui::Panel(form, bar);
  volume->SetBounds(161, 0, 39, 20);
  volume->SetAlign(ui::Align::Right);
  bar->SetWidth(472);
  EXPECT_EQ(volume->Left(), 433);
  EXPECT_EQ(mic->Left(), 394);
}

COLORREF PixelCount(HWND wnd, int w, int h, COLORREF color, RECT* box) {
  HDC screen = GetDC(wnd);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  SendMessageA(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  int count = 0;
  RECT found{w, h, -1, -1};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (GetPixel(mem, x, y) == color) {
        ++count;
        found = {std::min<LONG>(found.left, x), std::min<LONG>(found.top, y),
                 std::max<LONG>(found.right, x), std::max<LONG>(found.bottom, y)};
      }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(wnd, screen);
  *box = found;
  return static_cast<COLORREF>(count);
}

// A transparent blue label draws only its text, inside its bounds, over the panel's colour.
TEST_F(ControlTest, TransparentLabelDrawsItsTextInItsPlaceOnly) {
  auto* panel = new ui::Panel(form, form);
  panel->SetBevelOuter(ui::PanelBevel::None);
  panel->SetColor(0xD7DEE3);
  panel->SetBounds(0, 0, 200, 40);
  panel->SetFont({.Name = "Tahoma", .Height = -11, .Color = ui::clBlack, .Style = 0});
  auto* label = new ui::Label(form, panel);
  label->SetTransparent(true);
  label->SetFont({.Name = "Tahoma", .Height = -11, .Color = ui::clBlue, .Style = ui::fsUnderline});
  label->SetBounds(30, 3, 0, 0);
  label->SetCaption("Details...");
  EXPECT_GT(label->Width(), 30);
  EXPECT_LT(label->Width(), 80);
  EXPECT_EQ(label->Height(), 13);
  RECT box;
  EXPECT_GT(PixelCount(panel->Handle(), 200, 40, RGB(0, 0, 255), &box), 20u);
  EXPECT_GE(box.left, 30);
  EXPECT_LT(box.right, 30 + label->Width());
  EXPECT_GE(box.top, 3);
  EXPECT_LT(box.bottom, 3 + label->Height());
  EXPECT_EQ(box.bottom, 3 + label->Height() - 1) << "the underline is the bottom row";
  EXPECT_GT(PixelCount(panel->Handle(), 200, 40, RGB(0xE3, 0xDE, 0xD7), &box), 7000u);
  label->SetVisible(false);
  EXPECT_EQ(PixelCount(panel->Handle(), 200, 40, RGB(0, 0, 255), &box), 0u);
}

// Clicks go to the topmost enabled windowless control under the mouse; a disabled one
// lets the click through to its parent.
TEST_F(ControlTest, ClicksReachTheEnabledControlUnderTheMouse) {
  auto* panel = new ui::Panel(form, form);
  panel->SetBounds(0, 0, 100, 40);
  auto* image = new ui::Image(form, panel);
  image->SetBounds(0, 0, 50, 20);
  auto* label = new ui::Label(form, panel);
  label->SetAutoSize(false);
  label->SetBounds(10, 0, 20, 20);
  std::vector<std::string> log;
  panel->OnClick = [&](ui::Component*) { log.push_back("panel"); };
  image->OnClick = [&](ui::Component*) { log.push_back("image"); };
  label->OnClick = [&](ui::Component*) { log.push_back("label"); };
  auto click = [&](int x, int y) {
    log.clear();
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    return log;
  };
  EXPECT_EQ(click(15, 5), std::vector<std::string>{"label"});
  EXPECT_EQ(click(40, 5), std::vector<std::string>{"image"});
  EXPECT_EQ(click(80, 30), std::vector<std::string>{"panel"});
  image->SetEnabled(false);
  EXPECT_EQ(click(40, 5), std::vector<std::string>{"panel"});
  // Released outside the control that was pressed: no click.
  log.clear();
  SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 5));
  SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(80, 30));
  EXPECT_TRUE(log.empty());
}

}  // namespace
