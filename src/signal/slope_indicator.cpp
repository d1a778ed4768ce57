#include "signal/slope_indicator.h"

namespace trindel {

const char* slopeSuffix(const SampleStore& store, int channel, int32_t sample, int points) {
    if (points <= 0 || sample <= points + 1) {
        return "";
    }
    double earlier = 0.0, later = 0.0;
    for (int i = 0; i <= points; ++i) {
        earlier += store.get(channel, sample - 1 - i);
        later += store.get(channel, sample - i);
    }
    return earlier > later ? " -" : " + ";
}

}  // namespace trindel
