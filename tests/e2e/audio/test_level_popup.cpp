// VoiceMail.exe as a user works its level popup: Ctrl+V opens it at the mouse, dragging the
// holder sets the master volume and the main window's indicator follows, Ctrl+M turns it to
// the microphone in place. Controls are read through the forms' inspection message, input
// is the platform's mouse and keyboard, the indicator is read from the screen, and the
// screen is saved as pictures beside the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "e2e/common/VoiceMailProcess.h"

namespace {

void MoveTo(int x, int y) {
  for (int i = 0; i < 20; ++i) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    Pause(150);
    POINT p{};
    GetCursorPos(&p);
    if (p.x == x && p.y == y) return;
  }
}

void Button(bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &in, sizeof in);
  Pause(150);
}

void CtrlKey(char key) {
  INPUT in[4]{};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[3].ki.wVk = VK_CONTROL;
  in[1].ki.wVk = in[2].ki.wVk = static_cast<WORD>(key);
  in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
  Pause(400);
}

class Program : public VoiceMailProcess {
 public:
  explicit Program(POINT cursor) {
    MoveTo(cursor.x, cursor.y);
    Start(VOICEMAIL_EXE);
    // Shown, the window moves under the mouse (its Record button's point 20, 20).
    for (int i = 0; i < 60 && Form(); ++i) {
      ui::Properties record = Get("btnRecord");
      if (!record["screenleft"].empty() && std::stoi(record["screenleft"]) + 20 == cursor.x &&
          std::stoi(record["screentop"]) + 20 == cursor.y)
        break;
      Pause(50);
    }
    Pause(200);
  }
  // The popup: the program's other visible form.
  HWND Popup() const {
    auto isPopup = [](const std::string& cls, const std::string& text) {
      return cls == "BdaWindow" && text != kMainCaption;
    };
    for (int i = 0; i < 40; ++i) {
      if (HWND h = FindProcessWindow(Id(), isPopup)) return h;
      Pause(50);
    }
    return nullptr;
  }
};

// The named property once it has the value (input reaches a busy program late), or its last
// value after the wait.
std::string WaitFor(HWND window, const std::string& component, const char* name,
                    const std::string& value, int tries = 40) {
  std::string got;
  for (int i = 0; i < tries; ++i) {
    got = ui::Inspect(window, component)[name];
    if (got == value) break;
    Pause(50);
  }
  return got;
}

// Moves the mouse until the program reports the property at the value: Wine may still
// deliver a motion of the X pointer from before the move, which a repeated move overtakes.
std::string MoveUntil(int x, int y, HWND window, const std::string& component, const char* name,
                      const std::string& value) {
  std::string got;
  for (int i = 0; i < 5 && got != value; ++i) {
    MoveTo(x, y);
    got = WaitFor(window, component, name, value, 10);
  }
  return got;
}

int Int(ui::Properties& p, const char* name) {
  return std::stoi(p[name]);
}

// The screen as the user sees it, in a 24-bit bitmap file.
void SaveScreen(const std::string& path) {
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  DWORD size = static_cast<DWORD>(((w * 3 + 3) & ~3) * h);
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + size), 0, 0,
                      static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader)};
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  f.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
  f.write(static_cast<const char*>(bits), size);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

// Rows of the volume indicator's green window (its right column) that show green.
int GreenRows(Program& program) {
  ui::Properties box = program.Get("PaintBoxVolume");
  int x = Int(box, "screenleft") + 32, y = Int(box, "screentop");
  HDC screen = GetDC(nullptr);
  int green = 0;
  for (int row = 1; row < 15; ++row) green += GetPixel(screen, x, y + row) == RGB(0, 255, 0);
  ReleaseDC(nullptr, screen);
  return green;
}

TEST(LevelPopup, OpensAtTheMouseSetsTheVolumeAndTurnsToTheMicrophone) {
  Program program({300, 300});
  ASSERT_NE(program.Form(), nullptr) << "no main window";
  // Wine's master volume starts full for every program: the indicator is full.
  EXPECT_EQ(program.Get("")["volumelevel"], "0");
  EXPECT_EQ(GreenRows(program), 14);

  MoveTo(600, 500);
  CtrlKey('V');
  HWND popupWindow = program.Popup();
  ASSERT_NE(popupWindow, nullptr) << "no popup";
  RECT r;
  GetWindowRect(popupWindow, &r);
  EXPECT_EQ(r.left, 555);
  EXPECT_EQ(r.top, 440);
  EXPECT_EQ(r.right - r.left, 65);
  EXPECT_EQ(r.bottom - r.top, 105);
  ui::Properties popup = ui::Inspect(popupWindow, "");
  EXPECT_EQ(popup["devicecaption"], "Volume");
  EXPECT_EQ(popup["showsvolume"], "1");

  // The holder dragged to the bottom, then to the top.
  ui::Properties slider = ui::Inspect(popupWindow, "Slider");
  int sx = Int(slider, "screenleft") + 12, sy = Int(slider, "screentop");
  MoveTo(sx, sy + Int(slider, "holdertop") + 4);
  Button(true);
  ASSERT_EQ(WaitFor(popupWindow, "Slider", "dragging", "1"), "1");
  EXPECT_EQ(MoveUntil(sx, sy + 67, popupWindow, "Slider", "position", "100"), "100");
  EXPECT_EQ(WaitFor(popupWindow, "", "volumefader", "0"), "0");
  EXPECT_EQ(WaitFor(program.Form(), "", "volumelevel", "15"), "15");
  EXPECT_EQ(GreenRows(program), 0);
  SaveScreen("popup-volume-none.bmp");
  EXPECT_EQ(MoveUntil(sx, sy, popupWindow, "Slider", "position", "0"), "0");
  Button(false);
  EXPECT_EQ(WaitFor(popupWindow, "Slider", "dragging", "0"), "0");
  EXPECT_EQ(WaitFor(popupWindow, "", "volumefader", "65535"), "65535");
  EXPECT_EQ(WaitFor(program.Form(), "", "volumelevel", "0"), "0");
  EXPECT_EQ(GreenRows(program), 14);
  SaveScreen("popup-volume-full.bmp");

  // Ctrl+M while it shows: the microphone, in the same place.
  MoveTo(200, 150);
  CtrlKey('M');
  EXPECT_EQ(WaitFor(popupWindow, "", "devicecaption", "Microphone"), "Microphone");
  GetWindowRect(popupWindow, &r);
  EXPECT_EQ(r.left, 555);
  EXPECT_EQ(r.top, 440);
  popup = ui::Inspect(popupWindow, "");
  EXPECT_EQ(popup["devicecaption"], "Microphone");
  EXPECT_EQ(popup["showsvolume"], "0");
  // Wine's mixer 0 has no microphone line: the microphone level reads 0.
  EXPECT_EQ(ui::Inspect(popupWindow, "Slider")["position"], "100");
  SaveScreen("popup-microphone.bmp");

  // Its close button hides it; Ctrl+V opens it again, at the mouse.
  ui::Properties close = ui::Inspect(popupWindow, "btnClose");
  POINT onClose{Int(close, "screenleft") + 8, Int(close, "screentop") + 7};
  MoveTo(onClose.x, onClose.y);
  Button(true);
  Button(false);
  EXPECT_FALSE(IsWindowVisible(popupWindow));
  CtrlKey('V');
  EXPECT_EQ(WaitFor(popupWindow, "", "devicecaption", "Volume"), "Volume");
  EXPECT_TRUE(IsWindowVisible(popupWindow));
  GetWindowRect(popupWindow, &r);
  EXPECT_EQ(r.left, onClose.x - 45);
  EXPECT_EQ(r.top, onClose.y - 60);
  EXPECT_EQ(ui::Inspect(popupWindow, "")["devicecaption"], "Volume");

  PostMessageA(program.Form(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.Ended(20000));
}

TEST(LevelPopup, ClickingTheMicrophoneIndicatorOpensItForTheMicrophone) {
  Program program({300, 300});
  ASSERT_NE(program.Form(), nullptr) << "no main window";
  ui::Properties panel = program.Get("panMicLevel");
  HWND popupWindow = nullptr;
  for (int i = 0; i < 3 && !popupWindow; ++i) {
    MoveTo(Int(panel, "screenleft") + 5, Int(panel, "screentop") + 10);
    Button(true);
    Button(false);
    popupWindow = program.Popup();
  }
  ASSERT_NE(popupWindow, nullptr) << "no popup";
  EXPECT_EQ(ui::Inspect(popupWindow, "")["devicecaption"], "Microphone");
  RECT r;
  GetWindowRect(popupWindow, &r);
  EXPECT_EQ(r.left, Int(panel, "screenleft") + 5 - 45);
  EXPECT_EQ(r.top, Int(panel, "screentop") + 10 - 60);
  PostMessageA(program.Form(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.Ended(20000));
}

}  // namespace
