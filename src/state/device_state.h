// State of the chosen A-D device and its serial line.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace trindel {

struct DeviceState {
    int16_t External_AD = 0;  // 0 demonstration/built-in, 1 UI2, 2 DT500/600, 3 DT50, 4 DT800, 5
                              // ADAM, 6 ADC-1, 8 instruments
    int16_t DemonstrationMODE = 0;
    int16_t ActiveSerialPort = -1;  // -1 (65,535) none
    int32_t baudrate = 9600;
    int16_t sixteenBitBoard = 0;
    float volts = 0.0f;  // the last reading taken
    int32_t Digital_Port = 2;
    int16_t GainSet = 1;
    int16_t DT800FastAcquisitionMode = 0;
    int16_t SerialWarningBuzz = 1;
    int16_t AnimationDoneAlready = 0;
    // 17 rows of 5 shorts; word 0 of rows 1..16 starts at 1.
    std::array<std::array<int16_t, 5>, 17> DataTakerChannels{};
    std::array<int16_t, 17> GainArray{};

    int16_t hardwareADchannel = 0;        // A-D input of the channel being read
    std::array<float, 24> lastvoltage{};  // last value a reader accepted, per channel
    // Row 1: previous raw reading of each channel; row 2: the one before it.
    std::array<std::array<float, 17>, 3> lastvoltageX{};
    int16_t serialWasRead = 0;
    // The UI2's serial-instrument text of the current scan and the sample it belongs to.
    std::string lastserialstring;
    int32_t lastSample = 0;
    // Streaming instrument fields 1..16: [1] the latest value (-99999 when empty), [2] the chart
    // channel it feeds (0 none); [0] and record 0 are spare.
    std::array<std::array<float, 3>, 17> serialArray{};
    uint64_t demoSeed = 0x9E3779B97F4A7C15ull;  // state of the demonstration generator
    int16_t AD_Device_Code = 6;                 // device code written into data files
    int32_t counterstart = 0;  // value the loggers' counters start from (0 to 1,000,000)

    // --- Fields stored in set-up files ---
    std::array<int16_t, 17> ADsensorType{};  // sensor type per input 1..16

    bool operator==(const DeviceState&) const = default;
};

}  // namespace trindel
