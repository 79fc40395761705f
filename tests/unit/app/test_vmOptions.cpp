// The settings against Wine's registry: what LoadSettings makes of stored values (also
// damaged ones), what SaveSettings stores, and the start-up and shut-down that drive them.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "app/StartUp.h"
#include "app/vmOptions.h"
#include "util/qsUtils.h"

namespace {

const char kKey[] = "Software\\Brevilo\\Dorar Adar";

struct Stored {
  DWORD type;
  std::string bytes;
};

Stored Text(const std::string& s) {
  return {REG_SZ, s + '\0'};
}
Stored Number(DWORD n) {
  return {REG_DWORD, std::string(reinterpret_cast<char*>(&n), 4)};
}

// A complete set of stored values, none of them a default.
std::map<std::string, Stored> FullKey() {
  return {{"HideTips", Text("1")},       {"AutoRecord", Text("0")},
          {"AutoPlay", Text("0")},       {"BeepOnRecord", Text("0")},
          {"AutoClose", Text("1")},      {"Mono", Text("0")},
          {"GSM610", Text("0")},         {"PackOnSend", Text("1")},
          {"Bits16", Text("0")},         {"Quality ", Number(2)},
          {"PlainSize", Number(123456)}, {"DurationSec", Number(17)},
          {"MinWaveLevel", Number(30)},  {"MsgFileName", Text("C:\\msgs\\m.wav")}};
}

void Store(const std::map<std::string, Stored>& values) {
  HKEY h;
  ASSERT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
      ERROR_SUCCESS);
  for (const auto& [name, v] : values)
    RegSetValueExA(h, name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.bytes.data()),
                   static_cast<DWORD>(v.bytes.size()));
  RegCloseKey(h);
}

// Every value of the key as stored.
std::map<std::string, Stored> Load() {
  std::map<std::string, Stored> values;
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &h) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    char name[256];
    BYTE data[1024];
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    if (RegEnumValueA(h, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
      break;
    values[name] = {type, std::string(reinterpret_cast<char*>(data), dataSize)};
  }
  RegCloseKey(h);
  return values;
}

bool operator==(const Stored& a, const Stored& b) {
  return a.type == b.type && a.bytes == b.bytes;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, kKey); }
  void TearDown() override {
    ProgramShutDown();
    SHDeleteKeyA(HKEY_CURRENT_USER, kKey);
  }
  const std::string defaultFile = GetTempFolder() + "Dorar Adar.wav";
};

// The fields that a failed read sets, whatever was stored.
void ExpectFailureDefaults(const TVMProperties& p, const std::string& defaultFile) {
  EXPECT_TRUE(p.AutoRecord);
  EXPECT_TRUE(p.AutoPlay);
  EXPECT_TRUE(p.BeepOnRecord);
  EXPECT_FALSE(p.AutoClose);
  EXPECT_TRUE(p.Mono);
  EXPECT_TRUE(p.Bits16);
  EXPECT_FALSE(p.PackOnSend);
  EXPECT_TRUE(p.GSM610);
  EXPECT_EQ(p.Quality, 0);
  EXPECT_EQ(p.MinWaveLevel, 50);
  EXPECT_EQ(p.MsgFileName, defaultFile);
}

}  // namespace

TEST_F(SettingsTest, NoKeyGivesTheDefaultsAndReadingCreatesNothing) {
  {
    TVMProperties p;
    ExpectFailureDefaults(p, defaultFile);
    EXPECT_FALSE(p.HideTips);
    EXPECT_EQ(p.PlainSize, 0);
    EXPECT_EQ(p.DurationSec, 0);
    EXPECT_TRUE(Load().empty());
  }
  // Freeing the object stored all fourteen values.
  EXPECT_EQ(Load().size(), 14u);
}

TEST_F(SettingsTest, ReadsEveryStoredValue) {
  Store(FullKey());
  TVMProperties p;
  EXPECT_TRUE(p.HideTips);
  EXPECT_FALSE(p.AutoRecord);
  EXPECT_FALSE(p.AutoPlay);
  EXPECT_FALSE(p.BeepOnRecord);
  EXPECT_TRUE(p.AutoClose);
  EXPECT_FALSE(p.Mono);
  EXPECT_FALSE(p.GSM610);
  EXPECT_TRUE(p.PackOnSend);
  EXPECT_FALSE(p.Bits16);
  EXPECT_EQ(p.Quality, 2);
  EXPECT_EQ(p.PlainSize, 123456);
  EXPECT_EQ(p.DurationSec, 17);
  EXPECT_EQ(p.MinWaveLevel, 30);
  EXPECT_EQ(p.MsgFileName, "C:\\msgs\\m.wav");
}

TEST_F(SettingsTest, OnlyTheTextOneIsTrue) {
  const char* flags[] = {"HideTips", "AutoRecord", "AutoPlay",   "BeepOnRecord", "AutoClose",
                         "Mono",     "GSM610",     "PackOnSend", "Bits16"};
  for (const char* text : {"true", " 1", "01", "1 ", "", "0", "1"}) {
    auto values = FullKey();
    for (const char* name : flags) values[name] = Text(text);
    Store(values);
    TVMProperties p;
    const bool expected = std::string(text) == "1";
    for (bool value : {p.HideTips, p.AutoRecord, p.AutoPlay, p.BeepOnRecord, p.AutoClose, p.Mono,
                       p.GSM610, p.PackOnSend, p.Bits16})
      EXPECT_EQ(value, expected) << "'" << text << "'";
    EXPECT_EQ(p.MinWaveLevel, 30);  // read to the end
  }
}

TEST_F(SettingsTest, QualityKeepsItsLowEightBits) {
  for (auto [stored, quality] : {std::pair<DWORD, int>{256, 0}, {259, 3}, {0xFFFFFFFF, 255}}) {
    auto values = FullKey();
    values["Quality "] = Number(stored);
    Store(values);
    EXPECT_EQ(TVMProperties().Quality, quality) << stored;
  }
}

TEST_F(SettingsTest, AFailedReadKeepsOnlyWhatCameBefore) {
  struct Case {
    const char* what;
    std::function<void(std::map<std::string, Stored>&)> change;
    bool hideTips;
    int plainSize, durationSec;
  } cases[] = {
      {"no MinWaveLevel", [](auto& v) { v.erase("MinWaveLevel"); }, true, 123456, 17},
      {"Quality without its blank",
       [](auto& v) {
         v.erase("Quality ");
         v["Quality"] = Number(2);
       },
       true, 0, 0},
      {"PlainSize as a text", [](auto& v) { v["PlainSize"] = Text("123456"); }, true, 0, 0},
      {"DurationSec as a QWORD",
       [](auto& v) {
         v["DurationSec"] = {REG_QWORD, std::string("\x11\0\0\0\0\0\0\0", 8)};
       },
       true, 123456, 0},
      {"AutoRecord as a number", [](auto& v) { v["AutoRecord"] = Number(1); }, false, 0, 0},
      {"HideTips as binary",
       [](auto& v) {
         v["HideTips"] = {REG_BINARY, "1"};
       },
       false, 0, 0},
      {"MsgFileName as a number", [](auto& v) { v["MsgFileName"] = Number(1); }, true, 123456, 17},
  };
  for (const Case& c : cases) {
    SHDeleteKeyA(HKEY_CURRENT_USER, kKey);
    auto values = FullKey();
    c.change(values);
    Store(values);
    TVMProperties p;
    SCOPED_TRACE(c.what);
    ExpectFailureDefaults(p, defaultFile);
    EXPECT_EQ(p.HideTips, c.hideTips);
    EXPECT_EQ(p.PlainSize, c.plainSize);
    EXPECT_EQ(p.DurationSec, c.durationSec);
  }
}

TEST_F(SettingsTest, NoMsgFileNameReadsEmpty) {
  auto values = FullKey();
  values.erase("MsgFileName");
  Store(values);
  TVMProperties p;
  EXPECT_EQ(p.MsgFileName, "");
  EXPECT_EQ(p.MinWaveLevel, 30);
  EXPECT_FALSE(p.AutoRecord);
}

TEST_F(SettingsTest, SaveSettingsStoresAllFourteenValues) {
  Store({{"Quality", Number(3)}, {"Other", Text("kept")}});
  TVMProperties p;
  p.HideTips = true;
  p.AutoRecord = false;
  p.AutoClose = true;
  p.Quality = 3;
  p.PlainSize = -1;
  p.DurationSec = 12;
  p.MinWaveLevel = 0;
  p.MsgFileName = "D:\\x y\\msg.wav";
  p.SaveSettings();

  auto expected = std::map<std::string, Stored>{{"HideTips", Text("1")},
                                                {"AutoRecord", Text("0")},
                                                {"AutoPlay", Text("1")},
                                                {"BeepOnRecord", Text("1")},
                                                {"AutoClose", Text("1")},
                                                {"Mono", Text("1")},
                                                {"GSM610", Text("1")},
                                                {"PackOnSend", Text("0")},
                                                {"Bits16", Text("1")},
                                                {"Quality ", Number(3)},
                                                {"PlainSize", Number(0xFFFFFFFF)},
                                                {"DurationSec", Number(12)},
                                                {"MinWaveLevel", Number(0)},
                                                {"MsgFileName", Text("D:\\x y\\msg.wav")},
                                                {"Quality", Number(3)},
                                                {"Other", Text("kept")}};
  EXPECT_TRUE(Load() == expected);

  TVMProperties again;
  EXPECT_TRUE(again.HideTips);
  EXPECT_FALSE(again.AutoRecord);
  EXPECT_EQ(again.Quality, 3);
  EXPECT_EQ(again.PlainSize, -1);
  EXPECT_EQ(again.MsgFileName, "D:\\x y\\msg.wav");
}

TEST_F(SettingsTest, StartUpReadsAndShutDownWrites) {
  Store(FullKey());
  ProgramStartUp();
  ASSERT_NE(VMProperties, nullptr);
  EXPECT_EQ(VMProperties->MsgFileName, "C:\\msgs\\m.wav");
  VMProperties->DurationSec = 99;
  VMProperties->GSM610 = true;
  ProgramShutDown();
  EXPECT_EQ(VMProperties, nullptr);
  auto stored = Load();
  EXPECT_TRUE(stored["DurationSec"] == Number(99));
  EXPECT_TRUE(stored["GSM610"] == Text("1"));
  ProgramShutDown();  // once more: nothing left to free
}

TEST_F(SettingsTest, AFailedSaveRaisesButShutDownDoesNot) {
  // This process's current-user root becomes a volatile key, under which the settings
  // key (never volatile) cannot be created.
  const char volatileRoot[] = "Software\\Brevilo\\Dorar Adar\\Volatile";
  HKEY root;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, volatileRoot, 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &root, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, root), ERROR_SUCCESS);
  ProgramStartUp();
  bool raised = false;
  try {
    VMProperties->SaveSettings();
  } catch (const ERegistryException& e) {
    raised = true;
    EXPECT_EQ(e.ErrorCode, unsigned(ERROR_CHILD_MUST_BE_VOLATILE)) << e.what();
  }
  EXPECT_TRUE(raised);
  ProgramShutDown();
  EXPECT_EQ(VMProperties, nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(root);
  auto stored = Load();
  EXPECT_TRUE(stored.empty()) << stored.size() << " values";
}
