#include "state/colours.h"

namespace trindel {

namespace {
constexpr RGBColor grey(uint16_t v) {
    return RGBColor{v, v, v};
}
}  // namespace

void DEFAULTCOLORS(Colours& c) {
    c.ChartBackgroundColor = {577, 43860, 60159};
    c.ChartFrameColor = {0, 0, 54272};
    c.ChartDataColor = {0, 0, 0};
    c.Markwhite = {65535, 65535, 65535};
    c.ScopeBackgroundColor = {0, 0, 54272};
    c.FastScopeBackground = {56680, 2242, 1698};
    c.ScFrame = {64512, 62333, 1327};
    c.ScopeDataColor = {64512, 62333, 1327};
    c.PlFrame = c.ChartFrameColor;
    c.Pblack = {0, 0, 0};
    c.gray = grey(51200);
    c.LightGray = grey(58900);
    c.VeryLightGray = grey(56600);
    c.extremelyLightGray = grey(61400);
    c.DarkGray = grey(39200);
    c.mediumDarkGray = {24110, 24110, 25098};
    c.veryDarkGray = {13110, 13110, 14098};
    c.lblue = {53267, 56584, 65535};
    c.veryLightBlue = {59600, 59600, 65535};
    c.zcyan = {1577, 48860, 63159};
    c.manila = {65535, 65399, 50461};
    c.sunset = {65535, 65299, 25461};
    c.rgbyellow = {64512, 62333, 1327};
    c.RGBred = {65535, 0, 0};
    c.bred = {65535, 0, 0};
    c.RGBblue = {0, 0, 44098};
}

}  // namespace trindel
