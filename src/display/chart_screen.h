// The chart recording screen: band layout, the screen drawn for a run, new screens when one is
// full, one trace segment per channel per scan, read-outs, status fields and the progress bar.
#pragma once

#include <string>

#include "core/program.h"
#include "platform/canvas.h"

namespace trindel {

// Lays out the channel bands: equal bands (rescale 0; oldHeight 0 resets the height to 768) or
// bands rescaled from a window height of oldHeight (rescale 1).
void SetChanParams(Program& p, int oldHeight, int rescale);

// Draws the recording window for a new run: bands, ticks, labels, information line, status
// fields and progress bar. Sets ScreenCapacity, NscrnCASEs and the tick phase.
void DRAWSCREEN(Program& p, Canvas& canvas, int screenHeight);

// Starts a new screen when the current one is full, keeping the part the scrolling choice keeps.
void REDRAWSCREEN(Program& p, Canvas& canvas);

// Frame, zero line, scale grid and labels of every chart band.
void DRAWCHANNELS(const Program& p, Canvas& canvas);

// The band row of a value: limited to the band, rows growing downwards.
int penRow(const ChannelTable& t, int channel, float value);

// Draws one channel's trace segment for the scan at column x and keeps its pen row.
void drawTraceSegment(Program& p, Canvas& canvas, int channel, int x, int y);

// The pen column of the current scan.
inline int penColumn(const Session& s) {
    return static_cast<int>(s.NscrnCASEs / s.ChartView);
}

// Read-out of one channel: the value, or "   zero" for 0.
void drawReadout(const Program& p, Canvas& canvas, int channel, float value);

// Status fields: sample count, percent done and time left; and the progress bar.
void drawStatusFields(const Program& p, Canvas& canvas);
std::string sampleFieldText(int32_t sample);
std::string percentFieldText(int32_t sample, int32_t maxSamples);
std::string timeLeftText(int32_t sample, int32_t maxSamples, double interval);

// The information line at the top of the recording window.
void ScreenINFO(Program& p, Canvas& canvas);

// A marker line and its label at the current pen column.
void drawMarker(const Program& p, Canvas& canvas, int32_t code, int top);

}  // namespace trindel
