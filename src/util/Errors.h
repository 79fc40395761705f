// The exception classes of the program. File, registry and stream failures of the
// platform arrive as EOSError (or a class derived from it) carrying the platform's
// message and code; the application's error display shows what().
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

class EOSError : public Exception {
 public:
  EOSError(const std::string& message, unsigned long errorCode)
      : Exception(message), ErrorCode(errorCode) {}
  unsigned long ErrorCode;
};

#ifdef _WIN32
// The platform's text for an error code, without the trailing line break;
// "System error <code>" when the platform has none.
std::string SysErrorMessage(unsigned long errorCode);

// Throws EOSError for the code, the message being context (if any), ": " and the
// platform's text.
[[noreturn]] void RaiseOSError(unsigned long errorCode, const std::string& context = "");
#endif
