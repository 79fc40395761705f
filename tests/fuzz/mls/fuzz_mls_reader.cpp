// The MLS reader on arbitrary bytes. Beyond not crashing: whatever the reader accepts must
// be exactly the module that the writer makes of what it read, and the two ways of reading
// (with a known count, and count from the data) must agree.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "mls/MLSFormat.h"

namespace {

// The count a module claims, when the data gets that far; capped so that a claim far
// beyond the data does not make the fuzzer's own array huge.
uint32_t ClaimedCount(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  size_t at = 8 + (data[6] | data[7] << 8);
  if (size < at + 4) return 0;
  uint32_t n = data[at] | data[at + 1] << 8 | data[at + 2] << 16 | uint32_t(data[at + 3]) << 24;
  return n > 4096 ? 4096 : n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bool wholeRead = false;
  TMLSModuleContents contents;
  try {
    TMLSMemoryStream stream(data, size);
    contents = ReadMLSModule(stream);
    wholeRead = true;
  } catch (const EMLSException&) {
  }
  if (wholeRead) {
    std::string again = WriteMLSModule(contents.Language, contents.Description, contents.Strings);
    if (again.size() > size ||
        again.compare(0, again.size(), reinterpret_cast<const char*>(data), again.size()) != 0)
      std::abort();
  }

  uint16_t language = size >= 6 ? static_cast<uint16_t>(data[4] | data[5] << 8) : 4;
  std::vector<std::string> strings(ClaimedCount(data, size), "old");
  bool known = false;
  try {
    TMLSMemoryStream stream(data, size);
    TMLSFile().ReadStrings(language, stream, strings);
    known = true;
  } catch (const EMLSException&) {
  }
  // A count below the cap reads the same way both times.
  if (strings.size() < 4096 && known != wholeRead) std::abort();
  if (known && wholeRead && strings != contents.Strings) std::abort();
  return 0;
}
