// The bytes that set the analogue outputs of the Sable UI2 (both channels, 0 to 5 V) and the
// dataTaker DT800 (channel 1, whole millivolts), as pure functions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trindel {

// "D", c1 low, c1 high, c2 low, c2 high, carriage return; c = whole part of 819 × volts (4095 is
// 5 V). Negative volts are sent as 0 V, volts above 5 as 5 V (the converter has 12 bits).
std::vector<uint8_t> ui2AnalogOutputCommand(float volts1, float volts2);

// "VO=" millivolts and a carriage return; nothing when the millivolts do not print as a plain
// integer (a value beyond the 16-bit range or not a number).
std::optional<std::string> dt800AnalogOutputCommand(float volts);

}  // namespace trindel
