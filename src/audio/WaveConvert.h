// Compression of the message file to GSM 6.10 wave audio, in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A zero-filled destination format record of the ACM's largest format size, tagged GSM 6.10.
std::vector<uint8_t> GsmDestinationFormat();

// Answers true when the file at Path was replaced by its GSM 6.10 version; false when the
// conversion refused it or failed, and the file is unchanged. File errors raise EOSError;
// the file is then unchanged as well.
bool CompressMessageFile(const std::string& Path);
