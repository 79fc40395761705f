#include "mls/SoundRecMLS.h"

TSoundRecMLSModule* SoundRecStrings = nullptr;

void SoundRecMLSStartUp() {
  SoundRecStrings = new TSoundRecMLSModule(1033, "SoundRec");
}

void SoundRecMLSShutDown() {
  delete SoundRecStrings;
  SoundRecStrings = nullptr;
}
