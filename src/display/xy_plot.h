// The XY plot: one channel against another, one point per scan, in a window beside the
// recording window; its set-up window's rules, the value-to-pixel mapping, clear and expand.
#pragma once

#include <optional>

#include "platform/canvas.h"
#include "state/program.h"

namespace trindel {

// XY elements: the X and Y channels and the plot size z.
inline constexpr size_t kXYChannelX = 12;
inline constexpr size_t kXYChannelY = 13;
inline constexpr size_t kXYSize = 14;

// "2 Channel X-Y Plot": one button per channel under each axis; a channel cannot be both, so
// choosing it for one axis releases it from the other.
void chooseXYChannel(Program& p, bool xAxis, int channel);
// "Show an X-Y Plot?"
void toggleShowXYPlot(Program& p);

struct XYRange {
    float min = 0.0f, max = 0.0f;
    bool operator==(const XYRange&) const = default;
};
// The Y channel's display range after the expansions (down: min = max - 1.5 r; up: max = min +
// 1.5 r; both: the range doubles, half a range more at each end).
XYRange xyYRange(const Program& p);

// MakeRegressionPlotWindow: z = screen width - recording window width - 7, at most 360. Below 100
// no window is made (XYPlotWindow stays 0); otherwise XY element 14 = z and XYPlotWindow = 1.
// Returns z when the window is to be opened.
std::optional<int> makeXYPlotWindow(Program& p, int screenWidth);
// The window's place: x from W + 10 to W + z, y from 50 to z + 225.
Rect xyPlotWindowRect(const Program& p);

struct XYPoint {
    int x = 0, y = 0;
    bool operator==(const XYPoint&) const = default;
};
// The point of sample s (slots s - 1 of the two channels); none before the second sample, for a
// channel with no usable range, or for a value that is not finite.
std::optional<XYPoint> xyPoint(const Program& p, int64_t sample);

// ClearXYPlot: the z x (z + 70) area filled and framed, the Y range written at its left.
void ClearXYPlot(const Program& p, Canvas& canvas);
// Plots the newest point (after each scan).
void plotXYPoint(const Program& p, Canvas& canvas);
// RedrawXY: clears and plots every point from LastXYClear to Sample, each pixel once.
void RedrawXY(const Program& p, Canvas& canvas);
// The plot's keys during a run: c clears (the loop sets LastXYClear), n ends both expansions,
// d and u expand downwards and upwards; each clears and redraws.
void xyCommand(Program& p, Canvas& canvas, int key);

}  // namespace trindel
