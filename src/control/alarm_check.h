// Alarm tests at recording time: over-range and the low and high limits of a channel's alarm row.
#pragma once

#include <cstdint>
#include <string>

#include "control/control_state.h"

namespace trindel {

inline constexpr const char* kNoErrorText = "    no error    ";

// Counts an over-range reading of `channel` and sets the status text.
void markOverRange(AlarmState& alarm, int channel, int32_t sample, std::string& statusText);

// Tests the value against the channel's limits; counts and sets the status text unless an error
// text is already set. Returns true when a limit alarm was raised.
bool testLimitAlarms(AlarmState& alarm, int channel, float value, int32_t sample,
                     std::string& statusText);

}  // namespace trindel
