// What a device's exchanges need: the program state, the machine, the open port, and where the
// progress lines and small status windows of the start-up and device menus go.
#pragma once

#include <functional>
#include <string>

#include "devices/serial/serial_port.h"
#include "platform/platform.h"

namespace trindel {

struct Program;

struct DeviceLink {
    Program& p;
    Platform& io;
    SerialPort& port;
    // A progress line for the start-up window (or the firmware window).
    std::function<void(const std::string& line)> progress = [](const std::string&) {};
    // A small status window: shown (or updated) with a title and text; an empty title closes it.
    std::function<void(const std::string& title, const std::string& text)> status =
        [](const std::string&, const std::string&) {};

    bool soundsOn() const;
    void play(std::string_view sound) const;
};

}  // namespace trindel
