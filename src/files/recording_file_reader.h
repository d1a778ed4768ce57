// Recognises a recording file by its first bytes and reads it with the matching reader.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "files/recording.h"

namespace trindel {

// Text recordings are always decoded whole; `depth` applies to the binary formats.
ReadResult readRecordingBytes(std::span<const uint8_t> bytes,
                              ReadDepth depth = ReadDepth::Everything);
// Reads the file at `path`; a file that cannot be read gives a one-line error. The file is mapped,
// not copied, so describing a binary recording touches little more than its header and end.
ReadResult readRecordingFile(const std::string& path, ReadDepth depth = ReadDepth::Everything);

}  // namespace trindel
