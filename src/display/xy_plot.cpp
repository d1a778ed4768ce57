#include "display/xy_plot.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "text/number_text.h"

namespace trindel {

namespace {

constexpr RGBColor kPointColour{0, 0, 0};  // colour 1

int plotSize(const Program& p) {
    return static_cast<int>(p.view.XY[kXYSize]);
}

int xyChannel(const Program& p, size_t element) {
    const int c = static_cast<int>(p.view.XY[element]);
    return c >= 1 && c <= std::min<int>(p.session.nChan, kMaxChannels) ? c : 0;
}

float nv(const Program& p, int c, int e) {
    return p.channels.Nvar[static_cast<size_t>(c)][static_cast<size_t>(e)];
}

}  // namespace

void chooseXYChannel(Program& p, bool xAxis, int channel) {
    const size_t mine = xAxis ? kXYChannelX : kXYChannelY;
    const size_t other = xAxis ? kXYChannelY : kXYChannelX;
    p.view.XY[mine] = static_cast<float>(channel);
    if (static_cast<int>(p.view.XY[other]) == channel) {
        p.view.XY[other] = 0.0f;
    }
}

void toggleShowXYPlot(Program& p) {
    p.view.ShowXYPlot = p.view.ShowXYPlot != 0 ? 0 : 1;
}

XYRange xyYRange(const Program& p) {
    const int c = xyChannel(p, kXYChannelY);
    if (c == 0) {
        return {};
    }
    XYRange r{nv(p, c, kDisplayMin), nv(p, c, kDisplayMax)};
    const float range = r.max - r.min;
    const bool down = p.view.ExpandXYdown != 0;
    const bool up = p.view.ExpandXYup != 0;
    if (down && up) {
        r.min = r.max - 1.5f * range;
        r.max = r.min + 2.0f * range;
    } else if (down) {
        r.min = r.max - 1.5f * range;
    } else if (up) {
        r.max = r.min + 1.5f * range;
    }
    return r;
}

std::optional<int> makeXYPlotWindow(Program& p, int screenWidth) {
    if (p.view.XYPlotWindow != 0) {
        return plotSize(p);
    }
    const int z = std::min(screenWidth - p.prefs[kPrefWindowWidth] - 7, 360);
    if (z < 100) {
        return std::nullopt;
    }
    p.view.XY[kXYSize] = static_cast<float>(z);
    p.view.XYPlotWindow = 1;
    return z;
}

Rect xyPlotWindowRect(const Program& p) {
    const int w = p.prefs[kPrefWindowWidth];
    const int z = plotSize(p);
    return Rect{w + 10, 50, w + z, z + 225};
}

std::optional<XYPoint> xyPoint(const Program& p, int64_t sample) {
    const int cx = xyChannel(p, kXYChannelX);
    const int cy = xyChannel(p, kXYChannelY);
    const int z = plotSize(p);
    if (sample < 2 || cx == 0 || cy == 0 || z <= 0) {
        return std::nullopt;
    }
    const double xMin = nv(p, cx, kDisplayMin);
    const double xRange = static_cast<double>(nv(p, cx, kDisplayMax)) - xMin;
    const XYRange yr = xyYRange(p);
    const double yRange = static_cast<double>(yr.max) - yr.min;
    if (!(xRange != 0) || !(yRange != 0)) {
        return std::nullopt;
    }
    const double xv = p.store.get(cx, sample - 1);
    const double yv = p.store.get(cy, sample - 1);
    const double x = std::abs(z * (xv - xMin) / xRange);
    const double y = std::abs((z + 70) - (yv - yr.min) * (z + 70) / yRange);
    // Far outside the plot (or not finite) there is nothing to draw.
    if (!(x < 1e6) || !(y < 1e6)) {
        return std::nullopt;
    }
    return XYPoint{static_cast<int>(x), static_cast<int>(y)};
}

void ClearXYPlot(const Program& p, Canvas& canvas) {
    if (p.view.XYPlotWindow == 0) {
        return;
    }
    const int z = plotSize(p);
    const Rect area{0, 0, z, z + 70};
    canvas.fillRect(area, p.colours.Markwhite);
    canvas.frameRect(area, p.colours.ChartFrameColor);
    const XYRange yr = xyYRange(p);
    const TextStyle small{9, false, p.colours.ChartFrameColor};
    canvas.text(3, 12, StringFormatter(yr.max), small);
    canvas.text(3, z + 70 - 4, StringFormatter(yr.min), small);
}

void plotXYPoint(const Program& p, Canvas& canvas) {
    if (const auto pt = xyPoint(p, p.session.Sample)) {
        canvas.line(pt->x, pt->y, pt->x, pt->y, kPointColour);
    }
}

void RedrawXY(const Program& p, Canvas& canvas) {
    ClearXYPlot(p, canvas);
    const int z = plotSize(p);
    if (p.view.XYPlotWindow == 0 || z <= 0) {
        return;
    }
    // A long run puts many points on the same pixel: each pixel is drawn once.
    const int w = z + 1, h = z + 71;
    std::vector<bool> drawn(static_cast<size_t>(w) * static_cast<size_t>(h), false);
    for (int64_t s = std::max<int64_t>(p.session.LastXYClear, 2); s <= p.session.Sample; ++s) {
        const auto pt = xyPoint(p, s);
        if (!pt) {
            continue;
        }
        if (pt->x < w && pt->y < h) {
            const size_t i =
                static_cast<size_t>(pt->y) * static_cast<size_t>(w) + static_cast<size_t>(pt->x);
            if (drawn[i]) {
                continue;
            }
            drawn[i] = true;
        }
        canvas.line(pt->x, pt->y, pt->x, pt->y, kPointColour);
    }
    canvas.flush();
}

void xyCommand(Program& p, Canvas& canvas, int key) {
    switch (key) {
        case 'n':
            p.view.ExpandXYdown = p.view.ExpandXYup = 0;
            break;
        case 'd':
            p.view.ExpandXYdown = 1;
            break;
        case 'u':
            p.view.ExpandXYup = 1;
            break;
        case 'c':
            break;
        default:
            return;
    }
    RedrawXY(p, canvas);
}

}  // namespace trindel
