#include "app/StartUp.h"

#include "app/vmOptions.h"

void ProgramStartUp() {
  // The settings, read from the registry before any window exists.
  if (!VMProperties) VMProperties = new TVMProperties;
}

void ProgramShutDown() noexcept {
  // Freeing the settings writes them; a registry failure there is dropped by the
  // destructor, leaving the values it had not yet written as they were.
  delete VMProperties;
  VMProperties = nullptr;
}
