// The demonstration source: simulated readings for the chart, the paused display and the scope,
// with the chart path's spike simulation.
#pragma once

#include <cstdint>

namespace trindel {

struct Program;
struct Platform;

// A whole number from 1 to 800, uniformly, from the generator state.
int demoDraw(uint64_t& state);

// One chart reading: 0.2 + k/1000 volts (0.201 to 1.000 V).
float demoChartVolts(uint64_t& state);
// One reading of the paused display: 0.3 + k/1000 volts, channel 1 divided by the scope gain in
// the scope modes.
float demoPausedVolts(uint64_t& state, int channel, int16_t recordingMode, float scopeGain);
// One scope sample: (1.0 + k/1000) / scope gain volts.
float demoScopeVolts(uint64_t& state, float scopeGain);

// A chart reading of `channel` with the spike simulation: when the channel's spike ratio exceeds
// 1 (from the second sample on) and a draw jumps by more than the ratio from the channel's last
// value, a second draw decides whether the first was a spike. Returns the value used.
float demoChartReading(Program& p, int channel);

// The demonstration source's reader (device code 0 in the device table): in the demonstration
// mode a chart reading of `channel` into p.device.volts; without it there is nothing to read and
// volts keeps its value.
void readDemonstration(Program& p, Platform& io, int channel, int interactive);

}  // namespace trindel
