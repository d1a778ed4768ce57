// First-order response correction (Z transformation) that sharpens a slow sensor's value.
#pragma once

#include <cstdint>

#include "signal/special_ops.h"

namespace trindel {

// value = P + (value - P) / Z, P being the previous uncorrected value (the value itself on the
// first sample). Keeps the uncorrected value in element 7. Does nothing when the correction is off
// or before the first sample; a Z not above 0 counts as 1, as the options window shows it.
float applyResponseCorrection(SpecialOpsRecord& record, float value, int32_t sample);

}  // namespace trindel
