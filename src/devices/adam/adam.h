// The ADAM-4000 exchanges over the serial port: the start-up survey of the modules, the input
// ranges (SetADAM), one reading (ReadADAM), the digital outputs, the firmware and cold-junction
// window's queries and re-addressing a module.
#pragma once

#include <array>
#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "devices/adam/adam_protocol.h"
#include "devices/device_link.h"

namespace trindel {

struct Program;
struct Platform;
class SerialPort;

// Time limits, in seconds. The survey of the primary module waits 150 ticks, the other
// modules and the window's queries 30 ticks, a range command 45 ticks. A reading, the
// digital-output acknowledgement, the primary module's firmware and each cold-junction reply
// wait at most 30 ticks; a reading that times out is a failed reading.
inline constexpr double kAdamPrimaryTimeout = 2.5;
inline constexpr double kAdamModuleTimeout = 0.5;
inline constexpr double kAdamRangeTimeout = 0.75;
inline constexpr double kAdamReplyTimeout = 0.5;
// How long a reading that missed its time-out may still turn up.
inline constexpr double kAdamLateReply = 2.0;

// What the start-up survey found.
struct AdamSurvey {
    bool primary = false;  // the module at address 01 answered
    std::string id;        // its name ("4019")
    std::string firmware;
    bool adam4050 = false;     // ADAM4050present
    int16_t secondModule = 0;  // PrefsArray 47
};

// The start-up survey (the port is open at 9600): addresses 01, 02 and 03, with progress lines.
// Gives ADAM4050present (`adam4050`) and sets PrefsArray 47 and the number of inputs.
AdamSurvey contactADAM(DeviceLink& l);

// SetADAM: the input-range command of `channel` (1..16), or of every channel 1..nChan with
// `channel` 0. `showWindow` puts up "ADAM setup..." while the commands go out. Returns the
// number of commands that got no reply; "bubbles" plays when there were any.
int SetADAM(DeviceLink& l, bool showWindow, int channel);

// The last good reading of each channel: "Last Sample Value" repeats only what the module sent.
// Readings that timed out may still be answered: their late replies are counted off here so
// that none passes for the reply of a later reading.
struct AdamMemory {
    std::array<float, 17> lastGood{};
    std::array<bool, 17> haveGood{};
    std::deque<std::chrono::steady_clock::time_point> lateUntil;
};

// ReadADAM: one reading of the channel into p.device.volts (volts, or degrees C for a
// thermocouple); a silent module or an error reply is a failed reading.
void ReadADAM(Program& p, Platform& io, SerialPort& port, AdamMemory& memory, int channel,
              int interactive);

// Makes code 5's reader read through `port` until removed.
void installAdamReader(SerialPort& port);
void removeAdamReader();

// SwitchADAM4050: the digital-output command for valve k; the acknowledgement is read and
// dropped (false when none came within the limit).
bool SwitchADAM4050(DeviceLink& l, int k);

// The firmware window's module lines ("1:  ADAM module ID:    4019", "Firmware version:   ...",
// " ** no ADAM 4050 found **", ...).
std::vector<std::string> adamFirmwareLines(DeviceLink& l);
// One cold-junction reading of the primary module in degrees C; nothing when it did not answer.
std::optional<double> readADAMcjc(DeviceLink& l);

// SendNewAddressCheck: sends the re-addressing command and reads the reply.
struct AddressCheck {
    std::string reply;
    bool accepted = false;  // the reply begins with "!"
};
AddressCheck SendNewAddressCheck(DeviceLink& l, const std::string& command);

}  // namespace trindel
