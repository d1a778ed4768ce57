// The chart recording screen: band layout, the screen drawn for a run, new screens when one is
// full, one trace segment per channel per scan, read-outs, status fields and the progress bar.
#pragma once

#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "state/program.h"

namespace trindel {

// Lays out the channel bands: equal bands (rescale 0; oldHeight 0 resets the height to 768) or
// bands rescaled from a window height of oldHeight (rescale 1).
void SetChanParams(Program& p, int oldHeight, int rescale);

// The recording window was resized to width x height between runs: the size becomes the window
// size preference (PrefsArray 11 and 12) and the bands are laid out again for the new height, as
// if the user had chosen that size. During a run nothing changes (the layout stays as it started)
// and false is returned. Sizes are bounded (at least kMinChartWidth x kMinChartHeight, and 12 rows
// per band).
inline constexpr int kMinChartWidth = 640;
inline constexpr int kMinChartHeight = 300;
bool chartWindowResized(Program& p, int width, int height, bool runUnderway);

// Draws the recording window for a new run: bands, ticks, labels, information line, status
// fields and progress bar. Sets ScreenCapacity, NscrnCASEs and the tick phase.
void DRAWSCREEN(Program& p, Canvas& canvas, int screenHeight);

// Starts a new screen when the current one is full, keeping the part the scrolling choice keeps.
void REDRAWSCREEN(Program& p, Canvas& canvas);

// Frame, zero line, scale grid and labels of every chart band.
void DRAWCHANNELS(const Program& p, Canvas& canvas);

// A band's display maximum and minimum labels; with `clearOld` written over the old ones (after a
// scale change).
void drawScaleLabels(const Program& p, Canvas& canvas, int channel, bool clearOld);

// Whether the read-outs, status fields and progress bar follow each scan (ShowDisplays): not in
// scope mode, not when the display speed limit is off (negative) or slower than the interval.
bool displaysShownFor(const Session& s);

// The backup indicator in the information row.
void drawBackupIndicator(const Program& p, Canvas& canvas, std::string_view text);

// Read-out field of one channel (text as the chart loop formats it).
// An alarmed channel's read-out is drawn in red.
void drawReadout(const Program& p, Canvas& canvas, int channel, std::string_view text,
                 bool alarmed = false);

// A channel's status field (alarm and error texts; in the alert colour when `alert`) and its
// switching field.
void drawChannelStatus(const Program& p, Canvas& canvas, int channel, std::string_view text,
                       bool alert);
void drawSwitchingStatus(const Program& p, Canvas& canvas, int channel, std::string_view text);

// Status fields 2 (sample count), 3 (% done) and 4 (time left).
void drawStatusField(const Program& p, Canvas& canvas, int field, std::string_view text);

// The progress bar filled to `segments` of (window width - 10).
void drawProgressBar(const Program& p, Canvas& canvas, int segments);

// The information line at the top of the recording window, and its text for the recording mode
// (chart, scope, scope plus chart); both set the planned duration's axis values.
void ScreenINFO(Program& p, Canvas& canvas);
std::string screenInfoText(Program& p);
// A sweep time with fewer decimals the longer it is (none from 1,000 s).
std::string sweepTimeText(double seconds);

}  // namespace trindel
