// The set-up information report (PRINTSETUP): a plain-text description of the present set-up,
// for the printer or a text file.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "state/program.h"

namespace trindel {

// The check boxes of the "Setup Information" dialog ("Options...").
struct SetupReportOptions {
    bool showTrigger = true;
    bool showSwitching = true;
    bool showDisplay = true;
    bool showAlarms = true;
};

// The report's lines, without line ends. Labels are converted from Mac Roman to UTF-8.
// `date` is "MM/dd/yy".
std::vector<std::string> setupReportLines(const Program& p, const SetupReportOptions& options,
                                          const std::string& date);

// The lines joined, each ended by `lineEnd` (a carriage return in report files).
std::string setupReportText(const Program& p, const SetupReportOptions& options,
                            const std::string& date, const std::string& lineEnd = "\r");

// "MM/dd/yy" of a time, in local time.
std::string reportDate(std::time_t when);

// The scope range the report shows is channel 1's display maximum; it becomes Vmax.
void takeReportVmax(Program& p);

}  // namespace trindel
