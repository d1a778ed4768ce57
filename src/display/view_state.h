// Display settings of the scope view and XY plot.
#pragma once

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
};

struct ViewState {
    ChartAxis axis;
    int16_t ScopeViewSTEP = 1;
    int16_t ScopeScale = 1;
    int16_t XYPlotWindow = 0;
    int16_t ExpandXYup = 0;
    int16_t ExpandXYdown = 0;
};

}  // namespace trindel
