// The qsShared string module (232 texts): texts shared by the maker's programs: common words and
// buttons, menu items, Easy Launch, the About window, the message-box captions.
#pragma once

#include "mls/qsMLS.h"

class TqsSharedMLSModule final : public TMLSStringsModule<232> {
 public:
  using TMLSStringsModule::TMLSStringsModule;
};

extern TqsSharedMLSModule* qsSharedStrings;

// Creates the module (registering it with MLSManager) and frees it.
void qsSharedMLSStartUp();
void qsSharedMLSShutDown();
