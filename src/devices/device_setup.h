// SetUpSerialPort: opens the port for the selected device at its speed and contacts it,
// writing progress lines to the start-up window.
#pragma once

#include <cstdint>
#include <string>

#include "devices/device_link.h"

namespace trindel {

// The speed a device's port opens at: `baudrate`, except that the DT500 always uses 4800; when
// no speed was chosen (0) the UI2 uses 9600, the DT800 57600 and the DT50 4800.
int32_t openingSpeed(int16_t External_AD, int32_t baudrate);

// Opens `path` for the selected device and contacts it (the loggers here). False with `error`
// in words when the port cannot be opened; the device's answer is checked afterwards by
// GetFirmware or shows in the readings.
bool SetUpSerialPort(DeviceLink& l, const std::string& path, std::string& error);

}  // namespace trindel
