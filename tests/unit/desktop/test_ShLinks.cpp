// Shortcut files written and read through Wine's shell link object.
#include "desktop/ShLinks.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Touch(const std::string& path) {
  std::ofstream(path, std::ios::binary) << "MZ";
}

// A fresh folder of its own under the temporary folder, removed afterwards.
class ShLinksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Dir = std::string(temp) + "bda-shlinks-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(Dir.c_str(), nullptr)) << GetLastError();
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(Dir, ignored);
  }

  // A link with every field in use, to real files in the test folder.
  TShellLinkInfo FullInfo() {
    Touch(Dir + "\\VoiceMail.exe");
    Touch(Dir + "\\Icons.dll");
    TShellLinkInfo info;
    info.Path = Dir + "\\VoiceMail.exe";
    info.Arguments = "/quiet \"two words\"";
    info.WorkingDir = Dir;
    info.Description = "Record a voice message";
    info.IconPath = Dir + "\\Icons.dll";
    info.IconIndex = 3;
    info.HotKey = ((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8) | 'R';
    return info;
  }

  std::string Dir;
};

void ExpectSame(const TShellLinkInfo& read, const TShellLinkInfo& written) {
  EXPECT_EQ(read.Path, written.Path);
  EXPECT_EQ(read.Arguments, written.Arguments);
  EXPECT_EQ(read.WorkingDir, written.WorkingDir);
  EXPECT_EQ(read.Description, written.Description);
  EXPECT_EQ(read.IconPath, written.IconPath);
  EXPECT_EQ(read.IconIndex, written.IconIndex);
  EXPECT_EQ(read.HotKey, written.HotKey);
}

}  // namespace

TEST_F(ShLinksTest, EveryFieldComesBackFromALinkInANewFolder) {
  const TShellLinkInfo info = FullInfo();
  const std::string folder = Dir + "\\Start Menu\\Programs\\Brevilo";
  ASSERT_TRUE(CreateShellLink("Dorar Adar.lnk", folder, CSIDL_DESKTOP, info));
  ASSERT_TRUE(Exists(folder + "\\Dorar Adar.lnk"));

  TShellLinkInfo read;
  read.Description = "left from before";
  EXPECT_TRUE(ReadShellLink(folder + "\\Dorar Adar.lnk", read));
  ExpectSame(read, info);
}

TEST_F(ShLinksTest, ASecondLinkOfTheSameNameReplacesTheFirst) {
  TShellLinkInfo info = FullInfo();
  ASSERT_TRUE(CreateShellLink("Dorar Adar.lnk", Dir, CSIDL_DESKTOP, info));
  info.Description = "Second version";
  info.HotKey = 0;
  info.IconIndex = 0;
  ASSERT_TRUE(CreateShellLink("Dorar Adar.lnk", Dir, CSIDL_DESKTOP, info));
  TShellLinkInfo read;
  ASSERT_TRUE(ReadShellLink(Dir + "\\Dorar Adar.lnk", read));
  ExpectSame(read, info);
}

TEST_F(ShLinksTest, ALinkWithoutIconNamesItsTargetAsIcon) {
  TShellLinkInfo info = FullInfo();
  info.IconPath.clear();
  info.IconIndex = 0;
  ASSERT_TRUE(CreateShellLink("NoIcon.lnk", Dir, CSIDL_DESKTOP, info));
  TShellLinkInfo read;
  ASSERT_TRUE(ReadShellLink(Dir + "\\NoIcon.lnk", read));
  EXPECT_EQ(read.IconPath, info.Path);
  EXPECT_EQ(read.IconIndex, 0);
}

TEST_F(ShLinksTest, AnEmptyFolderMeansTheSpecialFolder) {
  std::string desktop;
  GetSpecialFolder(CSIDL_DESKTOP, desktop);
  ASSERT_FALSE(desktop.empty());
  const std::string name = "bda-test-" + std::to_string(GetCurrentProcessId()) + ".lnk";
  const TShellLinkInfo info = FullInfo();
  ASSERT_TRUE(CreateShellLink(name, "", CSIDL_DESKTOP, info));
  TShellLinkInfo read;
  EXPECT_TRUE(ReadShellLink(desktop + "\\" + name, read));
  EXPECT_EQ(read.Path, info.Path);
  EXPECT_TRUE(DeleteFileA((desktop + "\\" + name).c_str()));
}

TEST_F(ShLinksTest, AFolderThatCannotBeResolvedWritesNothing) {
  // 0x7f is no special folder; CSIDL_DRIVES is one without a file-system path.
  for (int csidl : {0x7f, CSIDL_DRIVES}) {
    SCOPED_TRACE(csidl);
    const std::string name = "bda-unresolved-" + std::to_string(GetCurrentProcessId()) + ".lnk";
    EXPECT_FALSE(CreateShellLink(name, "", csidl, FullInfo()));
    EXPECT_FALSE(Exists("\\" + name));
    EXPECT_FALSE(Exists(name));
  }
}

TEST_F(ShLinksTest, APathTooLongForTheShellIsNotCutToAnotherName) {
  const std::string folder = Dir + "\\" + std::string(240 - Dir.size(), 'f');
  const std::string name = std::string(30, 'n') + ".lnk";
  EXPECT_FALSE(CreateShellLink(name, folder, CSIDL_DESKTOP, FullInfo()));
  EXPECT_FALSE(Exists(folder));
  const std::string full = folder + "\\" + name;
  EXPECT_FALSE(Exists(full.substr(0, 259)));
}

TEST_F(ShLinksTest, ReadingWhatIsNoLinkGivesAnEmptyRecord) {
  Touch(Dir + "\\NotALink.lnk");
  for (const std::string& path : {Dir + "\\Missing.lnk", Dir + "\\NotALink.lnk"}) {
    SCOPED_TRACE(path);
    TShellLinkInfo read = FullInfo();
    EXPECT_TRUE(ReadShellLink(path, read));
    ExpectSame(read, TShellLinkInfo{});
  }
}

TEST(ShLinks, GetSpecialFolderReplacesThePathOnlyWhenResolved) {
  struct Case {
    int csidl;
    std::string before;
    bool resolved;
  } cases[] = {
      {CSIDL_DESKTOP, "", true},           {CSIDL_PERSONAL, "C:\\before", true},
      {CSIDL_PROGRAMS, "x", true},         {0x7f, "", false},
      {0x7f, "C:\\kept as it was", false}, {CSIDL_DRIVES, "C:\\kept too", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.csidl);
    std::string path = c.before;
    GetSpecialFolder(c.csidl, path);
    if (c.resolved) {
      EXPECT_NE(path, c.before);
      const DWORD attributes = GetFileAttributesA(path.c_str());
      EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
          << path;
    } else {
      EXPECT_EQ(path, c.before);
    }
  }
}
