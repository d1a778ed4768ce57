// Display settings of the scope view and XY plot.
#pragma once

#include <array>
#include <cstdint>

namespace trindel {

struct ViewState {
    int16_t ScopeViewSTEP = 1;
    int16_t ScopeScale = 1;
    int16_t XYPlotWindow = 0;
    int16_t ExpandXYup = 0;
    int16_t ExpandXYdown = 0;

    // --- Fields stored in set-up files and derived when one is loaded ---
    int16_t ScopeGain = 1;
    int16_t ShowXYPlot = 0;
    std::array<float, 17 * 11> XY{};  // 11 floats per record; record k at 11k
    double CustomTic = 0.0;           // custom tick interval as a multiple of the default; 0 none
    float TraceLength = 0.0f;         // planned chart duration
    float tfact = 0.0f;               // planned duration per pixel in the display unit
    int16_t minute_units = 0;
    float scd = 409.6f;  // scope converter counts per volt
    float Vmax = 5.0f;   // scope full-scale volts

    bool operator==(const ViewState&) const = default;
};

}  // namespace trindel
