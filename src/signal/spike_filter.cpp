#include "signal/spike_filter.h"

namespace trindel {

bool spikeFilterApplies(float ratio, int16_t externalAD, int32_t sample) {
    return externalAD != 0 && ratio > 1.0f && sample > 1;
}

bool anySpikeFilterOn(const ConversionTables& t) {
    for (size_t c = 1; c < t.SpikeFilterArray.size(); ++c) {
        if (t.SpikeFilterArray[c] > 1.0f) {
            return true;
        }
    }
    return false;
}

}  // namespace trindel
