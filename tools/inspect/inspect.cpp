// inspect CAPTION [COMPONENT]: finds the visible top-level window with that caption and
// prints the "name=value" lines that its form gives for the component (the form itself
// without one). Exit code 1 when there is no such window, 2 when it gives no answer.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ui/Inspect.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: inspect CAPTION [COMPONENT]\n");
    return 2;
  }
  HWND form = FindWindowA(nullptr, argv[1]);
  if (!form || !IsWindowVisible(form)) return 1;
  ui::Properties props = ui::Inspect(form, argc > 2 ? argv[2] : "");
  if (props.empty()) return 2;
  for (const auto& [key, value] : props) {
    std::string line = key + "=";
    for (char c : value) line += (c == '\r' || c == '\n') ? ' ' : c;
    std::printf("%s\n", line.c_str());
  }
  return 0;
}
