// The VoiceMail string module (48 texts): the main window, the options dialog, the Drag & Attach
// window, the compression progress and the e-mail body.
#pragma once

#include "mls/qsMLS.h"

class TVoiceMailMLSModule final : public TMLSStringsModule<48> {
 public:
  using TMLSStringsModule::TMLSStringsModule;
};

extern TVoiceMailMLSModule* VoiceMailStrings;

// Creates the module (registering it with MLSManager) and frees it.
void VoiceMailMLSStartUp();
void VoiceMailMLSShutDown();
