// The analogue-output scripts at run time: giving a channel its volts (SetAOvolts, at most one
// accepted value every 30 ticks, a later value kept until its turn), starting, stepping, ramping
// and stopping the two scripts, and the D-A menu rules per device.
#pragma once

#include <array>
#include <cstdint>

#include "state/control_state.h"

namespace trindel {

inline constexpr int32_t kAOUpdateTicks = 30;
inline constexpr int kMaxAOSteps = 100;

// Script places of channel 1 or 2 (column offset 0 or 3 in the step rows).
int aoStepCount(const AnalogOutputState& ao, int channel);
float aoStepVolts(const AnalogOutputState& ao, int channel, int step);
float aoStepMinutes(const AnalogOutputState& ao, int channel, int step);  // negative: a ramp
int aoStepNext(const AnalogOutputState& ao, int channel, int step);
float aoPreRunVolts(const AnalogOutputState& ao, int channel);
float aoEndVolts(const AnalogOutputState& ao, int channel);
int aoStartMode(const AnalogOutputState& ao, int channel);  // 1 start, 2 first marker, 3 key "s"
int aoStopMode(const AnalogOutputState& ao, int channel);   // 1 own end, 2 "X", 3 "Q"
bool aoOn(const AnalogOutputState& ao, int channel);
bool aoRunning(const AnalogOutputState& ao, int channel);

// Gives `channel` its volts for device `device` (External_AD code). Within 30 ticks of the last
// accepted value the value waits and is given by flushPendingAO once the 30 ticks have passed.
// Every accepted value goes to the outbox with the bytes the device needs (none for a device
// without output, for the DT800's channel 2 and for a DT800 value equal to the last one sent).
void SetAOvolts(AnalogOutputState& ao, int16_t device, int32_t now, int channel, float volts);
// Gives the waiting values whose turn has come (called on every pass of the loops).
void flushPendingAO(AnalogOutputState& ao, int16_t device, int32_t now);

// At the start of a recording: copies the start and stop modes, marks the channels of start
// mode 1 as running and begins them.
void startAOForRecording(AnalogOutputState& ao, int16_t device, int32_t now);
// Begins every channel that is on and running at its step 1.
void BeginAOscript(AnalogOutputState& ao, int16_t device, int32_t now);
// Advances the running scripts; called on every pass while a channel is on.
void checkAOscript(AnalogOutputState& ao, int16_t device, int32_t now);

// Markers: the first marker starts the channels of start mode 2, the key "s" those of start
// mode 3; "X"/"x" stops those of stop mode 2 and "Q"/"q" those of stop mode 3, each taking its
// end volts when its end mode is 1.
void AOfirstMarker(AnalogOutputState& ao, int16_t device, int32_t now);
void AOstartKey(AnalogOutputState& ao, int16_t device, int32_t now);
void AOstopMarker(AnalogOutputState& ao, int16_t device, int32_t now, int code);
// At the end of a recording the channels with stop mode 2 take their end volts.
void AOendOfRecording(AnalogOutputState& ao, int16_t device, int32_t now);

// Voltage limits of the script editor and the output: ±10 V on the DT800, ±5 V otherwise.
float aoVoltageLimit(int16_t device);

// Enabled D-A menu items 1..8 (index 0 unused) for the device: none for the DT500, DT50 and
// serial instruments, channel-2 items 4 and 5 off on the DT800, all on otherwise.
std::array<bool, 9> AOmenuAdjust(int16_t device);

}  // namespace trindel
