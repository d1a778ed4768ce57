// The slope indicator appended to a channel's read-out.
#pragma once

#include <cstdint>

#include "core/sample_store.h"

namespace trindel {

// " -" when the channel is falling, " + " when not, "" when there are too few samples yet.
// `sample` is the slot of the current scan, `points` the indicator's N.
const char* slopeSuffix(const SampleStore& store, int channel, int32_t sample, int points);

}  // namespace trindel
