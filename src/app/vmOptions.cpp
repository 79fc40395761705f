#include "app/vmOptions.h"

#include "util/Registry.h"
#include "util/qsUtils.h"

TVMProperties* VMProperties = nullptr;
std::string DefaultMsgFileName = "Dorar Adar.wav";

namespace {

const char kSettingsKey[] = "Software\\Brevilo\\Dorar Adar";
// The name carries a trailing blank, and has always been stored so.
const char kQuality[] = "Quality ";

}  // namespace

TVMProperties::TVMProperties() {
  LoadSettings();
}

TVMProperties::~TVMProperties() {
  try {
    SaveSettings();
  } catch (...) {
    // Freed during shut-down, where nobody could act on it.
  }
}

void TVMProperties::LoadSettings() {
  try {
    TRegistry registry(HKEY_CURRENT_USER);
    // Without the key every text reads empty and the first integer fails.
    (void)registry.OpenKeyReadOnly(kSettingsKey);
    auto flag = [&](const char* name) { return registry.ReadString(name) == "1"; };
    AutoRecord = flag("AutoRecord");
    HideTips = flag("HideTips");
    AutoPlay = flag("AutoPlay");
    BeepOnRecord = flag("BeepOnRecord");
    AutoClose = flag("AutoClose");
    Mono = flag("Mono");
    GSM610 = flag("GSM610");
    PackOnSend = flag("PackOnSend");
    Bits16 = flag("Bits16");
    Quality = static_cast<uint8_t>(registry.ReadInteger(kQuality));
    PlainSize = registry.ReadInteger("PlainSize");
    DurationSec = registry.ReadInteger("DurationSec");
    MinWaveLevel = registry.ReadInteger("MinWaveLevel");
    MsgFileName = registry.ReadString("MsgFileName");
  } catch (const std::exception&) {
    // HideTips, PlainSize and DurationSec keep what was read.
    AutoRecord = true;
    AutoPlay = true;
    BeepOnRecord = true;
    GSM610 = true;
    PackOnSend = false;
    AutoClose = false;
    Mono = true;
    Bits16 = true;
    MinWaveLevel = 50;
    Quality = 0;
    MsgFileName = GetTempFolder() + DefaultMsgFileName;
  }
}

void TVMProperties::SaveSettings() {
  TRegistry registry(HKEY_CURRENT_USER);
  if (!registry.OpenKey(kSettingsKey, true))
    throw ERegistryException(std::string("Failed to create key '") + kSettingsKey +
                                 "': " + SysErrorMessage(registry.LastError()),
                             static_cast<unsigned long>(registry.LastError()));
  auto flag = [&](const char* name, bool value) { registry.WriteString(name, value ? "1" : "0"); };
  flag("HideTips", HideTips);
  flag("AutoRecord", AutoRecord);
  flag("AutoPlay", AutoPlay);
  flag("BeepOnRecord", BeepOnRecord);
  flag("AutoClose", AutoClose);
  flag("Mono", Mono);
  flag("GSM610", GSM610);
  flag("PackOnSend", PackOnSend);
  flag("Bits16", Bits16);
  registry.WriteInteger(kQuality, Quality);
  registry.WriteInteger("PlainSize", PlainSize);
  registry.WriteString("MsgFileName", MsgFileName);
  registry.WriteInteger("DurationSec", DurationSec);
  registry.WriteInteger("MinWaveLevel", MinWaveLevel);
}
