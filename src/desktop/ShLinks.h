// Shortcut (.lnk) files through the shell's link object, and shell special folders.
#pragma once

#include <cstdint>
#include <string>

// One shortcut. The empty record (empty strings, zero numbers) is the starting value.
struct TShellLinkInfo {
  std::string Path;         // target file
  std::string Arguments;    // command-line arguments
  std::string WorkingDir;   // working folder
  std::string Description;  // the link's comment
  std::string IconPath;     // file holding the icon
  int32_t IconIndex = 0;    // index of the icon in IconPath
  uint16_t HotKey = 0;      // virtual key in the low byte, HOTKEYF_* in the high byte; 0 = none
};

// Writes Folder\LinkName from Info, creating Folder and its parents. An empty Folder means the
// special folder SpecialFolder (a CSIDL number). True when the link was saved.
bool CreateShellLink(const std::string& LinkName, const std::string& Folder, int SpecialFolder,
                     TShellLinkInfo Info);

// Reads the link file Path into Info; fields the link cannot supply come back empty, and
// a link without an icon location names its target as icon. False only when the shell's
// link object is not available.
bool ReadShellLink(const std::string& Path, TShellLinkInfo& Info);

// Replaces Path by the file-system folder of the special folder (a CSIDL number); leaves it
// as it was when the shell cannot resolve that number to a folder.
void GetSpecialFolder(int SpecialFolder, std::string& Path);
