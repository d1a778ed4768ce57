// The serial ports the system offers: display name (USB product or the system's description),
// the path to open (its /dev/serial/by-id link where there is one) and the maker.
#pragma once

#include <string>
#include <vector>

namespace trindel {

struct SerialPortInfo {
    std::string name;   // display name, at most 63 characters
    std::string path;   // device path that is opened, at most 63 characters
    std::string maker;  // USB manufacturer, "" when unknown
};

inline constexpr size_t kMaxListedPorts = 12;

// Lists at most 12 ports in the system's order.
std::vector<SerialPortInfo> listSerialPorts();

}  // namespace trindel
