// Drawing the scope band: its background, the side edges and time ticks drawn at each sweep
// start, and a whole burst (one minimum-to-maximum line per pixel column when samples outnumber
// the columns).
#pragma once

#include "platform/canvas.h"
#include "state/program.h"

namespace trindel {

// Channel 1's band across the window.
Rect scopeBand(const Program& p);
// Clears the band to the scope background.
void drawScopeBand(const Program& p, Canvas& canvas);
// Side edges and time ticks `ticgap` pixels apart along the band's bottom.
void drawScopeFrame(const Program& p, Canvas& canvas, float ticgap);
// Row of a burst value by channel 1's display range, kept between 0 and scminPix.
int burstRow(const Program& p, float value);
// The burst in scope row 1, slots 1..ScopeMax, over a cleared band.
void drawBurst(const Program& p, Canvas& canvas);

}  // namespace trindel
