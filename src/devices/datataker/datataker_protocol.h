// The dataTaker command language as pure functions: channel specification texts, the command
// sequences of contact, set-up and conversion modes, counter presets, the burst command, and the
// parsing of reading, firmware and self-test replies.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trindel {

enum class DataTakerModel { DT500, DT50, DT800 };

// The model of a device code (2 DT500/DT600, 3 DT50, 4 DT800); nothing for other codes.
std::optional<DataTakerModel> dataTakerModel(int External_AD);
// "DT500", "DT50" or "DT800".
std::string_view modelName(DataTakerModel m);

// One channel's DataTakerChannels record: kind, thermocouple chosen, thermocouple type, wiring,
// counter.
using DataTakerInput = std::array<int16_t, 5>;

// The channel specification text of A-D input `input` (no leading blank): "3 + V", "1:12V",
// "5C", "2-TK", "4R(2W)", "7VNC" (DT800 in high-speed mode).
std::string channelSpecification(const DataTakerInput& fields, int input, DataTakerModel model,
                                 bool highSpeed);
// True when the logger answers the channel in millivolts (a voltage input, not a counter).
bool answersInMillivolts(const DataTakerInput& fields);

// DT500/DT50 contact and DT500setup, in order.
std::vector<std::string> dt500SetupCommands();
// DT800setup, in order ("/k" twice, as the logger wants it).
std::vector<std::string> dt800SetupCommands();
// One pass of SwitchDT800ToHIGHSpeed or SwitchDT800ToLOWSpeed.
std::vector<std::string> dt800SpeedCommands(bool highSpeed, bool noMainsFiltration,
                                            int16_t mainsfrequency);
// Counter preset: n + "HSC= " + start.
std::string counterPresetCommand(int input, int32_t counterstart);
// The DT800 burst command for a scope run at `interval` seconds with `scopeMax` samples.
std::string burstCommand(double interval, int32_t scopeMax, int input);

// A reading in a reply line: any plain decimal (sign, exponent, padding) with a channel-name
// prefix or a unit suffix tolerated ("1500", " -1.5E+2", "3V 1500.0 mV"); nothing when the reply
// holds no number.
std::optional<double> parseReading(std::string_view reply);

// The firmware text of a DT500/DT50 TEST0 reply: the bytes without the last two (CR LF).
std::string dt500FirmwareText(std::string_view reply);
// The DT800 STATUS1 reply without its leading "a" characters.
std::string dt800FirmwareText(std::string_view reply);
// The firmware window's form: "•  d" + text, every "F" among the first 50 characters starting a
// new line (the two characters before it become a carriage return and a tab).
std::string dt800FirmwareWindowText(std::string_view firmware);
// A self-test line as shown: a printable first character gets a blank before it, any other
// first character becomes a blank.
std::string diagnosticsLine(std::string_view line);
// True when a self-test line reports a failure (ends in "FAIL").
bool diagnosticsFailed(std::string_view line);

// Items 3 and 4 of the A-D device submenu for the model.
std::array<std::string, 2> dataTakerSubmenuItems(DataTakerModel m);

}  // namespace trindel
