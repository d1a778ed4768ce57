#include "signal/response_correction.h"

namespace trindel {

float applyResponseCorrection(SpecialOpsRecord& r, float value, int32_t sample) {
    if (!(r[kOpsResponseOn] > 0.0f) || sample < 1) {
        return value;
    }
    const float previous = sample == 1 ? value : r[kOpsPreviousValue];
    r[kOpsPreviousValue] = value;
    const float z = r[kOpsZValue] > 0.0f ? r[kOpsZValue] : 1.0f;
    return previous + (value - previous) / z;
}

}  // namespace trindel
