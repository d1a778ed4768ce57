#include "devices/serial/port_dialog.h"

#include <algorithm>

#include "devices/device_table.h"
#include "devices/serial/serial_speed.h"
#include "state/program.h"

namespace trindel {

namespace {

bool startsWith(const std::string& s, std::string_view prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

constexpr int kBaseHeight = 300;

}  // namespace

PortDialogModel::PortDialogModel(Program& p, std::vector<SerialPortInfo> ports)
    : p_(p), ports_(std::move(ports)), deviceBefore_(p.device.External_AD) {
    if (ports_.size() > kMaxListedPorts) {
        ports_.resize(kMaxListedPorts);
    }
    DeviceState& d = p_.device;
    if (d.External_AD == 1) {
        d.baudrate = 115200;
    }
    int provisional = 0;
    int usa = 0;
    for (size_t i = 0; i < ports_.size(); ++i) {
        const std::string& name = ports_[i].name;
        const int number = static_cast<int>(i) + 1;
        if (startsWith(name, "Bluetooth") || startsWith(name, "Modem") ||
            startsWith(name, "modem")) {
            continue;
        }
        listed_.push_back(number);
        provisional = number;
        if (startsWith(name, "KeySerial")) {
            preferred_ = number;
        } else if (usa == 0 && startsWith(name, "USA19H")) {
            usa = number;
        }
    }
    if (preferred_ == 0) {
        preferred_ = usa;
    }
    if (listed_.empty()) {
        d.ActiveSerialPort = 0;
        d.DemonstrationMODE = 1;
        if (d.External_AD != 8) {
            d.External_AD = 0;
        }
        return;
    }
    d.ActiveSerialPort = static_cast<int16_t>(-provisional);
    if (p_.prefs[kPrefAutoSelectPort] != 0) {
        // Without a preferred port the last listed one serves: asking for automatic selection
        // means the user wants a port rather than none.
        d.ActiveSerialPort = static_cast<int16_t>(-(preferred_ != 0 ? preferred_ : provisional));
        skip_ = true;
        outcome_ = Outcome::Chosen;
    }
}

std::string PortDialogModel::title() const {
    return "Serial Port Selection:  " + std::string(deviceInfo(deviceBefore_).portName);
}

int PortDialogModel::height() const {
    const int n = static_cast<int>(ports_.size());
    return kBaseHeight + 20 * std::max(0, n - 4);
}

std::vector<std::string> PortDialogModel::headingLines() const {
    if (!noPorts()) {
        return {"Available serial ports:"};
    }
    return {"No appropriate ports found!",
            "\xA5  click  'use DEMO mode'  to continue with a",
            "simulated A-D converter, ",
            " OR...",
            "\xA5  click  'quit'  to check connections, then",
            "relaunch Trindel to try again"};
}

std::string PortDialogModel::openingSound() const {
    if (!noPorts()) {
        return {};
    }
    return p_.menus.Sound_Is_On != 0 ? "bzot" : "AlarmBUZZ";
}

std::vector<std::string> PortDialogModel::baudHelpLines() {
    return {"Be sure to match the baud rates", "of the computer and A-D converter."};
}

std::vector<int32_t> PortDialogModel::baudItems() const {
    const auto speeds = portDialogSpeeds();
    return {speeds.begin(), speeds.end()};
}

int PortDialogModel::baudIndex() const {
    const auto items = baudItems();
    const auto it = std::find(items.begin(), items.end(), p_.device.baudrate);
    return it == items.end() ? static_cast<int>(items.size()) - 1
                             : static_cast<int>(it - items.begin());
}

void PortDialogModel::chooseBaud(int index) {
    const auto items = baudItems();
    if (index >= 0 && index < static_cast<int>(items.size())) {
        p_.device.baudrate = items[static_cast<size_t>(index)];
    }
}

void PortDialogModel::choosePort(int number) {
    if (std::find(listed_.begin(), listed_.end(), number) != listed_.end()) {
        p_.device.ActiveSerialPort = static_cast<int16_t>(-number);
    }
}

int PortDialogModel::chosenPort() const {
    const int k = p_.device.ActiveSerialPort;
    return k < 0 ? -k : k;
}

std::string PortDialogModel::chosenPath() const {
    if (!typed_.empty()) {
        return typed_;
    }
    const int k = chosenPort();
    if (k < 1 || k > static_cast<int>(ports_.size())) {
        return {};
    }
    return ports_[static_cast<size_t>(k - 1)].path;
}

void PortDialogModel::selectionOK() {
    if (!canConfirm()) {
        return;
    }
    p_.prefs[kPrefSkipDeviceChooser] = 1;
    if (noPorts()) {
        // A typed path brings back the device the no-port form had set aside.
        p_.device.External_AD = deviceBefore_;
        p_.device.DemonstrationMODE = 0;
        p_.device.ActiveSerialPort = -1;
    }
    outcome_ = Outcome::Chosen;
}

void PortDialogModel::useDemoMode() {
    p_.prefs[kPrefSkipDeviceChooser] = 0;
    p_.device.ActiveSerialPort = 0;
    p_.device.DemonstrationMODE = 1;
    p_.device.External_AD = 0;
    outcome_ = Outcome::Demonstration;
}

}  // namespace trindel
