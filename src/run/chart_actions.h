// The chart loop's actions: markers, pause, added time and the status fields.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "display/status_texts.h"
#include "platform/platform.h"
#include "run/chart_hooks.h"
#include "state/program.h"

namespace trindel {

// Intervals of the pause window's "Sample Rate" pop-up, items 1..13.
inline constexpr std::array<double, 13> kPauseSampleRates{
    0.002, 0.004, 0.008, 0.016667, 0.033333, 0.066667, 0.1, 0.25, 0.5, 1.0, 2.0, 5.0, 10.0};

// The toolbar button under a press at (x, y) for the recording mode (1 chart, 2 scope, 3 scope
// plus chart); 0 when the press hits no button.
int toolbarButtonAt(int x, int y, int16_t recordingMode);

// The values the pause window's "Refresh" shows, per channel 1..nChan: the converted mean of 5
// readings of the demonstration source (0.3 to 1.1 V), 2 of an external device, 1 for serial
// instruments.
std::array<float, 17> pauseRefreshValues(Program& p, Platform& io);

// Rows the marker labels' glyphs reach below their base line.
inline constexpr int kMarkerLabelDescent = 3;

// Places a marker with `code` at the next scan's slot and draws it from row `top` down.
// Returns false when the list is full.
bool InsertMarker(Program& p, Platform& io, ChartHooks& hooks, int code, int top);
// The switch marker: the device now in use as a digit, or `code` ("S" 83, "R" 82).
bool InsertDeviceSwitchMarker(Program& p, Platform& io, ChartHooks& hooks, int code, int top);

// Runs the pause window and its effects on the loop: the due time restarts at resume, the pause
// length is counted and written to the pause record, and a changed interval is taken over.
void PAUSE(Program& p, Platform& io, ChartHooks& hooks);

// Extends the recording by one window width of samples.
void AddSomeTIME(Program& p, ChartHooks& hooks);

}  // namespace trindel
