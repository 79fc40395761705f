#include "mls/VoiceMailMLS.h"

TVoiceMailMLSModule* VoiceMailStrings = nullptr;

void VoiceMailMLSStartUp() {
  VoiceMailStrings = new TVoiceMailMLSModule(1033, "VoiceMail");
}

void VoiceMailMLSShutDown() {
  delete VoiceMailStrings;
  VoiceMailStrings = nullptr;
}
