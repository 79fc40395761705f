#include "mls/qsSharedMLS.h"

TqsSharedMLSModule* qsSharedStrings = nullptr;

void qsSharedMLSStartUp() {
  qsSharedStrings = new TqsSharedMLSModule(1033, "qsShared");
}

void qsSharedMLSShutDown() {
  delete qsSharedStrings;
  qsSharedStrings = nullptr;
}
