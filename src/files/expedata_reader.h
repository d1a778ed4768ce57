// Reads ExpeData exports back into a recording.
#pragma once

#include <cstdint>
#include <span>

#include "files/recording.h"

namespace trindel {

ReadResult readExpeData(std::span<const uint8_t> bytes, ReadDepth depth = ReadDepth::Everything);

}  // namespace trindel
