// The progress window over a real owner form on the test display.
#include "handoff/fFakeProgress.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Initialize();
    owner = app.CreateForm<ui::Form>();
    owner->SetCaption("Owner form");
    owner->SetBounds(200, 150, 500, 300);
    owner->Show();
    Pump(50);
    ProgressCaption() = "Processing In Progress";
    ProgressPrompt() = "Processing. Please wait... ";
  }
  void TearDown() override { HideProgress(); }

  void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
      app.ProcessMessages();
      Sleep(10);
    } while (GetTickCount() - start < ms);
  }
  template <typename Done>
  bool PumpUntil(Done done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
      if (GetTickCount() - start > ms) return false;
      Pump(10);
    }
    return true;
  }

  HWND Window() const { return ProgressForm() ? ProgressForm()->Handle() : nullptr; }
  bool Visible() const { return Window() && IsWindowVisible(Window()); }

  ui::Application app;
  ui::Form* owner = nullptr;
};

RECT ClientRect(HWND wnd) {
  RECT r{};
  GetClientRect(wnd, &r);
  return r;
}

POINT Centre(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string WindowText(HWND wnd) {
  char text[256] = {};
  GetWindowTextA(wnd, text, sizeof text);
  return text;
}

// Visible windows of this thread with that caption.
int VisibleWindowsTitled(const std::string& caption) {
  struct Search {
    std::string caption;
    int count = 0;
  } search{caption};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (IsWindowVisible(wnd) && WindowText(wnd) == s->caption) ++s->count;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.count;
}

std::vector<DWORD> Pixels(HBITMAP bitmap) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<DWORD> pixels(32 * 32);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap, 0, 32, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return pixels;
}

}  // namespace

TEST_F(ProgressTest, ShowsAtOnceCentredOverItsDisabledOwner) {
  HideProgress();  // without a window: nothing happens
  EXPECT_FALSE(IsProgressShown());
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));

  ProgressCaption() = "Compress Voice Message";
  ProgressPrompt() = "Compressing message. Please wait...";
  ShowProgress(owner, false);
  ASSERT_TRUE(IsProgressShown());
  EXPECT_TRUE(Visible());
  EXPECT_EQ(GetForegroundWindow(), Window());
  EXPECT_EQ(WindowText(Window()), "Compress Voice Message");
  EXPECT_EQ(ProgressForm()->LPrompt->Caption(), "Compressing message. Please wait...");
  EXPECT_FALSE(IsWindowEnabled(owner->Handle()));
  EXPECT_EQ(GetWindow(Window(), GW_OWNER), owner->Handle());
  const POINT over = Centre(owner->Handle()), at = Centre(Window());
  EXPECT_NEAR(at.x, over.x, 1);
  EXPECT_NEAR(at.y, over.y, 1);

  const LONG_PTR style = GetWindowLongPtrA(Window(), GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrA(Window(), GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

  HWND window = Window();
  HideProgress();
  EXPECT_FALSE(IsProgressShown());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  HideProgress();  // once more: still nothing
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
}

TEST_F(ProgressTest, WithoutAnOwnerItIsCentredOnTheScreen) {
  ShowProgress(nullptr, false);
  ASSERT_TRUE(Visible());
  EXPECT_EQ(GetWindow(Window(), GW_OWNER), nullptr);
  const POINT at = Centre(Window());
  EXPECT_NEAR(at.x, GetSystemMetrics(SM_CXFULLSCREEN) / 2, 1);
  EXPECT_NEAR(at.y, GetSystemMetrics(SM_CYFULLSCREEN) / 2, 1);
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
}

TEST_F(ProgressTest, TheCancelEventDecidesTheRowOfButtons) {
  int cancels = 0;
  ui::Component* sender = nullptr;
  const ui::NotifyEvent onCancel = [&](ui::Component* s) {
    ++cancels;
    sender = s;
  };
  struct Case {
    const char* name;
    bool withCancel;
    int clientHeight;
  } cases[] = {{"no cancel event", false, 92}, {"cancel event", true, 127}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ShowProgressEx(owner, 0, false, c.withCancel ? onCancel : nullptr);
    ASSERT_TRUE(Visible());
    EXPECT_EQ(ClientRect(Window()).bottom, c.clientHeight);
    EXPECT_EQ(ClientRect(Window()).right, 324);
    EXPECT_FALSE(IsWindowVisible(ProgressForm()->btnOK->Handle()));
    EXPECT_EQ(IsWindowVisible(ProgressForm()->btnCancel->Handle()) != 0, c.withCancel);
    if (c.withCancel) {
      SendMessageA(ProgressForm()->btnCancel->Handle(), BM_CLICK, 0, 0);
      Pump(50);
      EXPECT_EQ(cancels, 1);
      EXPECT_EQ(sender, ProgressForm());
      EXPECT_TRUE(Visible()) << "the window stays until the work has stopped";
    }
    HideProgress();
  }
}

TEST_F(ProgressTest, ADelayedWindowAppearsLaterAndCountsAsShownAtOnce) {
  const DWORD start = GetTickCount();
  ShowProgressEx(owner, 300, false, nullptr);
  EXPECT_TRUE(IsProgressShown());
  EXPECT_FALSE(Visible());
  EXPECT_FALSE(IsWindowEnabled(owner->Handle()));
  Pump(150);
  EXPECT_FALSE(Visible());
  ASSERT_TRUE(PumpUntil([&] { return Visible(); }, 3000));
  EXPECT_GE(GetTickCount() - start, 290u);
  EXPECT_FALSE(ProgressForm()->Timer->Enabled());
  HideProgress();
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
}

TEST_F(ProgressTest, HiddenBeforeTheDelayEndsItNeverShows) {
  ProgressCaption() = "Never seen";
  ShowProgressEx(owner, 200, false, nullptr);
  HWND window = Window();
  HideProgress();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsProgressShown());
  for (int i = 0; i < 20; ++i) {
    Pump(20);
    EXPECT_EQ(VisibleWindowsTitled("Never seen"), 0);
  }
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
}

TEST_F(ProgressTest, ASecondShowKeepsTheFirstWindowAndShowsItAtOnce) {
  int cancels = 0;
  ProgressCaption() = "First caption";
  ShowProgressEx(owner, 10000, false, nullptr);
  HWND window = Window();
  ProgressCaption() = "Second caption";
  ShowProgressEx(nullptr, 10000, false, [&](ui::Component*) { ++cancels; });
  EXPECT_EQ(Window(), window);
  EXPECT_TRUE(Visible());
  EXPECT_EQ(WindowText(window), "First caption");
  EXPECT_EQ(ProgressForm()->OwnerForm, owner);
  // The Cancel button that the second call asks for must be reachable.
  EXPECT_TRUE(IsWindowVisible(ProgressForm()->btnCancel->Handle()));
  EXPECT_EQ(ClientRect(window).bottom, 127);
  const POINT at = Centre(window);
  EXPECT_NEAR(at.x, GetSystemMetrics(SM_CXFULLSCREEN) / 2, 1);
  SendMessageA(ProgressForm()->btnCancel->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(cancels, 1);
  HideProgress();
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
}

TEST_F(ProgressTest, TheOwnerIsEnabledAgainOnEveryWayOutOfTheWork) {
  struct Case {
    const char* name;
    unsigned delay;
    bool fails;
  } cases[] = {{"work done", 0, false},
               {"work raises", 0, true},
               {"work raises before a delayed window appears", 5000, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ShowProgressEx(owner, c.delay, false, nullptr);
      EXPECT_FALSE(IsWindowEnabled(owner->Handle()));
      if (c.fails) throw std::runtime_error("work failed");
      HideProgress();
    } catch (const std::runtime_error&) {
      HideProgress();
    }
    EXPECT_FALSE(IsProgressShown());
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  }
}

TEST_F(ProgressTest, TheOwnersIconIsUsedOnlyWhenAskedForAndPresent) {
  auto iconPixels = [&](bool useOwnerIcon) {
    ShowProgress(owner, useOwnerIcon);
    std::vector<DWORD> pixels = Pixels(ProgressForm()->imgIcon->Bitmap());
    HideProgress();
    return pixels;
  };
  const std::vector<DWORD> standard = iconPixels(false);
  EXPECT_EQ(iconPixels(true), standard) << "the owner has no icon yet";

  HICON ownIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_ERROR));
  SendMessageA(owner->Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ownIcon));
  EXPECT_EQ(iconPixels(false), standard);
  EXPECT_NE(iconPixels(true), standard);
}
