#include "signal/slope_indicator.h"

#include <cmath>

namespace trindel {

const char* slopeSuffix(const SampleStore& store, int channel, int32_t sample, int points) {
    if (channel < 1 || channel > 16 || points < 0 || sample <= points + 1 ||
        sample >= SampleStore::kRowStride) {
        return "";
    }
    // The two windows share N values; their sums differ by the value that enters the later window
    // and the one that leaves the earlier, so compare just those two.
    const float entering = store.get(channel, sample);
    const float leaving = store.get(channel, sample - 1 - points);
    return leaving > entering ? " -" : " + ";
}

const char* slopeSuffix(const AlarmState& alarm, const SampleStore& store, int channel,
                        int32_t sample) {
    if (channel < 1 || channel > 16) {
        return "";
    }
    const auto& row = alarm.alarms[static_cast<size_t>(channel)];
    const float points = row[22];
    if (row[21] == 0.0f || !(points >= 0.0f && points <= 2.0e6f)) {
        return "";
    }
    return slopeSuffix(store, channel, sample, static_cast<int>(points));
}

}  // namespace trindel
