// The connection-failure alert and the texts a user sees when a port cannot be opened or a
// device stops answering.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trindel {

struct Program;
struct Platform;

struct ConnectionAlertText {
    std::string title;  // "Connection Error"
    std::string heading;
    std::vector<std::string> lines;
    std::vector<std::string> buttons;  // "Proceed in DEMO Mode", "Quit Trindel"
};
ConnectionAlertText connectionAlertText(const std::string& deviceName);

// ConnectionERROR: plays "bzot", switches to the demonstration mode and shows the alert.
// `detail` (an open failure in words) is added below the advice when not empty. Returns true
// when the user chose "Quit Trindel" (or closed the alert).
bool ConnectionERROR(Program& p, Platform& io, const std::string& deviceName,
                     const std::string& detail = {});

// The name the alert gives a device: "UI2", "DataTaker", "DT800", "ADAM-4019", or the port-dialog
// name of any other.
std::string connectionName(int16_t External_AD);

// The status text while a device does not answer during a recording.
std::string notAnsweringText(const std::string& deviceName);

}  // namespace trindel
