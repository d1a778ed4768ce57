// Per-channel conversion and conditioning tables: breakpoint conversions, polynomials, special
// gas-exchange operations, stored conversions, averaging sums, and the spike-filter ratios and
// counts (the spike references are the device reader's lastvoltageX).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace trindel {

struct ConversionTables {
    // Rows 1..16 per channel, rows 17..22 six stored breakpoint conversions; elements 0..21.
    std::array<std::array<float, 23>, 23> BPconvert{};
    std::array<std::array<float, 8>, 17> polyarray{};    // 7 floats per channel
    std::array<std::array<float, 22>, 17> SpecialOps{};  // 21 floats per channel
    // Stored conversions, flat: row r element e at r x 9 + e (rows 3..10 are the eight buttons);
    // elements 100..107 the stored three-way polynomial.
    std::array<float, 108> convert{};
    // Labels of the stored conversions (Mac Roman): nine 25-byte button labels (the eight, then the
    // three-way polynomial), eight 30-byte channel labels, and the three-way channel label.
    std::string buttonlbls = std::string(9 * 25, ' ');
    std::string butcomments = std::string(8 * 30, ' ');
    std::string but1lbls = std::string(30, ' ');

    std::array<float, 17> SpikeFilterArray{};  // spike-filter ratio per channel
    std::array<int32_t, 17> voltagespikes{};   // rejected spikes per channel
    float SpikeFilterRatio = 2.0f;

    // --- Fields stored in set-up and preferences files ---
    int16_t AbsVal = 0;  // continuous averaging of the last channel averages absolute values
    float ValueForZeroInGasExchange = 0.0f;

    // Continuous averaging of all channels: per-channel sums (the pass count is the chart loop's
    // scanavrg).
    std::array<double, 17> scanvolts{};

    bool operator==(const ConversionTables&) const = default;
};

}  // namespace trindel
