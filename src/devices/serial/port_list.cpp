#include "devices/serial/port_list.h"

#include <libserialport.h>

#include <filesystem>
#include <system_error>

namespace trindel {

namespace {

std::string clip(std::string s) {
    if (s.size() > 63) {
        s.resize(63);
    }
    return s;
}

std::string text(const char* s) {
    return s != nullptr ? std::string(s) : std::string();
}

// The stable /dev/serial/by-id name of a device, or the device itself when there is none (the
// by-id name survives re-plugging, where /dev/ttyUSB0 may become ttyUSB1).
std::string stablePath(const std::string& device) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir("/dev/serial/by-id");
    if (!fs::is_directory(dir, ec)) {
        return device;
    }
    const fs::path target = fs::canonical(device, ec);
    if (ec) {
        return device;
    }
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::error_code ec2;
        if (fs::canonical(entry.path(), ec2) == target && !ec2) {
            return entry.path().string();
        }
    }
    return device;
}

}  // namespace

std::vector<SerialPortInfo> listSerialPorts() {
    std::vector<SerialPortInfo> ports;
    sp_port** list = nullptr;
    if (sp_list_ports(&list) != SP_OK) {
        return ports;
    }
    for (int i = 0; list[i] != nullptr && ports.size() < kMaxListedPorts; ++i) {
        sp_port* port = list[i];
        SerialPortInfo info;
        const std::string device = text(sp_get_port_name(port));
        if (device.empty()) {
            continue;
        }
        if (sp_get_port_transport(port) == SP_TRANSPORT_USB) {
            info.name = text(sp_get_port_usb_product(port));
            info.maker = text(sp_get_port_usb_manufacturer(port));
        }
        if (info.name.empty()) {
            info.name = text(sp_get_port_description(port));
        }
        if (info.name.empty()) {
            info.name = device;
        }
        info.name = clip(info.name);
        // A path is never cut short: a long by-id name gives way to the device's own name.
        info.path = stablePath(device);
        if (info.path.size() > 63) {
            info.path = device;
        }
        ports.push_back(std::move(info));
    }
    sp_free_port_list(list);
    return ports;
}

}  // namespace trindel
