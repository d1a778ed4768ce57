// Even layout of the chart's trace bands: each channel gets an equal band below the toolbar.
#pragma once

#include "core/channel_table.h"

namespace trindel {

// Fills elements 8 (band height) and 9 (band bottom + 1) of channels 1..nChan, stacking equal
// bands from `top` to `bottom` (pixel rows, bottom exclusive) with `gap` rows between them.
void layoutBandsEvenly(ChannelTable& table, int nChan, int top, int bottom, int gap = 4);

}  // namespace trindel
