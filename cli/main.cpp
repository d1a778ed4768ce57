// trindel-cli: headless front end on the program's core.
#include <exception>
#include <iostream>
#include <new>

#include "command_registry.h"

namespace trindel::cli {

std::vector<CommandSetup>& commandSetups() {
    static std::vector<CommandSetup> setups;
    return setups;
}

}  // namespace trindel::cli

int main(int argc, char** argv) {
    CLI::App app{"Trindel command-line tool: record, describe and convert recordings"};
    app.require_subcommand(1);
    int exitStatus = 0;
    for (auto& setup : trindel::cli::commandSetups()) {
        setup(app, exitStatus);
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 1;
    } catch (const std::bad_alloc&) {
        // Whatever ran out of memory, the user gets one line and exit status 1.
        std::cerr << "trindel-cli: not enough memory\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "trindel-cli: " << e.what() << "\n";
        return 1;
    }
    return exitStatus;
}
