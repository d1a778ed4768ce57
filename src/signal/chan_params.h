// The channels' plot bands in the recording window (channel table elements 8 to 12).
#pragma once

#include "core/program.h"

namespace trindel {

// Lays out the bands of channels 1..nChan for the window height H (preference 12).
// - rescale 0: even bands of (H - 60) / nChan pixels; `height` 0 lays out for a height of 768.
// - rescale non-zero: `height` is the previous window height; every band keeps its share, scaled
//   by (H - 60) / (height - 60), stacked from row 35 down. A previous height of 60 or less cannot
//   be scaled from, and gives the even layout.
// Ends by clearing the start of the scope rows (CLEARARRAY).
void SetChanParams(Program& p, int height, int rescale);

}  // namespace trindel
