// The annual sun-cycle plot as shapes in window pixels: a day bar from sunrise to sunset for each
// day with daylight and a dot at each sunrise and sunset, in a frame from (70, 30) to (618, 270).
#pragma once

#include <array>
#include <vector>

#include "state/calculator_state.h"

namespace trindel {

inline constexpr int kSunPlotLeft = 70, kSunPlotTop = 30, kSunPlotRight = 618, kSunPlotBottom = 270;

// x of day d and y of hour h (0 hours at the bottom, 24 at the top).
double sunPlotX(int day);
double sunPlotY(double hours);

struct SunPlotBar {
    double x;  // left edge; bars are 2 pixels wide
    double yFrom, yTo;
};
struct SunPlotDot {
    double x, y;
    bool sunrise;  // else a sunset
};
struct SunPlotShapes {
    std::vector<SunPlotBar> bars;
    std::vector<SunPlotDot> dots;
};

// The shapes of days 1 to 365. A day whose sunset falls after midnight gets two bars (sunrise to
// midnight, midnight to sunset), so the night is not painted as day.
SunPlotShapes SunCyclePlot(const std::array<SunCycleRow, 367>& rows);

}  // namespace trindel
