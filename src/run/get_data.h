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

}  // namespace trindel
