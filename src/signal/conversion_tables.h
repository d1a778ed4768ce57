// Per-channel conversion and conditioning tables: breakpoint conversions, polynomials, special
// gas-exchange operations, stored conversions, averaging sums and the spike-filter state.
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

    // Keyboard level: the keys of the chart loop keep it, conversion type 7 records it.
    int16_t ASCIIvalue = 0;

    std::array<float, 17> SpikeFilterArray{};  // spike-filter ratio per channel
    std::array<int32_t, 17> voltagespikes{};   // rejected spikes per channel
    std::array<float, 17> lastvoltageX{};      // spike reference: first reading of the last sample
    std::array<float, 17> lastvoltageXPrev{};  // the reference before that
    float SpikeFilterRatio = 2.0f;

    // Continuous averaging of all channels: per-channel sums and the number of passes summed.
    std::array<double, 17> scanvolts{};
    int32_t scanavrg = 0;
    // Continuous averaging of the last channel only: its running sum and count between scans.
    double lastChannelSum = 0.0;
    int32_t lastChannelReads = 0;
    int16_t AbsVal = 0;   // average absolute values in last-channel continuous averaging
    int32_t MaxAvrg = 1;  // estimated largest number of readings per sample
};

}  // namespace trindel
