// The conversion engine: a channel's averaged volts to its units by the channel's equation,
// special operation, unit factor and response correction.
#pragma once

#include "core/program.h"

namespace trindel {

struct ConvertedValue {
    float beforeSpecial = 0.0f;  // the equation's result before the special operation (w)
    float value = 0.0f;          // the final value (v)
};

// Converts one reading of `channel` (1..16). Reads and updates the channel's conversion state.
ConvertedValue ConvertChannelVolts(Program& p, int channel, float volts);

}  // namespace trindel
