// Reads text exports (chart recordings and scope sweeps) back into a recording.
#pragma once

#include <cstdint>
#include <span>

#include "files/recording.h"

namespace trindel {

ReadResult readTextRecording(std::span<const uint8_t> bytes);

}  // namespace trindel
