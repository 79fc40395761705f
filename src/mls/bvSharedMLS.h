// The bvShared string module (20 texts): the product family's texts: the environment's View and
// Help items, the About window's product line.
#pragma once

#include "mls/qsMLS.h"

class TbvSharedMLSModule final : public TMLSStringsModule<20> {
 public:
  using TMLSStringsModule::TMLSStringsModule;
};

extern TbvSharedMLSModule* bvSharedStrings;

// Creates the module (registering it with MLSManager) and frees it.
void bvSharedMLSStartUp();
void bvSharedMLSShutDown();
