// Sending the set-up information report to a text file chosen by the user.
#pragma once

#include "display/setup_report.h"
#include "platform/host.h"

namespace trindel {

// "OK" with "Send to Text File": asks for a file ("Save setup data...") and writes the report
// there. Returns false when cancelled or when the write failed (the failure is shown).
bool PRINTSETUPToFile(Program& p, Host& host, const SetupReportOptions& options);

}  // namespace trindel
