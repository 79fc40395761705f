#include "util/Errors.h"

#include <windows.h>

std::string SysErrorMessage(unsigned long errorCode) {
  char buffer[512];
  DWORD n = FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
      nullptr, errorCode, 0, buffer, sizeof buffer, nullptr);
  while (n > 0 && (buffer[n - 1] == '\r' || buffer[n - 1] == '\n' || buffer[n - 1] == ' ' ||
                   buffer[n - 1] == '.'))
    --n;
  if (n == 0) return "System error " + std::to_string(errorCode);
  return std::string(buffer, n);
}

void RaiseOSError(unsigned long errorCode, const std::string& context) {
  std::string text = SysErrorMessage(errorCode);
  throw EOSError(context.empty() ? text : context + ": " + text, errorCode);
}
