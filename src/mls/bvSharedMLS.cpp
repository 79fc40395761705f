#include "mls/bvSharedMLS.h"

TbvSharedMLSModule* bvSharedStrings = nullptr;

void bvSharedMLSStartUp() {
  bvSharedStrings = new TbvSharedMLSModule(1033, "bvShared");
}

void bvSharedMLSShutDown() {
  delete bvSharedStrings;
  bvSharedStrings = nullptr;
}
