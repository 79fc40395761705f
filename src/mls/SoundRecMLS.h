// The SoundRec string module (26 texts): the recorder panel and the recorder's words that the main
// window uses.
#pragma once

#include "mls/qsMLS.h"

class TSoundRecMLSModule final : public TMLSStringsModule<26> {
 public:
  using TMLSStringsModule::TMLSStringsModule;
};

extern TSoundRecMLSModule* SoundRecStrings;

// Creates the module (registering it with MLSManager) and frees it.
void SoundRecMLSStartUp();
void SoundRecMLSShutDown();
