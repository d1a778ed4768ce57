// One chart scan (GETDATA) and the continuous-scanning interval (GetSCANDATA, SHOWSCANRESULTS).
#pragma once

#include "platform/platform.h"
#include "run/chart_hooks.h"
#include "state/program.h"

namespace trindel {

// Takes one scan: reads, averages, converts, tests, stores, shows and draws every channel, then
// advances Sample and the due time.
void GETDATA(Program& p, Platform& io, ChartHooks& hooks);

// One device scan of every channel into the continuous sums (scanvolts, scanavrg).
void addDeviceScan(Program& p, Platform& io);

// Reads a continuously averaged last channel (samples to average 0) once between scans.
void readLastChannelOnce(Program& p, Platform& io);

// Processes the sums of GetSCANDATA as one scan.
void SHOWSCANRESULTS(Program& p, Platform& io, ChartHooks& hooks);

// Processes channel c's averaged volts (steps from conversion to drawing) for the current scan.
// `x` is the pen column; `continuous` selects the continuous-scanning status texts.
void processChannel(Program& p, Platform& io, ChartHooks& hooks, int c, float volts, bool overRange,
                    int x, bool continuous);

}  // namespace trindel
