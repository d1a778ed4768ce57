#include "run/print_setup.h"

#include <ctime>
#include <string>

#include "files/atomic_file.h"

namespace trindel {

bool PRINTSETUPToFile(Program& p, Host& host, const SetupReportOptions& options) {
    const auto chosen = host.askSaveFile("Save setup data...", "Setup data.txt");
    if (!chosen || chosen->empty()) {
        return false;
    }
    if (p.session.RecordingMODE != 1) {
        takeReportVmax(p);
    }
    const std::string text = setupReportText(p, options, reportDate(std::time(nullptr)));
    const std::string error = writeFileAtomically(*chosen, text).error;
    if (!error.empty()) {
        host.alert("File error", error, {"OK"});
        return false;
    }
    return true;
}

}  // namespace trindel
