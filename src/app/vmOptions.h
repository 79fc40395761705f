// The program's settings: one object, read from the registry when it is created and
// written back when it is freed. Everything else reads and changes its fields directly.
#pragma once

#include <cstdint>
#include <string>

class TVMProperties {
 public:
  TVMProperties();   // reads the settings
  ~TVMProperties();  // writes them; a registry failure leaves the rest unwritten
  TVMProperties(const TVMProperties&) = delete;
  TVMProperties& operator=(const TVMProperties&) = delete;

  // Any failure to read gives the defaults (keeping HideTips, PlainSize and DurationSec
  // as far as they were read); nothing is reported.
  void LoadSettings();
  // Throws ERegistryException when the key cannot be created or a value not written.
  void SaveSettings();

  bool HideTips = false;
  bool AutoRecord = false;
  bool AutoPlay = false;
  bool BeepOnRecord = false;
  bool AutoClose = false;
  uint8_t Quality = 0;  // 0 = 8000 Hz, 1 = 11025 Hz, 2 = 22050 Hz, 3 = 44100 Hz
  bool Mono = false;
  bool Bits16 = false;
  bool PackOnSend = false;
  bool GSM610 = false;
  int32_t PlainSize = 0;
  int32_t DurationSec = 0;
  int32_t MinWaveLevel = 0;
  std::string MsgFileName;
};

// Created by ProgramStartUp, freed (and so saved) by ProgramShutDown.
extern TVMProperties* VMProperties;
// The message file's name in the temporary folder when no settings exist.
extern std::string DefaultMsgFileName;
