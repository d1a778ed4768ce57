// One chart scan (GETDATA) and the continuous-scanning interval (GetSCANDATA, SHOWSCANRESULTS),
// in steps as the scan goes: read -> convert -> check (alarms, substitution) -> store -> show.
#pragma once

#include "platform/platform.h"
#include "run/chart_hooks.h"
#include "state/program.h"

namespace trindel {

// Takes one scan: each channel is read (and averaged), converted, checked (alarms, unread-channel
// substitution) and stored; then the scan's result is shown (read-outs, status texts) and its
// trace drawn. Advances Sample and the due time.
void GETDATA(Program& p, Platform& io, ChartHooks& hooks);

// One device scan of every channel into the continuous sums (scanvolts, scanavrg).
void addDeviceScan(Program& p, Platform& io);

// Reads a continuously averaged last channel (samples to average 0) once between scans.
void readLastChannelOnce(Program& p, Platform& io);

// Processes the sums of GetSCANDATA as one scan.
void SHOWSCANRESULTS(Program& p, Platform& io, ChartHooks& hooks);

// GETDATA3: one chart scan of channels 2..nChan in scope-plus-chart mode. Sample goes up first
// (the first scan lands in slot 1); each channel's volts are its DataCache mean since the last
// scan; the cache is cleared and ChartTimeCutoff set a tick (plus the interval) on.
void GETDATA3(Program& p, Platform& io, ChartHooks& hooks);

}  // namespace trindel
