// Reads the program's binary recording files (chart and scope variants) back into a recording.
#pragma once

#include <cstdint>
#include <span>

#include "files/recording.h"

namespace trindel {

// Parses a whole file. A truncated or inconsistent file gives ok = false and a one-line error.
ReadResult readBinaryRecording(std::span<const uint8_t> bytes,
                               ReadDepth depth = ReadDepth::Everything);

// "MM-DD-YYYY" -> "MM/dd/yy"; other text is returned unchanged.
std::string dateFromBinaryField(const std::string& field);

}  // namespace trindel
