// Display settings of the scope view and XY plot.
#pragma once

#include <array>
#include <cstdint>

namespace trindel {

// The chart screen's time axis and screen bookkeeping.
struct ChartAxis {
    float TicIntervalInSeconds = 1.0f;
    float ticgap = 0.0f;  // pixels between ticks
    int16_t minute_units = 0;
    double CustomTic = 0.0;  // user's tick interval as a multiple of the default; 0 default
    float NextTicPosition = 0.0f;
    float firsttic = 0.0f;
    double zz = 0.0;  // time in seconds of the next tick label
    float TraceLength = 0.0f;
    float tfact = 0.0f;
    int16_t NewScreen = 0;   // screens drawn in this run
    int32_t LastNsCasx = 0;  // pen column of the previous scan
    int16_t FirstChan = 1;

    bool operator==(const ChartAxis&) const = default;
};

struct ViewState {
    ChartAxis axis;
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
