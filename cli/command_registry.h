// Sub-commands of trindel-cli register themselves here, one file per command.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <vector>

namespace trindel::cli {

// Adds a sub-command to the app; the callback it installs sets the exit status.
using CommandSetup = std::function<void(CLI::App& app, int& exitStatus)>;

std::vector<CommandSetup>& commandSetups();

struct CommandRegistrar {
    explicit CommandRegistrar(CommandSetup setup) { commandSetups().push_back(std::move(setup)); }
};

}  // namespace trindel::cli
