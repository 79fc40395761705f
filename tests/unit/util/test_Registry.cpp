// The registry class, TRegistryEx and the registry readers of qsUtils, against Wine's
// registry: a scratch key of the current user, and the machine's CurrentVersion key.
#include <windows.h>
#include <shlwapi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "util/Registry.h"
#include "util/qsUtils.h"

using ::testing::HasSubstr;

namespace {

const char kScratch[] = "Software\\Brevilo\\UtilTests";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, kScratch); }
  void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, kScratch); }

  static bool Exists(const std::string& key) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
      return false;
    RegCloseKey(h);
    return true;
  }
  // A value written with the plain API, of any type and bytes.
  static void Put(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &h, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(h, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(h);
  }
};

template <typename F>
unsigned long RegistryErrorOf(F&& f) {
  try {
    f();
  } catch (const ERegistryException& e) {
    EXPECT_THAT(e.what(), HasSubstr(SysErrorMessage(e.ErrorCode)));
    return e.ErrorCode;
  }
  ADD_FAILURE() << "no ERegistryException";
  return 0;
}

}  // namespace

TEST_F(RegistryTest, OpenKeyFollowsRootAndRelativePaths) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey(kScratch, false));
  EXPECT_FALSE(reg.OpenKeyReadOnly(kScratch));
  EXPECT_FALSE(Exists(kScratch));

  ASSERT_TRUE(reg.OpenKey(kScratch, true));
  EXPECT_EQ(reg.CurrentPath(), kScratch);
  ASSERT_TRUE(reg.OpenKey("Sub\\Deeper", true));
  EXPECT_EQ(reg.CurrentPath(), std::string(kScratch) + "\\Sub\\Deeper");
  EXPECT_TRUE(Exists(std::string(kScratch) + "\\Sub\\Deeper"));
  EXPECT_FALSE(reg.KeyExists("Sub"));  // relative to the open key
  EXPECT_TRUE(reg.KeyExists(std::string("\\") + kScratch + "\\Sub"));

  ASSERT_TRUE(reg.OpenKey(std::string("\\") + kScratch, false));
  EXPECT_EQ(reg.CurrentPath(), kScratch);
  EXPECT_TRUE(reg.KeyExists("Sub"));
  reg.CloseKey();
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  EXPECT_EQ(reg.CurrentPath(), "");
  EXPECT_FALSE(reg.KeyExists("Sub"));
}

TEST_F(RegistryTest, ValuesRoundTripAndWrongTypesFail) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kScratch, true));
    reg.WriteString("Text", "Dorar Adar.wav");
    reg.WriteString("Empty", "");
    reg.WriteInteger("Number", -5);
  }
  const char unterminated[] = {'a', 'b'};
  Put("Unterminated", REG_SZ, unterminated, 2);
  Put("Expand", REG_EXPAND_SZ, "%TEMP%\\x", 9);
  const DWORD four = 4;
  Put("Binary", REG_BINARY, &four, 4);
  const unsigned long long eight = 8;
  Put("Quad", REG_QWORD, &eight, 8);

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(kScratch));
  EXPECT_EQ(reg.ReadString("Text"), "Dorar Adar.wav");
  EXPECT_EQ(reg.ReadString("Empty"), "");
  EXPECT_EQ(reg.ReadString("Unterminated"), "ab");
  EXPECT_EQ(reg.ReadString("Expand"), "%TEMP%\\x");
  EXPECT_EQ(reg.ReadString("Absent"), "");
  EXPECT_EQ(reg.ReadInteger("Number"), -5);
  EXPECT_TRUE(reg.ValueExists("Empty"));
  EXPECT_FALSE(reg.ValueExists("Absent"));

  EXPECT_EQ(RegistryErrorOf([&] { reg.ReadInteger("Absent"); }), unsigned(ERROR_FILE_NOT_FOUND));
  for (const char* name : {"Text", "Binary", "Quad"})
    EXPECT_EQ(RegistryErrorOf([&] { reg.ReadInteger(name); }), unsigned(ERROR_DATATYPE_MISMATCH))
        << name;
  for (const char* name : {"Number", "Binary"})
    EXPECT_EQ(RegistryErrorOf([&] { reg.ReadString(name); }), unsigned(ERROR_DATATYPE_MISMATCH))
        << name;
  // Opened for reading only.
  EXPECT_EQ(RegistryErrorOf([&] { reg.WriteString("Text", "x"); }), unsigned(ERROR_ACCESS_DENIED));

  reg.CloseKey();
  EXPECT_EQ(reg.ReadString("Text"), "");
  EXPECT_NE(RegistryErrorOf([&] { reg.ReadInteger("Number"); }), 0u);
  EXPECT_NE(RegistryErrorOf([&] { reg.WriteInteger("Number", 1); }), 0u);
}

TEST_F(RegistryTest, OpenKeyReadOpensWithoutCreating) {
  TRegistryEx reg(HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKeyRead(kScratch));
  EXPECT_FALSE(Exists(kScratch));

  Put("Text", REG_SZ, "v", 2);
  ASSERT_TRUE(reg.OpenKeyRead("Software\\Brevilo"));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Brevilo");
  ASSERT_TRUE(reg.OpenKeyRead("UtilTests"));
  EXPECT_EQ(reg.CurrentPath(), kScratch);
  EXPECT_EQ(reg.ReadString("Text"), "v");
  EXPECT_FALSE(reg.OpenKeyRead("NotThere"));
  EXPECT_EQ(reg.CurrentPath(), kScratch);  // a failed open keeps the open key
  ASSERT_TRUE(reg.OpenKeyRead(std::string("\\") + kScratch));
  EXPECT_EQ(reg.CurrentPath(), kScratch);
  EXPECT_EQ(RegistryErrorOf([&] { reg.WriteString("Text", "x"); }), unsigned(ERROR_ACCESS_DENIED));
}

TEST_F(RegistryTest, ReadRegistryStringFallsBackToTheDefault) {
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kScratch, "Text", "dflt"), "dflt");
  Put("Text", REG_SZ, "value", 6);
  const DWORD one = 1;
  Put("Number", REG_DWORD, &one, 4);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kScratch, "Text", "dflt"), "value");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kScratch, "Absent", "dflt"), "dflt");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kScratch, "Number", "dflt"), "dflt");
}

TEST(CurrentVersion, ReadsTheMachineFolders) {
  EXPECT_EQ(ReadCurrentVersionValue("ProgramFilesDir"), "C:\\Program Files");
  EXPECT_EQ(GetProgramFilesFolder(), "C:\\Program Files");
  EXPECT_EQ(GetCommonFilesFolder(), "C:\\Program Files\\Common Files");
  EXPECT_EQ(ReadCurrentVersionValue("NoSuchValueAnywhere"), "");
}

namespace {

// Points this process's HKEY_LOCAL_MACHINE at a scratch key of the current user, so that
// the machine's keys can be missing or odd without touching them.
class MachineKeyOverride : public ::testing::Test {
 protected:
  static constexpr const char* kFakeMachine = "Software\\Brevilo\\UtilTests\\Machine";
  void SetUp() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kFakeMachine, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &machine_, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_), ERROR_SUCCESS);
  }
  void TearDown() override {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(machine_);
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);
  }
  void SetCurrentVersionValue(const char* name, const char* value) {
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(machine_, "Software\\Microsoft\\Windows\\CurrentVersion", 0, nullptr,
                              0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(strlen(value) + 1));
    RegCloseKey(h);
  }
  HKEY machine_ = nullptr;
};

std::string MessageOf(const std::string& text) {
  try {
    ExpandFolderPlaceholders(text);
  } catch (const Exception& e) {
    return e.what();
  }
  return "(nothing thrown)";
}

}  // namespace

TEST_F(MachineKeyOverride, MissingCurrentVersionKeyRaisesOnlyForRegistryPlaceholders) {
  const std::string expected =
      "Cannot access system registry infromation in:\\n"
      "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\n\\n"
      "Please make sure that you have a proper access rights to the system.";
  EXPECT_EQ(MessageOf("<CommonFilesDir>\\Quorvin Systems"), expected);
  EXPECT_EQ(MessageOf("<WindowsDir>\\<ProgramFilesDir>"), expected);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(ExpandFolderPlaceholders("<TempDir>\\x"), std::string(temp) + "x");
}

TEST_F(MachineKeyOverride, OddMachineValues) {
  SetCurrentVersionValue("ProgramFilesDir", "D:\\<ProgramFilesDir>\\");
  // An absent value stands for an empty folder; a value holding its own placeholder
  // is expanded once instead of for ever.
  EXPECT_EQ(ExpandFolderPlaceholders("<CommonFilesDir>\\x"), "\\x");
  EXPECT_EQ(ExpandFolderPlaceholders("<ProgramFilesDir>\\x"), "D:\\<ProgramFilesDir>\\x");
}
