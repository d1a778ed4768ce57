#include "calculators/sun_plot.h"

#include <cstddef>

namespace trindel {

double sunPlotX(int day) {
    return day * 1.5 + kSunPlotLeft;
}

double sunPlotY(double hours) {
    return kSunPlotBottom - 10.0 * hours;
}

SunPlotShapes SunCyclePlot(const std::array<SunCycleRow, 367>& rows) {
    SunPlotShapes shapes;
    for (int day = 1; day <= 365; ++day) {
        const SunCycleRow& r = rows[static_cast<std::size_t>(day)];
        if (r.dayLength == 0.0f) {
            continue;
        }
        const double x = sunPlotX(day);
        double rise = sunPlotY(r.sunrise);
        double set = sunPlotY(r.sunset);
        if (rise < kSunPlotTop) {
            rise = kSunPlotBottom - 2;
        }
        if (set < kSunPlotTop) {
            set = kSunPlotTop + 1;
        }
        if (r.sunset < r.sunrise) {
            shapes.bars.push_back({x, rise, sunPlotY(24.0)});
            shapes.bars.push_back({x, sunPlotY(0.0), set});
        } else {
            shapes.bars.push_back({x, rise, set});
        }
        if (r.dayLength < 24.0f) {
            shapes.dots.push_back({x, rise, true});
            shapes.dots.push_back({x, set, false});
        }
    }
    return shapes;
}

}  // namespace trindel
