// Builds the recording that the file writers take from the program's state: the finished chart
// run, or one scope sweep.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "files/recording.h"
#include "state/program.h"

namespace trindel {

// Device code written into data files for an A-D device code (External_AD).
int16_t deviceCodeFor(int16_t External_AD);

// The chart run: Sample samples of channels 1..nChan (2..nChan in scope-plus-chart mode).
// Grows the sample store so every written row exists; stores the device code in AD_Device_Code.
Recording chartRecording(Program& p);

// One scope sweep (values oldest first) of channel 1, with the interval the scope recording
// reports and the time of saving. ExpeData still describes every channel.
Recording scopeRecording(Program& p, std::span<const float> sweep, float interval,
                         const std::string& timeOfSaving);

// The scope sweep in scope row 1, oldest first: from the write position ScSample to ScopeMax,
// then from 1 to ScSample - 1 (ScSample 0 or past the end reads 1 to ScopeMax).
std::vector<float> sweepOldestFirst(const ScopeBuffers& scope, int32_t ScSample, int32_t ScopeMax);

}  // namespace trindel
