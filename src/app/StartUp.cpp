#include "app/StartUp.h"

#include "app/vmOptions.h"
#include "mls/SoundRecMLS.h"
#include "mls/VoiceMailMLS.h"
#include "mls/bvSharedMLS.h"
#include "mls/qsMLS.h"
#include "mls/qsMLSDialogs.h"
#include "mls/qsSharedMLS.h"

void ProgramStartUp() {
  // The settings, read from the registry before any window exists.
  if (!VMProperties) VMProperties = new TVMProperties;
  // The language manager with its table, then the string modules, which register in the
  // order qsShared, bvShared, VoiceMail, SoundRec, then the message-box caption updater,
  // so that it is the manager's first client.
  if (!MLSManager) {
    qsMLSStartUp();
    qsSharedMLSStartUp();
    bvSharedMLSStartUp();
    VoiceMailMLSStartUp();
    SoundRecMLSStartUp();
    qsMLSDialogsStartUp();
  }
}

void ProgramShutDown() noexcept {
  // The caption client and the modules end before the manager that they register with.
  qsMLSDialogsShutDown();
  SoundRecMLSShutDown();
  VoiceMailMLSShutDown();
  bvSharedMLSShutDown();
  qsSharedMLSShutDown();
  qsMLSShutDown();
  // Freeing the settings writes them; a registry failure there is dropped by the
  // destructor, leaving the values it had not yet written as they were.
  delete VMProperties;
  VMProperties = nullptr;
}
