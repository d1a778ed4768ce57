// The A-D device table: one row per device code with every fact about the device and its reader
// (the one reader registry); plus the failed-reading rule and the input warning texts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace trindel {

struct Program;
struct Platform;

// Reads one channel of the device into p.device.volts (the raw read, without the spike re-read).
// `interactive` is 1 when a failure may ask the user, 0 on the paused display. A protocol's
// reader is a plain function, called straight from its row.
using DeviceReader = void (*)(Program& p, Platform& io, int channel, int interactive);
// A reader with state of its own (a test's script, a simulator of a device), for setDeviceReader.
using DeviceReaderFunction =
    std::function<void(Program& p, Platform& io, int channel, int interactive)>;

struct DeviceInfo {
    int16_t code;
    std::string_view startName;      // name in the start window ("" when none)
    std::string_view portName;       // name in the port dialog title
    int32_t baudrate;                // default line speed
    std::string_view baudText;       // the speed as the device dialog shows it
    int16_t inputs;                  // A-D inputs
    int16_t inputsWithSecondModule;  // A-D inputs with the ADAM's second module (PrefsArray 47)
    int16_t AD_Device_Code;          // code written into data files
    float OverRangeVolts;            // magnitude at or above which a reading is over range
    float displayRange;  // a new channel's display range: -displayRange to +displayRange
    bool chartModeOnly;  // a slow device: the mode chooser offers chart recording only
    bool spikeReread;    // readings go through the spike re-read (external devices)
    bool streaming;      // values arrive on the line between scans; a scan takes the last one
    std::string_view startupTitle;
    std::string_view banner;
    DeviceReader reader;  // nullptr: no reader, a read leaves volts unchanged (code 7)
};

inline constexpr int kDeviceCodeCount = 9;  // codes 0..8

// The row of a device code; codes outside 0..8 get the row of code 7 (no device). Code 0 is the
// demonstration source, a device like any other whose reader draws values instead of reading.
const DeviceInfo& deviceInfo(int code);

// The reader registry is the table's reader column. A device protocol gives its reader in its
// row (device_table.cpp); tests and simulators install one here, replacing the row's reader
// until it is set back. An empty `reader` restores the built-in reader. Codes outside 0..8 are
// ignored.
void setDeviceReader(int code, DeviceReaderFunction reader);
// True while a reader other than the built-in one is installed for the code.
bool deviceReaderInstalled(int code);

// Installs a reader for its lifetime and then restores the one it replaced.
class ScopedDeviceReader {
  public:
    ScopedDeviceReader(int code, DeviceReaderFunction reader);
    ~ScopedDeviceReader();
    ScopedDeviceReader(const ScopedDeviceReader&) = delete;
    ScopedDeviceReader& operator=(const ScopedDeviceReader&) = delete;

  private:
    int code_;
    DeviceReader previousRow_ = nullptr;
    DeviceReaderFunction previousInstalled_;
};

// Device code stored in data files: 6 in the demonstration mode whatever External_AD says.
int16_t AD_Device_Code(int16_t External_AD, int16_t DemonstrationMODE);

// Over-range threshold for the device in use.
float OverRangeVolts(int16_t External_AD);

// Sets the number of inputs of the current device (PrefsArray 50) from External_AD and, for the
// ADAM, its second module (PrefsArray 47).
void HowManyHardwareAD(Program& p);

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
