// The language chosen at start-up with no stored value, under the user locale that ctest
// gives this program through LC_ALL (see CMakeLists.txt): the start-up's own sequence.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "MLSTestFiles.h"
#include "mls/VoiceMailMLS.h"
#include "mls/qsMLS.h"

namespace {

const char ValueName[] = "Dorar Adar";

// What the main window does at creation; returns the failure it swallowed.
std::string ChooseStartLanguage() {
  try {
    MLSManager->SetLanguage(ReadLanguageSetting(ValueName));
  } catch (const EMLSException& e) {
    MLSManager->SetLanguage(MLSManager->GetDefaultLanguage());
    return e.what();
  }
  return "";
}

class UserLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveModuleFiles();
    DeleteLanguageValue(ValueName);
    StartLanguageUnits();
  }
  void TearDown() override { EndLanguageUnits(); }
};

}  // namespace

TEST_F(UserLocale, GermanIsTriedAndEnglishIsWhatLoads) {
  ASSERT_EQ(GetUserDefaultLCID(), 0x0407u) << "run with LC_ALL=de_DE.UTF-8";
  EXPECT_EQ(UserDefaultLanguage(), 3);
  std::string failure = ChooseStartLanguage();
  EXPECT_EQ(failure.substr(0, failure.find("\r\n")),
            "Failed to load MLS module: \"qsShared_deu.mls\" ");
  EXPECT_NE(failure.find("MLS260"), std::string::npos);
  EXPECT_EQ(MLSManager->Language, 4);
  EXPECT_EQ(VoiceMailStrings->Strings[16], "Send");
}

TEST_F(UserLocale, EnglishUnitedKingdomMatchesNoLanguage) {
  ASSERT_EQ(GetUserDefaultLCID(), 0x0809u) << "run with LC_ALL=en_GB.UTF-8";
  EXPECT_EQ(UserDefaultLanguage(), 0);
  EXPECT_EQ(ReadLanguageSetting(ValueName), 0);
  EXPECT_EQ(ChooseStartLanguage(), "");
  EXPECT_EQ(MLSManager->Language, 4);
  EXPECT_EQ(VoiceMailStrings->Strings[16], "Send");
}
