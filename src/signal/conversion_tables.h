// Per-channel conversion and conditioning tables: breakpoint conversions, polynomials, special
// gas-exchange operations and the spike-filter state.
#pragma once

#include <array>
#include <cstdint>

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
};

}  // namespace trindel
