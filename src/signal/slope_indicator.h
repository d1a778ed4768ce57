// The slope indicator appended to a channel's read-out during a chart run.
#pragma once

#include <cstdint>

#include "state/control_state.h"
#include "state/sample_store.h"

namespace trindel {

// " -" when the sum of the channel's N + 1 stored values ending one sample before `sample`
// exceeds the sum of the N + 1 values ending at `sample`, " + " otherwise; "" while `sample` is
// not above N + 1, for a negative N or a channel outside 1..16. `sample` is the slot of the
// current scan (already stored), `points` the indicator's N.
const char* slopeSuffix(const SampleStore& store, int channel, int32_t sample, int points);

// The same for a channel whose alarm row switches the indicator on (element 21) and holds N
// (element 22); "" when the indicator is off.
const char* slopeSuffix(const AlarmState& alarm, const SampleStore& store, int channel,
                        int32_t sample);

}  // namespace trindel
