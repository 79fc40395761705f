#include "app/SingleInst.h"

#include <cstdlib>

int main() {
  const char* id = std::getenv("BDA_SI_PROGRAM_ID");
  return id && NotifyRunningInstance(id) ? 1 : 0;
}
