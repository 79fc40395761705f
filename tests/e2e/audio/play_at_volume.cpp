// Sets the master volume through the mixer unit, prints what the unit reads back, then plays
// a wave file through the platform. Usage: play_at_volume PERCENT FILE.wav
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>

#include "audio/MixerUtils.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  SetMixerVolume(1, std::atoi(argv[1]));
  std::printf("%d\n", GetMixerVolume(1));
  std::fflush(stdout);
  return PlaySoundA(argv[2], nullptr, SND_FILENAME | SND_SYNC) ? 0 : 1;
}
