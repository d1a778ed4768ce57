// `trindel-cli report SETUPFILE`: the set-up information report of a set-up file, as text.
#include <ctime>
#include <fstream>
#include <iostream>

#include "command_registry.h"
#include "display/setup_report.h"
#include "files/atomic_file.h"
#include "files/setup_file.h"
#include "state/program.h"

namespace trindel::cli {

namespace {

struct ReportArguments {
    std::string setupFile;
    std::string output;
    bool noTrigger = false, noSwitching = false, noDisplay = false, noAlarms = false;
};

int runReport(const ReportArguments& args) {
    Program p;
    SetInitialVariableValues(p, ScreenSize{});
    // The command-line tool reads the demonstration source.
    p.device.DemonstrationMODE = 1;
    const SetupLoadResult result = loadSetupFile(p, args.setupFile);
    if (!result.ok) {
        std::cerr << "trindel-cli: " << result.error << "\n";
        return 1;
    }
    if (p.session.RecordingMODE != 1) {
        takeReportVmax(p);
    }
    SetupReportOptions options;
    options.showTrigger = !args.noTrigger;
    options.showSwitching = !args.noSwitching;
    options.showDisplay = !args.noDisplay;
    options.showAlarms = !args.noAlarms;
    const std::string date = reportDate(std::time(nullptr));
    if (args.output.empty()) {
        // On a terminal the lines end as the terminal expects; a report file keeps its own ends.
        std::cout << setupReportText(p, options, date, "\n");
        return 0;
    }
    const std::string text = setupReportText(p, options, date);
    const std::string error = writeFileAtomically(args.output, text).error;
    if (!error.empty()) {
        std::cerr << "trindel-cli: " << error << "\n";
        return 1;
    }
    return 0;
}

const CommandRegistrar registrar{[](CLI::App& app, int& exitStatus) {
    auto args = std::make_shared<ReportArguments>();
    CLI::App* cmd =
        app.add_subcommand("report", "Write the set-up information report of a set-up file");
    cmd->add_option("SETUPFILE", args->setupFile, "set-up file")->required();
    cmd->add_flag("--no-trigger", args->noTrigger, "leave out the trigger settings");
    cmd->add_flag("--no-switching", args->noSwitching, "leave out the switching settings");
    cmd->add_flag("--no-display", args->noDisplay, "leave out the display settings");
    cmd->add_flag("--no-alarms", args->noAlarms, "leave out the alarm settings");
    cmd->add_option("-o,--output", args->output,
                    "write the report to this file (lines end with a carriage return)");
    cmd->callback([args, &exitStatus]() { exitStatus = runReport(*args); });
}};

}  // namespace

}  // namespace trindel::cli
