// The switching schedule: its times at the start of a recording and on an automatic restart, the
// switches due on each pass of a recording loop, and the "Next reference in" read-out text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "control/switching_engine.h"

namespace trindel {

// Start of a recording at T = now + 5 ticks (factor 59.999), or the restart after an automatic
// save at T = now (factor 59.99, `restart` true: mode 9 keeps its place to take the next device).
void startSwitchingSchedule(Program& p, int32_t T, float factor, bool restart);

// One pass of the chart loop at tick count `now`: the switches that are due, with their markers
// when PrefsArray 39 is set.
void switchingPass(Program& p, SwitchEffects& fx, int32_t now);

// One pass of the scope-plus-chart loop, `now` = 60 × the clock in seconds.
void scopeChartSwitchingPass(Program& p, SwitchEffects& fx, int32_t now);

// "Next reference in " and the time left before RefOnTime, or nothing below mode 3.
std::optional<std::string> TimeNextREF(const Program& p, int32_t now);

// True when channel c records DeviceSwitchZeroValue because its device is not connected (the
// device rule only; zero links are the scan's).
bool channelDeviceUnread(const Program& p, int c);

// The sample and reference keys with their markers, as the recording loops call them.
void sampleKey(Program& p, SwitchEffects& fx);
void referenceKey(Program& p, SwitchEffects& fx, int32_t now);

}  // namespace trindel
