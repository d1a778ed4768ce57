// trindel-cli info: a set-up file or a recording, described as text or one JSON object.
#include "command_registry.h"
#include "info_command.h"
#include "setup_info.h"

namespace trindel::cli {

namespace {

CommandRegistrar reg{[](CLI::App& app, int& exitStatus) {
    auto* command = app.add_subcommand("info", "Describe a saved recording or set-up file");
    auto path = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    command->add_option("FILE", *path, "Recording (binary, ExpeData or text) or set-up file")
        ->required();
    command->add_flag("--json", *json, "Print one JSON object");
    command->callback([path, json, &exitStatus] {
        exitStatus =
            isSetupFile(*path) ? runSetupInfo(*path, *json) : runRecordingInfo(*path, *json);
    });
}};

}  // namespace

}  // namespace trindel::cli
