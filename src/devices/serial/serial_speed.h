// The line speeds a port can be opened at: the largest standard rate not above the request.
#pragma once

#include <cstdint>
#include <span>

namespace trindel {

// 230400 down to 110; a request below 110 gives 110.
int32_t standardSpeed(int32_t requested);

// The speeds the port dialog offers, slowest first.
std::span<const int32_t> portDialogSpeeds();

}  // namespace trindel
