// Writes one shortcut through ShLinks from the command line, for checks by other readers:
// make_link FOLDER NAME TARGET ARGUMENTS WORKINGDIR DESCRIPTION ICONPATH ICONINDEX HOTKEY
#include "desktop/ShLinks.h"

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 10) return 2;
  TShellLinkInfo info;
  info.Path = argv[3];
  info.Arguments = argv[4];
  info.WorkingDir = argv[5];
  info.Description = argv[6];
  info.IconPath = argv[7];
  info.IconIndex = std::atoi(argv[8]);
  info.HotKey = static_cast<uint16_t>(std::strtoul(argv[9], nullptr, 0));
  return CreateShellLink(argv[2], argv[1], 0, info) ? 0 : 1;
}
