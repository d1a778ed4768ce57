// Per-channel conversion and conditioning tables: breakpoint conversions, polynomials, special
// gas-exchange operations and the spike-filter state.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace trindel {

struct ConversionTables {
    // Rows 1..16 per channel, rows 17..22 six stored breakpoint conversions; elements 1..22.
    std::array<std::array<float, 23>, 23> BPconvert{};
    std::array<std::array<float, 8>, 17> polyarray{};    // 7 floats per channel
    std::array<std::array<float, 22>, 17> SpecialOps{};  // 21 floats per channel
    std::array<float, 17> SpikeFilterArray{};            // spike-filter ratio per channel
    std::array<int32_t, 17> voltagespikes{};             // rejected spikes per channel
    std::array<float, 17> lastvoltageX{};                // last reading per channel
    std::array<double, 17> scanvolts{};                  // running sum for continuous averaging
    float SpikeFilterRatio = 2.0f;

    // --- Fields stored in set-up and preferences files ---
    int16_t AbsVal = 0;  // continuous averaging of the last channel averages absolute values
    float ValueForZeroInGasExchange = 0.0f;
    // Stored conversions: 9 floats per row, 12 rows (flat element 9 x row + e).
    std::array<float, 108> convert{};
    std::string buttonlbls = std::string(225, ' ');   // nine 25-character button labels
    std::string but1lbls = std::string(30, ' ');      // label of the stored three-way polynomial
    std::string butcomments = std::string(240, ' ');  // eight 30-character channel labels

    bool operator==(const ConversionTables&) const = default;
};

}  // namespace trindel
