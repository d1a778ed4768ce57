// Display settings of the scope view and XY plot.
#pragma once

#include <cstdint>

namespace trindel {

struct ViewState {
    int16_t ScopeViewSTEP = 1;
    int16_t ScopeScale = 1;
    int16_t XYPlotWindow = 0;
    int16_t ExpandXYup = 0;
    int16_t ExpandXYdown = 0;
};

}  // namespace trindel
