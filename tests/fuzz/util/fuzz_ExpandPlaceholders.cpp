// Placeholder expansion with arbitrary texts and folder values must end, for every
// value, including values that hold placeholders or pieces of them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "util/qsUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Fields separated by zero bytes: the text, then the six values in table order.
  std::string fields[1 + FolderPlaceholderCount];
  size_t field = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0 && field < FolderPlaceholderCount)
      ++field;
    else
      fields[field] += static_cast<char>(data[i]);
  }
  std::string result = ExpandPlaceholders(
      fields[0], [&](TFolderPlaceholder p) { return fields[1 + static_cast<int>(p)]; });
  // Runaway growth stops once the text has grown by 64 KiB; the pass that crossed that
  // mark made each character of the text into at most `size` characters.
  if (result.size() > (fields[0].size() + 64 * 1024 + 1) * (size + 1)) __builtin_trap();
  return 0;
}
