#include "mls/qsMLSDialogs.h"

#include <string>

#include "mls/qsMLS.h"
#include "mls/qsSharedMLS.h"
#include "util/qsUtils.h"

namespace {

TMLSClient* CaptionClient = nullptr;

std::string EntryOr(const std::string& entry, const char* english) {
  return entry.empty() ? std::string(english) : entry;
}

}  // namespace

void TMLSClient::UpdateDialogCaptions(TMLSManager*) {
  ConfirmationCaption = EntryOr(qsSharedStrings->Strings[8], "Confirmation");
  InformationCaption = EntryOr(qsSharedStrings->Strings[32], "Information");
  ErrorCaption = EntryOr(qsSharedStrings->Strings[21], "Error");
}

void qsMLSDialogsStartUp() {
  CaptionClient = new TMLSClient;
  MLSManager->AddClient<&TMLSClient::UpdateDialogCaptions>(CaptionClient);
}

void qsMLSDialogsShutDown() {
  if (MLSManager) MLSManager->RemoveClient<&TMLSClient::UpdateDialogCaptions>(CaptionClient);
  delete CaptionClient;
  CaptionClient = nullptr;
}
