// The logger options of trindel-cli record (--device, --port, --baud) and the contact with the
// logger before the recording starts.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "run/device_connection.h"
#include "state/program.h"

namespace trindel::cli {

struct DeviceOptions {
    std::string device;  // "" for the demonstration source
    std::string port;
    int32_t baud = 0;  // 0: the device's own speed
};

void addDeviceOptions(CLI::App* cmd, DeviceOptions& o);
// Checks the options; false with `error` when they do not fit together.
bool validDeviceOptions(const DeviceOptions& o, std::string& error);
// Selects the logger, opens the port, contacts it and prepares the run. False with `error`.
bool connectDevice(Program& p, Platform& io, const DeviceOptions& o, DeviceConnection& connection,
                   std::string& error);

}  // namespace trindel::cli
