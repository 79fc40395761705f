// What every Windows test relies on from the harness: a display, Wine's fonts,
// the English (United States) locale, and sound devices over PulseAudio.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <string>

namespace {

int CALLBACK FoundFont(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FontExists(const char* face) {
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExA(dc, &lf, FoundFont, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

}  // namespace

TEST(Environment, WindowsCanBeCreatedOnTheDisplay) {
  HWND wnd = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(wnd, nullptr) << GetLastError();
  DestroyWindow(wnd);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

TEST(Environment, WineFontsAreInThePrefix) {
  for (const char* face : {"Tahoma", "MS Sans Serif", "Marlett"}) EXPECT_TRUE(FontExists(face)) << face;
}

TEST(Environment, UserLocaleIsEnglishUnitedStates) {
  EXPECT_EQ(GetUserDefaultLCID(), 0x0409u);
}

TEST(Environment, SoundDevicesExist) {
  EXPECT_GT(waveInGetNumDevs(), 0u);
  EXPECT_GT(waveOutGetNumDevs(), 0u);
  EXPECT_GT(mixerGetNumDevs(), 0u);
}
