#include "devices/connection_alert.h"

#include "devices/device_table.h"
#include "platform/platform.h"
#include "state/program.h"

namespace trindel {

ConnectionAlertText connectionAlertText(const std::string& deviceName) {
    return {"Connection Error",
            "Caution:  " + deviceName + " not found!",
            {"To retry the connection, power down the A-D converter for a few",
             "seconds, then turn it back on and relaunch Trindel.",
             "Sometimes you may also have to disconnect and re-connect the",
             "USB to serial converter."},
            {"Proceed in DEMO Mode", "Quit Trindel"}};
}

bool ConnectionERROR(Program& p, Platform& io, const std::string& deviceName,
                     const std::string& detail) {
    io.sounds.play("bzot");
    p.device.External_AD = 0;
    p.device.DemonstrationMODE = 1;
    const ConnectionAlertText t = connectionAlertText(deviceName);
    std::string message = t.heading + "\r\r";
    for (const auto& line : t.lines) {
        message += line + "\r";
    }
    if (!detail.empty()) {
        message += "\r" + detail;
    }
    return io.host.alert(t.title, message, t.buttons) != 0;
}

std::string connectionName(int16_t External_AD) {
    switch (External_AD) {
        case 1:
            return "UI2";
        case 2:
        case 3:
            return "DataTaker";
        case 4:
            return "DT800";
        case 5:
            return "ADAM-4019";
        default:
            return std::string(deviceInfo(External_AD).portName);
    }
}

std::string notAnsweringText(const std::string& deviceName) {
    return deviceName + " is not answering: readings are stored as failed readings.";
}

}  // namespace trindel
