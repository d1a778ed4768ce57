// "Get Voltage" of the direct-calibration window: the mean of several readings of a channel's
// input from the device in use, or the simulated sensor of the demonstration mode.
#pragma once

#include "platform/platform.h"
#include "state/program.h"

namespace trindel {

// The mean of `count` readings of `channel` (at least one). In the demonstration mode a sensor
// is simulated for the calibration value `value`: |value|^0.765 with its sign (1e-7^0.765 for
// 0) times a random factor between 0.86 and 1.15; otherwise the device table's reader of the
// device in use is called, through the spike re-read where the device has it.
double DCALgetVOLTS(Program& p, Platform& io, int channel, int count, double value);

}  // namespace trindel
