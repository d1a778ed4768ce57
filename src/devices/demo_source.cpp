#include "devices/demo_source.h"

#include <cmath>

#include "core/program.h"

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

float demoChartVolts(uint64_t& state) {
    return 0.2f + static_cast<float>(demoDraw(state)) * 0.001f;
}

float demoPausedVolts(uint64_t& state, int channel, int16_t recordingMode, float scopeGain) {
    float v = 0.3f + static_cast<float>(demoDraw(state)) * 0.001f;
    if (channel == 1 && (recordingMode == 2 || recordingMode == 3) && scopeGain != 0.0f) {
        v /= scopeGain;
    }
    return v;
}

float demoScopeVolts(uint64_t& state, float scopeGain) {
    const float v = 1.0f + static_cast<float>(demoDraw(state)) * 0.001f;
    return scopeGain != 0.0f ? v / scopeGain : v;
}

float demoChartReading(Program& p, int channel) {
    const auto c = static_cast<size_t>(channel);
    uint64_t& state = p.device.demoSeed;
    float v = demoChartVolts(state);
    const float ratio = p.conversion.SpikeFilterArray[c];
    if (ratio <= 1.0f || p.session.Sample <= 1) {
        return v;
    }
    float& last = p.device.lastvoltageX[1][c];
    if (std::fabs(v - last) > ratio) {
        const float second = demoChartVolts(state);
        if (std::fabs(second - v) > std::fabs(second - last)) {
            v = last;
            ++p.conversion.voltagespikes[c];
        }
    }
    last = v;
    return v;
}

}  // namespace trindel
