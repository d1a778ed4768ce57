// The chart's time axis: tick interval and spacing for the chart view, tick marks and grid,
// tick labels carried from screen to screen, and the planned duration of a recording.
#pragma once

#include <string>

#include "platform/canvas.h"
#include "state/program.h"

namespace trindel {

// Chooses the tick interval, minute units and tick spacing for the current chart view; the
// next screen's first tick goes back to the left edge.
void COMPUTETICS(Program& p);

// Tick marks (and time grid lines when on) of one screen, from `firsttic`.
void DRAWTICS(const Program& p, Canvas& canvas);

// Tick labels of one screen from `NextTicPosition`; leaves the tick phase for the next screen.
void DRAWTICLABELS(Program& p, Canvas& canvas);

// Planned duration as text; sets TraceLength, tfact and minute_units from MaxSamples x interval.
std::string FindChartDuration(Program& p);

// Bottom row of the last chart band.
int lastBandBottom(const Program& p);

}  // namespace trindel
