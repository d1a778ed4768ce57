// Recognises a recording file by its first bytes and reads it with the matching reader.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "files/recording.h"

namespace trindel {

ReadResult readRecordingBytes(std::span<const uint8_t> bytes);
// Reads the file at `path`; a file that cannot be read gives a one-line error.
ReadResult readRecordingFile(const std::string& path);

}  // namespace trindel
