// The desktop program's crash journals: where a run's journal goes, and at start-up the question
// whether to recover each journal a stopped program left behind.
#pragma once

#include <string>

#include "platform/host.h"

namespace trindel {

// "<folder>/unsaved-YYYYMMDD-HHMMSS-PID.journal" for a run starting now.
std::string newJournalPath(const std::string& folder);

// Asks, for each left-over journal in `folder`, "Recover unsaved recording from DATE (N
// samples)?"; a recovered one is saved under the name and in the format the user chooses and then
// deleted, a discarded one deleted, one put off kept for the next start. An unreadable journal is
// reported and kept unless the user deletes it. Returns the number of recordings recovered.
int offerLeftoverJournals(Host& host, const std::string& folder);

}  // namespace trindel
