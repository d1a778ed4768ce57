// Valve and device switching: the operations that select sample and reference devices, the
// output they send through a SwitchEffects, and the choice of the next device in a sequence.
#pragma once

#include <cstdint>
#include <string>

#include "control/switching_commands.h"
#include "state/program.h"

namespace trindel {

// "Never" for RefOnTime and RefOffTime.
inline constexpr int32_t kNeverTicks = 2147483647;

// What switching does outside the state: the device command, the tick sound, the markers. The
// defaults do nothing, so the demonstration mode and tests need only what they check.
class SwitchEffects {
  public:
    virtual ~SwitchEffects() = default;
    // Sends the command and waits (with a time-out) for the answer it expects; returns the answer
    // bytes, empty when there was none.
    virtual std::string send(const SwitchCommand& /*command*/) { return {}; }
    virtual void tickSound() {}
    // Inserts the marker character `code` at the current sample.
    virtual void insertMarker(int /*code*/) {}
};

// base + minutes × 3600, summed in 32-bit float and truncated toward zero; a sum at or beyond the
// 32-bit range becomes never (or the lowest value) instead of overflowing.
int32_t addMinutesAsTicks(int32_t base, float minutes);
// Truncates a float tick count toward zero with the same saturation.
int32_t ticksFromFloat(float ticks);

// True with two device groups; the split is after device 3 on the RMS ADC-1, else after 4.
bool twoDeviceGroups(const Program& p);
int groupOneLastDevice(const Program& p);
// The device number of channel (or, in modes 9 and 10, device row) `row`: element 13 truncated.
int deviceOfRow(const Program& p, int row);

// The marker character of a switch: the digit of DeviceInUse when ShowSwitchDeviceAsMarker is
// set, else `code` ('R' 82 or 'S' 83).
int switchMarkerCode(const Program& p, int code);

void SELECTNEXTVALVE(Program& p);
void SWITCHTOSAMPLE(Program& p, SwitchEffects& fx);
void CYCLECHANNELS(Program& p, SwitchEffects& fx);
void SWITCHTOREFERENCE(Program& p, SwitchEffects& fx);
void KeyboardSampleON(Program& p, SwitchEffects& fx);
// `now` in ticks: modes 7 and 8 end the reference refint minutes later.
void KeyboardReferenceON(Program& p, SwitchEffects& fx, int32_t now);
void DIRECTSWITCH(Program& p, SwitchEffects& fx, int n);
void TURNVALVESOFF(Program& p, SwitchEffects& fx);
// Plays "tick" when sounds are on and the chart interval is longer than 0.235 s.
void TickSound(const Program& p, SwitchEffects& fx);

}  // namespace trindel
