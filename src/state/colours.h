// Colours of the chart and scope views and the window furniture.
#pragma once

#include "platform/rgb_color.h"

namespace trindel {

struct Colours {
    RGBColor ChartBackgroundColor, ChartFrameColor, ChartDataColor, Markwhite;
    RGBColor ScopeBackgroundColor, FastScopeBackground, ScFrame, ScopeDataColor;
    RGBColor PlFrame, Pblack;
    RGBColor gray, LightGray, VeryLightGray, extremelyLightGray, DarkGray, mediumDarkGray,
        veryDarkGray;
    RGBColor lblue, veryLightBlue, zcyan, manila, sunset, rgbyellow, RGBred, bred, RGBblue;

    bool operator==(const Colours&) const = default;
};

// Sets every colour to its start-up value.
void DEFAULTCOLORS(Colours& c);

}  // namespace trindel
