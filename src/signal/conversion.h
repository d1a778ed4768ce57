// The conversion engine: a channel's averaged volts to its units by the channel's equation,
// special operation, unit factor and response correction.
#pragma once

#include "signal/equations.h"
#include "state/program.h"

namespace trindel {

struct ConvertedValue {
    float beforeSpecial = 0.0f;  // the equation's result before the special operation (w)
    float value = 0.0f;          // the final value (v)
};

// Converts one reading of `channel` (1..16) as the recording loops do: the equation of the
// channel's type, then its special operation (flow from the Sample store at `Sample`) and its
// response correction, whose working value it updates. A channel outside 1..16 returns the volts.
ConvertedValue ConvertChannelVolts(Program& p, int channel, float volts);

// The channel's equation alone (no special operation, no state change), as the pause read-outs
// and the set-up's test window need it; `base` chooses the logarithm of type 8.
float evaluateChannelEquation(const Program& p, int channel, float volts,
                              LogBase base = LogBase::Natural);

}  // namespace trindel
