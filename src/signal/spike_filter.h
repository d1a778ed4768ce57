// The spike filter: a reading that jumps from the channel's reference by more than the channel's
// ratio is read again, and kept out when the re-read lies nearer the reference. Pure decision
// helpers plus one step that the device reader calls with its own re-read.
#pragma once

#include <cmath>
#include <cstdint>

#include "state/conversion_tables.h"
#include "state/device_state.h"

namespace trindel {

// Delays before the re-reads: the second reading 10 ms after the first, a third (double
// filtration) 6 ms after that.
inline constexpr int kSpikeRereadDelayMs = 10;
inline constexpr int kSpikeSecondRereadDelayMs = 6;

// The filter acts on a reading from an external device (code not 0) of a channel whose ratio is
// above 1, from the second sample of a run on.
bool spikeFilterApplies(float ratio, int16_t externalAD, int32_t sample);

// The first reading V jumped: |V - L| > R.
inline bool isSuspectedSpike(float reading, float reference, float ratio) {
    return std::fabs(reading - reference) > ratio;
}

// The last re-read W lies nearer the reference L than the first reading V did:
// |W - V| > |W - L|.
inline bool isConfirmedSpike(float first, float reread, float reference) {
    return std::fabs(reread - first) > std::fabs(reread - reference);
}

struct SpikeDecision {
    float volts = 0.0f;  // the value the sample takes
    bool spike = false;  // the first reading was a spike (the value is the reference)
};

// The accepted value once a suspected spike has been read again.
inline SpikeDecision decideSpike(float first, float reread, float reference) {
    if (isConfirmedSpike(first, reread, reference)) {
        return {reference, true};
    }
    return {reread, false};
}

// The spike filter on an external device's reading of `channel` (1..16). `reread(delayMs)` waits
// that long and returns a fresh reading; it is called once, or twice with `doubleFiltration`, and
// only for a suspected spike. Counts a removed spike and moves the reference on (lastvoltageX row 2
// takes the old reference, row 1 the first reading). Returns the channel's volts.
template <class Reread>
float spikeFilteredReading(ConversionTables& t, DeviceState& d, int channel, float first,
                           bool doubleFiltration, Reread&& reread) {
    if (channel < 1 || channel > 16) {
        return first;
    }
    const auto c = static_cast<size_t>(channel);
    const float reference = d.lastvoltageX[1][c];
    float volts = first;
    if (isSuspectedSpike(first, reference, t.SpikeFilterArray[c])) {
        float last = reread(kSpikeRereadDelayMs);
        if (doubleFiltration) {
            last = reread(kSpikeSecondRereadDelayMs);
        }
        const SpikeDecision decision = decideSpike(first, last, reference);
        volts = decision.volts;
        if (decision.spike) {
            ++t.voltagespikes[c];
        }
    }
    d.lastvoltageX[2][c] = reference;
    d.lastvoltageX[1][c] = first;
    return volts;
}

// The demonstration source's simulation of the same filter: `redraw()` gives a fresh simulated
// value. Runs when the channel's ratio is above 1, from the second sample on; the reference then
// takes the accepted value.
template <class Redraw>
float demoSpikeFilteredReading(ConversionTables& t, DeviceState& d, int channel, int32_t sample,
                               float draw, Redraw&& redraw) {
    const auto c = static_cast<size_t>(channel);
    if (channel < 1 || channel > 16 || !(t.SpikeFilterArray[c] > 1.0f) || sample <= 1) {
        return draw;
    }
    const float reference = d.lastvoltageX[1][c];
    float volts = draw;
    if (isSuspectedSpike(draw, reference, t.SpikeFilterArray[c])) {
        const SpikeDecision decision = decideSpike(draw, redraw(), reference);
        volts = decision.volts;
        if (decision.spike) {
            ++t.voltagespikes[c];
        }
    }
    d.lastvoltageX[2][c] = reference;
    d.lastvoltageX[1][c] = volts;
    return volts;
}

// True when at least one channel keeps a ratio above 1 (preference 32 and the menu check mark).
bool anySpikeFilterOn(const ConversionTables& t);

}  // namespace trindel
