// trindel-cli ports: the serial ports of this machine, with their names, paths and makers.
#include <cstdio>

#include "command_registry.h"
#include "devices/serial/port_list.h"

namespace trindel::cli {

namespace {

int listPorts() {
    const auto ports = listSerialPorts();
    if (ports.empty()) {
        std::printf(
            "No serial ports found. A path typed with --port also works (for example the "
            "pseudo-terminal trindel-devsim prints).\n");
        return 0;
    }
    std::printf("%-32s  %-40s  %s\n", "Name", "Path", "Maker");
    for (const auto& port : ports) {
        std::printf("%-32s  %-40s  %s\n", port.name.c_str(), port.path.c_str(), port.maker.c_str());
    }
    return 0;
}

CommandRegistrar reg{[](CLI::App& app, int& exitStatus) {
    CLI::App* cmd = app.add_subcommand("ports", "List the serial ports (name, path, maker)");
    cmd->callback([&exitStatus] { exitStatus = listPorts(); });
}};

}  // namespace

}  // namespace trindel::cli
