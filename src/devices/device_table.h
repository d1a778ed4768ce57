// The A-D device table: one row per device code with its names, line speed, inputs, data-file
// code, over-range threshold and reader; plus the out-of-range input warning texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trindel {

struct Program;
struct Platform;

// Reads one channel of the device into p.device.volts (the raw read, without the spike re-read).
using DeviceReader = void (*)(Program& p, Platform& io, int channel, int interactive);

struct DeviceInfo {
    int16_t code;
    std::string_view startName;  // name in the start window ("" when none)
    std::string_view portName;   // name in the port dialog title
    int32_t baudrate;            // default line speed
    std::string_view baudText;   // the speed as the device dialog shows it
    int16_t inputs;              // A-D inputs (the ADAM's second module is added by the caller)
    int16_t AD_Device_Code;      // code written into data files
    float OverRangeVolts;        // magnitude at or above which a reading is over range
    std::string_view startupTitle;
    std::string_view banner;
    DeviceReader reader;  // nullptr: no reader (code 0 and 7)
};

inline constexpr int kDeviceCodeCount = 9;  // codes 0..8

// The row of a device code; codes outside 0..8 get the row of code 7 (no device).
const DeviceInfo& deviceInfo(int code);

// Device code stored in data files: 6 in the demonstration mode whatever External_AD says.
int16_t AD_Device_Code(int16_t External_AD, int16_t DemonstrationMODE);

// Over-range threshold for the device in use.
float OverRangeVolts(int16_t External_AD);

// A failed reading: volts becomes -99999.0, or the channel's last good value when PrefsArray 18
// is 1 and Sample > 1; "ALARMbuzz" plays when the serial fault warning is on.
void setFailedReading(Program& p, Platform& io, int channel, float lastGood);
inline constexpr float kBadReading = -99999.0f;

// The texts of the out-of-range input warning for `count` channels beyond `inputs` inputs.
struct InputWarningText {
    std::string title;
    std::string lines[3];
    std::string button;
};
InputWarningText ADinputWarningText(int count, int inputs);

// Number of channels 1..nChan whose A-D input number exceeds the device's inputs.
int countInputsOutOfRange(const Program& p);

// Shows the warning through the host (with "bzot") when `count` is not 0.
void ADinputWarning(Program& p, Platform& io, int count);

}  // namespace trindel
