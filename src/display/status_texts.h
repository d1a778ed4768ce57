// The recording window's three status texts (sample count, percentage done, time left).
#pragma once

#include <string>

#include <string_view>

#include "state/program.h"
#include "state/session.h"

namespace trindel {

// The three status texts: sample count, percentage done, time left.
struct StatusTexts {
    std::string sample, done, left;
};
StatusTexts statusTexts(const Session& s, double donefact);

// The recording window's help line: the keys that work during a run. `command` names the key the
// platform uses for the Command-key commands.
std::string helpLine(const Program& p, std::string_view command);

// The backup indicator: " backup on" while timed backups are on and none was made yet, " backup"
// with the count and a check mark after each, " no backup!" while timed backups are off.
std::string backupIndicator(const Program& p);

// The progress bar's label, and whether "100% |" stands at its right end (windows wider than 699).
struct ProgressLabel {
    std::string text;
    bool hundred = false;
};
ProgressLabel progressLabel(const Program& p);

}  // namespace trindel
