// The main window's form as built, its panel arrangement and placement, and the
// arithmetic and formatting of its information line.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app/fMain.h"

namespace {

TEST(CompressionRatio, IsExactForAnyPairOf32BitSizes) {
  struct Case {
    std::int32_t plain, file;
    std::int64_t ratio;
  };
  const Case cases[] = {
      {40000000, 4000000, 90},
      {191530, 19712, 89},
      {100, 100, 0},
      {0, 0, 0},
      {0, 4000, 0},
      {3, 4, -33},
      {INT32_MAX, 0, 100},
      {INT32_MAX, 1, 99},
      {1, INT32_MAX, -214748364600},
      {INT32_MIN, INT32_MAX, 199},
      {INT32_MAX, INT32_MAX, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CompressionRatio(c.plain, c.file), c.ratio) << c.plain << " " << c.file;
}

TEST(FormatPlaceholders, FillsInOrderAndNeverReadsPastTheTexts) {
  struct Case {
    const char* format;
    std::vector<std::string> args;
    const char* result;
  };
  const Case cases[] = {
      {"%s KHz", {"8"}, "8 KHz"},
      {"(Compression ratio %d%%)", {"90"}, "(Compression ratio 90%)"},
      {"%d Sec., %s", {"12", "x"}, "12 Sec., x"},
      {"a %s b %s", {"x"}, "a x b %s"},
      {"%x %s 100%", {"y"}, "%x y 100%"},
      {"%", {}, "%"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatPlaceholders(c.format, c.args), c.result) << c.format;
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Initialize();
    form = app.CreateForm<TVoiceMailForm>();
  }
  ui::Application app;
  TVoiceMailForm* form = nullptr;
};

TEST_F(MainFormTest, ComponentsStandInTheirPlaces) {
  EXPECT_EQ(form->ClientWidth(), 472);
  EXPECT_EQ(form->ClientHeight(), 125);
  struct Place {
    ui::Control* control;
    int left, top, width, height;
  };
  const Place places[] = {
      {form->Bevel1, 0, 0, 472, 2},          {form->Book, 0, 2, 472, 40},
      {form->ToolBar, 0, 0, 472, 40},        {form->ToolBarBevel, 0, 42, 472, 2},
      {form->panInfoViewer, 0, 44, 472, 62}, {form->bevBottom, 0, 60, 472, 2},
      {form->panStatusbar, 0, 106, 472, 20}, {form->panMicLevel, 394, 0, 39, 20},
      {form->panVolume, 433, 0, 39, 20},     {form->imgVolume, 0, 2, 34, 16},
      {form->PaintBoxVolume, 0, 2, 39, 18},
  };
  for (const Place& p : places) {
    EXPECT_EQ(p.control->Left(), p.left) << p.control->Name;
    EXPECT_EQ(p.control->Top(), p.top) << p.control->Name;
    EXPECT_EQ(p.control->Width(), p.width) << p.control->Name;
    EXPECT_EQ(p.control->Height(), p.height) << p.control->Name;
  }
  EXPECT_EQ(form->LMessageInfo->Left(), 4);
  EXPECT_EQ(form->LDetails->Left(), 307);
  EXPECT_EQ(form->LDetails->Top(), 3);
  EXPECT_EQ(form->Book->PageIndex(), 0);
  EXPECT_EQ(form->Normal->Count(), 7);
  EXPECT_EQ(form->Disabled->Count(), 7);
  EXPECT_EQ(app.HintPause(), 10);
  EXPECT_EQ(app.HintHidePause(), 30000);
  EXPECT_FALSE(form->btnOptions->Visible());
}

TEST_F(MainFormTest, ToolBarButtonsInOrder) {
  std::vector<std::string> captions;
  std::vector<int> images;
  for (ui::ToolButton* b : form->ToolBar->Buttons()) {
    captions.push_back(b->Style() == ui::ToolButtonStyle::Separator ? "|" : b->Caption());
    if (b->Style() == ui::ToolButtonStyle::Button) images.push_back(b->ImageIndex());
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"Record", "   Play   ", "|", "  Send  ", " Attach",
                                                "|", "Language", "Options", "|", "Exit"}));
  EXPECT_EQ(images, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  // Every caption fits its button: no button is narrower than the form's 54 pixels and
  // the longest caption's letters.
  RECT r = form->btnRecord->ItemRect();
  EXPECT_GE(r.right - r.left, 54);
  EXPECT_EQ(r.bottom - r.top, 40);
}

TEST_F(MainFormTest, MenuShowsTheItemsWithTheirShortCuts) {
  auto texts = [](HMENU menu) {
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char buf[128] = "";
      GetMenuStringA(menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
      MENUITEMINFOA mi{};
      mi.cbSize = sizeof mi;
      mi.fMask = MIIM_FTYPE;
      GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mi);
      out.push_back((mi.fType & MFT_SEPARATOR) ? "-" : buf);
    }
    return out;
  };
  HMENU bar = GetMenu(form->Handle());
  EXPECT_EQ(texts(bar), (std::vector<std::string>{"&File", "&View", "&Help"}));
  EXPECT_EQ(texts(GetSubMenu(bar, 0)),
            (std::vector<std::string>{"Record Message\tF2", "Stop\tF3", "&Play Message\tF4",
                                      "Pause\tEsc", "-", "&Send Message\tF5", "Save As...\tF12",
                                      "Attach to E-Mail...\tCtrl+A", "-", "Adjust Volume\tCtrl+V",
                                      "Adjust Microphone Level\tCtrl+M", "-", "&Close"}));
  EXPECT_EQ(texts(GetSubMenu(bar, 1)),
            (std::vector<std::string>{"-", "&Language", "-", "&Options...\tF8"}));
  EXPECT_EQ(form->miAdjustMicrophoneLevel->Tag, 1);
}

TEST_F(MainFormTest, ArrangePanelsStacksThePanelsAndFitsTheHeight) {
  form->panInfoViewer->SetVisible(false);
  form->ArrangePanels();
  EXPECT_EQ(form->panStatusbar->Top(), 44);
  EXPECT_EQ(form->ClientHeight(), 64);
  form->panInfoViewer->SetVisible(true);
  form->ArrangePanels();
  EXPECT_EQ(form->panInfoViewer->Top(), 44);
  EXPECT_EQ(form->panStatusbar->Top(), 106);
  EXPECT_EQ(form->ClientHeight(), 126);
}

TEST_F(MainFormTest, PlaceUnderCursorKeepsTheWindowOnTheScreen) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  auto recordPoint = [&] {
    RECT b = form->btnRecord->ItemRect();
    return form->ToolBar->ClientToScreen({b.left + 20, b.top + 20});
  };
  struct Case {
    POINT cursor;
    bool underCursor;
    int right, bottom;  // expected when not under the cursor; -1: not checked
    int left, top;
  };
  const Case cases[] = {
      {{300, 300}, true, -1, -1, -1, -1},
      {{1015, 760}, false, sw - 50, sh - 80, -1, -1},
      {{2, 2}, false, -1, -1, 0, 0},
      {{sw - 1, 5}, false, sw - 50, -1, -1, 0},
  };
  for (const Case& c : cases) {
    SetCursorPos(c.cursor.x, c.cursor.y);
    form->PlaceUnderCursor();
    RECT w;
    GetWindowRect(form->Handle(), &w);
    if (c.underCursor) {
      POINT p = recordPoint();
      EXPECT_EQ(p.x, c.cursor.x);
      EXPECT_EQ(p.y, c.cursor.y);
    }
    if (c.right >= 0) {
      EXPECT_EQ(w.right, c.right) << c.cursor.x;
    }
    if (c.bottom >= 0) {
      EXPECT_EQ(w.bottom, c.bottom) << c.cursor.y;
    }
    if (c.left >= 0) {
      EXPECT_EQ(w.left, c.left) << c.cursor.x;
    }
    if (c.top >= 0) {
      EXPECT_EQ(w.top, c.top) << c.cursor.y;
    }
  }
}

}  // namespace
