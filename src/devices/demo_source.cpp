#include "devices/demo_source.h"

#include "signal/spike_filter.h"
#include "state/program.h"

namespace trindel {

int demoDraw(uint64_t& state) {
    // splitmix64: fast, and good enough for uniform demonstration values.
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return 1 + static_cast<int>(((z >> 32) * 800) >> 32);
}

// Computed in double and rounded once, so a value reads as its three decimals (0.575, not
// 0.57500005).
float demoChartVolts(uint64_t& state) {
    return static_cast<float>(0.2 + demoDraw(state) * 0.001);
}

float demoPausedVolts(uint64_t& state, int channel, int16_t recordingMode, float scopeGain) {
    float v = static_cast<float>(0.3 + demoDraw(state) * 0.001);
    if (channel == 1 && (recordingMode == 2 || recordingMode == 3) && scopeGain != 0.0f) {
        v /= scopeGain;
    }
    return v;
}

float demoScopeVolts(uint64_t& state, float scopeGain) {
    const float v = static_cast<float>(1.0 + demoDraw(state) * 0.001);
    return scopeGain != 0.0f ? v / scopeGain : v;
}

namespace {

// Shared by demoChartReading and the reader, so the scan's read is one call.
inline float chartReading(Program& p, int channel) {
    uint64_t& state = p.device.demoSeed;
    const float draw = demoChartVolts(state);
    return demoSpikeFilteredReading(p.conversion, p.device, channel, p.session.Sample, draw,
                                    [&] { return demoChartVolts(state); });
}

}  // namespace

float demoChartReading(Program& p, int channel) {
    return chartReading(p, channel);
}

void readDemonstration(Program& p, Platform& /*io*/, int channel, int /*interactive*/) {
    if (p.device.DemonstrationMODE != 0) {
        p.device.volts = chartReading(p, channel);
    }
}

}  // namespace trindel
