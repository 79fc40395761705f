// The program's start-up creates the language units in their order: the manager first,
// the modules registering as qsShared, bvShared, VoiceMail, SoundRec, and the caption
// updater as the first client; the shut-down frees them all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/StartUp.h"
#include "mls/qsMLS.h"
#include "util/qsUtils.h"

namespace {

struct TLaterClient {
  std::string CaptionSeen;
  void Changed(TMLSManager*) { CaptionSeen = ErrorCaption; }
};

}  // namespace

TEST(ProgramStartUp, RegistersTheModulesInOrderAndTheCaptionsFirst) {
  ProgramStartUp();
  ASSERT_NE(MLSManager, nullptr);
  std::vector<std::string> names;
  for (TMLSModule* module : MLSManager->Modules) {
    names.push_back(module->Name);
    EXPECT_EQ(module->BuiltInLanguage, 4) << module->Name;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"qsShared", "bvShared", "VoiceMail", "SoundRec"}));
  TLaterClient later;
  MLSManager->AddClient<&TLaterClient::Changed>(&later);
  ErrorCaption = "stale";
  MLSManager->SetLanguage(0);
  EXPECT_EQ(later.CaptionSeen, "Error");
  MLSManager->RemoveClient<&TLaterClient::Changed>(&later);
  ProgramShutDown();
  EXPECT_EQ(MLSManager, nullptr);
}
