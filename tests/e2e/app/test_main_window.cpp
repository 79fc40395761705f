// VoiceMail.exe started as a user starts it, on the test display: what its main window
// shows without and with a message, where it opens, and the settings it leaves behind.
// The window's controls are read through the forms' inspection message; the menu states
// it reports are those of the platform's menu; input is the platform's mouse.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "e2e/common/VoiceMailProcess.h"
#include "util/qsUtils.h"

namespace {

const char kSettingsKey[] = "Software\\Brevilo\\Dorar Adar";

std::string TempFolder() {
  char buf[MAX_PATH] = "";
  GetTempPathA(sizeof buf, buf);
  return buf;
}

std::string MessageFile() {
  return TempFolder() + "Dorar Adar.wav";
}

void DeleteSettings() {
  RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
}

void WriteSettings(int plainSize, int durationSec) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  auto text = [&](const char* name, const std::string& v) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                   static_cast<DWORD>(v.size() + 1));
  };
  auto number = [&](const char* name, DWORD v) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  };
  for (const char* b : {"AutoRecord", "AutoPlay", "BeepOnRecord", "Mono", "GSM610", "Bits16"})
    text(b, "1");
  for (const char* b : {"HideTips", "AutoClose", "PackOnSend"}) text(b, "0");
  number("Quality ", 0);
  number("PlainSize", static_cast<DWORD>(plainSize));
  number("DurationSec", static_cast<DWORD>(durationSec));
  number("MinWaveLevel", 50);
  text("MsgFileName", MessageFile());
  RegCloseKey(key);
}

// A PCM wave file of exactly `size` bytes, last written at the given local time.
void WriteWaveFile(const std::string& path, std::uint32_t size, SYSTEMTIME localTime) {
  {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    auto u32 = [&](std::uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f.write("RIFF", 4);
    u32(size - 8);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    f.write("data", 4);
    u32(size - 44);
    std::vector<char> silence(size - 44, 0);
    f.write(silence.data(), static_cast<std::streamsize>(silence.size()));
  }
  FILETIME local, utc;
  SystemTimeToFileTime(&localTime, &local);
  LocalFileTimeToFileTime(&local, &utc);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(h, nullptr, nullptr, &utc);
  CloseHandle(h);
}

struct RegValue {
  DWORD type = 0;
  std::string text;
  DWORD number = 0;
};

bool ReadValue(const char* name, RegValue& v) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  char buf[1024] = "";
  DWORD size = sizeof buf;
  LONG rc = RegQueryValueExA(key, name, nullptr, &v.type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return false;
  if (v.type == REG_DWORD) std::memcpy(&v.number, buf, 4);
  if (v.type == REG_SZ) v.text = buf;
  return true;
}

// A mouse move as the input devices make it (a warped cursor alone sends no mouse message).
void MoveTo(int x, int y) {
  for (int dx : {-2, 0}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x + dx) * 65536 / GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = y * 65536 / GetSystemMetrics(SM_CYSCREEN);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    Pause(50);
  }
}

void ClickAt(int x, int y) {
  MoveTo(x, y);
  Pause(100);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &in[0], sizeof(INPUT));
  Pause(50);
  SendInput(1, &in[1], sizeof(INPUT));
}

class Program : public VoiceMailProcess {
 public:
  // Starts the program with the mouse at `cursor` and waits for its main window.
  explicit Program(POINT cursor) {
    SetCursorPos(cursor.x, cursor.y);
    Start(VOICEMAIL_EXE);
  }

  // Clicks the tool bar's Exit button and waits for the program's end; its exit code.
  DWORD ExitWithButton() {
    ui::Properties exit = Get("btnExit");
    ClickAt(std::stoi(exit["screenleft"]) + std::stoi(exit["width"]) / 2,
            std::stoi(exit["screentop"]) + std::stoi(exit["height"]) / 2);
    return Ended(20000) ? ExitCode() : 0xFFFFFFFF;
  }

  // The text of the program's tooltip once one shows, or empty after the wait.
  std::string ShownTip() const {
    auto isTip = [](const std::string& cls, const std::string&) {
      return lstrcmpiA(cls.c_str(), "tooltips_class32") == 0;
    };
    for (int i = 0; i < 60; ++i) {
      if (HWND tip = FindProcessWindow(Id(), isTip)) {
        // Another process's GetWindowText reads only the title; the tip's text comes with
        // WM_GETTEXT.
        char text[512] = "";
        DWORD_PTR got = 0;
        SendMessageTimeoutA(tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 2000, &got);
        if (text[0]) return text;
      }
      Pause(50);
    }
    return {};
  }
};

void ExpectEnabled(const Program& p, const std::vector<const char*>& names, const char* state) {
  for (const char* name : names) EXPECT_EQ(p.Get(name)["enabled"], state) << name;
}

TEST(MainWindow, FirstStartWithoutSettingsShowsNoMessageAndStoresTheDefaults) {
  DeleteSettings();
  DeleteFileA(MessageFile().c_str());
  Program program({300, 300});
  ASSERT_NE(program.Form(), nullptr) << "no main window";

  EXPECT_EQ(program.Get("LMessageInfo")["caption"],
            "Click the Record button to record your voice message.");
  EXPECT_EQ(program.Get("LDetails")["visible"], "0");
  ExpectEnabled(program,
                {"btnPlay", "btnSend", "btnAttach", "miPlay", "miSend", "miAttach", "miSaveAs"},
                "0");
  ExpectEnabled(program, {"btnRecord", "btnExit", "miRecord", "miClose"}, "1");
  EXPECT_EQ(program.Get("btnOptions")["visible"], "0");

  // The mouse points at (20, 20) of the Record button.
  ui::Properties record = program.Get("btnRecord");
  EXPECT_EQ(std::stoi(record["screenleft"]) + 20, 300);
  EXPECT_EQ(std::stoi(record["screentop"]) + 20, 300);

  EXPECT_EQ(program.ExitWithButton(), 0u);

  struct Expected {
    const char* name;
    DWORD type;
    std::string text;
    DWORD number;
  };
  const Expected values[] = {
      {"HideTips", REG_SZ, "0", 0},        {"AutoRecord", REG_SZ, "1", 0},
      {"AutoPlay", REG_SZ, "1", 0},        {"BeepOnRecord", REG_SZ, "1", 0},
      {"AutoClose", REG_SZ, "0", 0},       {"Mono", REG_SZ, "1", 0},
      {"GSM610", REG_SZ, "1", 0},          {"PackOnSend", REG_SZ, "0", 0},
      {"Bits16", REG_SZ, "1", 0},          {"Quality ", REG_DWORD, "", 0},
      {"PlainSize", REG_DWORD, "", 0},     {"DurationSec", REG_DWORD, "", 0},
      {"MinWaveLevel", REG_DWORD, "", 50}, {"MsgFileName", REG_SZ, MessageFile(), 0},
  };
  for (const Expected& e : values) {
    RegValue v;
    ASSERT_TRUE(ReadValue(e.name, v)) << e.name;
    EXPECT_EQ(v.type, e.type) << e.name;
    EXPECT_EQ(v.text, e.text) << e.name;
    EXPECT_EQ(v.number, e.number) << e.name;
  }
}

TEST(MainWindow, AMessageFileShowsItsDateDetailsAndEnablesTheCommands) {
  WriteSettings(40000000, 25);
  SYSTEMTIME when{2001, 6, 4, 7, 12, 41, 0, 0};
  WriteWaveFile(MessageFile(), 4000000, when);
  // Near the bottom right corner: the window keeps 50 pixels to the right edge, 80 to the bottom.
  Program program({1015, 760});
  ASSERT_NE(program.Form(), nullptr) << "no main window";

  ui::Properties info = program.Get("LMessageInfo");
  EXPECT_EQ(info["caption"], "Last message recorded on 6/7/2001 12:41 PM");
  ui::Properties details = program.Get("LDetails");
  EXPECT_EQ(details["visible"], "1");
  EXPECT_EQ(std::stoi(details["left"]), std::stoi(info["left"]) + std::stoi(info["width"]) + 15);
  const std::string detailsText =
      "Message duration 25 Sec.\r\nSize 39.06 MB. File size 3.91 MB (Compression ratio 90%)\r\n"
      "Format: GSM 6.10 Wave, 8 KHz, Mono, 16 Bit";
  EXPECT_EQ(details["hint"], detailsText);
  ExpectEnabled(program,
                {"btnPlay", "btnSend", "btnAttach", "miPlay", "miSend", "miAttach", "miSaveAs"},
                "1");

  RECT r;
  GetWindowRect(program.Form(), &r);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN) - 50);
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN) - 80);

  // The details hint shows when the mouse rests on the label.
  MoveTo(std::stoi(details["screenleft"]) + 10, std::stoi(details["screentop"]) + 6);
  EXPECT_EQ(program.ShownTip(), detailsText);

  EXPECT_EQ(program.ExitWithButton(), 0u);
  RegValue plain;
  ASSERT_TRUE(ReadValue("PlainSize", plain));
  EXPECT_EQ(plain.number, 40000000u);
  DeleteFileA(MessageFile().c_str());
}

TEST(Program, CarriesItsVersionAndIcon) {
  std::string exe = WindowsPath(VOICEMAIL_EXE);
  EXPECT_EQ(GetFileVersionText(exe), "1.0.0.1");
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  EXPECT_NE(FindResourceA(module, "MAINICON", MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
  FreeLibrary(module);
}

}  // namespace
