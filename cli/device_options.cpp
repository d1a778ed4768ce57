#include "device_options.h"

#include <cstdio>

#include "devices/device_table.h"
#include "state/program.h"
#include "text/mac_roman_text.h"

namespace trindel::cli {

void addDeviceOptions(CLI::App* cmd, DeviceOptions& o) {
    cmd->add_option("--device", o.device,
                    "record from a device: dt500, dt50, dt800, adam, adc1, ui2 or stream");
    cmd->add_option("--port", o.port, "serial port of the logger (a path; see 'ports')");
    cmd->add_option("--baud", o.baud, "line speed (default: the logger's own)");
}

bool validDeviceOptions(const DeviceOptions& o, std::string& error) {
    if (o.device.empty()) {
        if (!o.port.empty() || o.baud != 0) {
            error = "--port and --baud need --device";
            return false;
        }
        return true;
    }
    if (loggerCode(o.device) == 0) {
        error = "--device must be dt500, dt50, dt800, adam, adc1, ui2 or stream";
        return false;
    }
    if (o.port.empty()) {
        error = "--device needs --port (see 'trindel-cli ports')";
        return false;
    }
    if (o.baud < 0 || o.baud > 230400) {
        error = "--baud must be 110 to 230400";
        return false;
    }
    return true;
}

bool connectDevice(Program& p, Platform& io, const DeviceOptions& o, DeviceConnection& connection,
                   std::string& error) {
    const int16_t code = loggerCode(o.device);
    p.device.External_AD = code;
    p.device.DemonstrationMODE = 0;
    p.device.baudrate = o.baud != 0 ? o.baud : deviceInfo(code).baudrate;
    p.device.ActiveSerialPort = -1;
    const auto result = connection.connect(p, io, o.port, [](const std::string& line) {
        std::fprintf(stderr, "%s\n", macRomanToUtf8(line).c_str());
    });
    if (!result.connected) {
        error = result.error.empty() ? "the logger did not answer" : result.error;
        return false;
    }
    connection.prepareRun(p, io);
    return true;
}

}  // namespace trindel::cli
