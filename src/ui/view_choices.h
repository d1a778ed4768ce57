// The rules of the small Edit, View and Help windows: "Sample Rate Precision", "Status
// Displays", "Data File Info", the chart rate chosen from the menu, and the help book's pages
// with the window each page belongs to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "state/program.h"

namespace trindel {

// ---- "Sample Rate Precision" (SampleRatePRECISION) ----
struct PrecisionChoice {
    const char* text;  // UTF-8
    float tolerance;
};
// Choices 0..7: ± 5% .. ± 0.1%; choice k is button 11 + k and PrefsArray 13 holds k + 1.
const std::vector<PrecisionChoice>& precisionChoices();
// The choice shown as selected: from PrefsArray 13 (2 at start-up, "± 3% (default)"), or the one
// matching SampRateError when the flag holds no valid choice.
int precisionChoice(const Program& p);
// Stores the tolerance and the choice; false (nothing changes) for a choice outside 0..7.
bool choosePrecision(Program& p, int choice);

// ---- "Status Displays" ----
// How fast the channel read-outs may follow the scans (Max_Display_Speed, microseconds): the
// read-outs follow each scan while the chart interval is at least this; "never" switches them
// off for every run.
struct DisplaySpeedChoice {
    const char* text;
    int32_t microseconds;  // negative: never
};
const std::vector<DisplaySpeedChoice>& displaySpeedChoices();
// The choice matching Max_Display_Speed (the nearest one above it when none matches).
int displaySpeedChoice(const Session& s);
void chooseDisplaySpeed(Session& s, int choice);
// What the choice means at the chart interval now set, in words.
std::string displaySpeedNote(const Session& s);
// Significant digits of the read-outs: 4, 5 or 6; other values refused.
bool chooseSigFigs(Session& s, int digits);

// ---- "Data File Info" ----
// The facts of the recording in memory (or the last one), one line each.
std::vector<std::string> dataFileFacts(const Program& p);

// ---- "Chart Sample Rate..." from the menu ----
// After the interval dialog chose a chart interval outside the set-up window: every channel
// averages MaxAvrg samples (unless the fast scope is on), and the last channel stays continuous
// when it was set so.
void chartRateChosenFromMenu(Program& p);

// ---- Help book ----
inline constexpr std::string_view kHelpHome = "Trindel help book.html";
struct HelpPage {
    const char* file;   // page in the program's help resources
    const char* title;  // its heading
    // Window titles (their beginnings) the page explains; empty for overview pages.
    std::vector<const char*> windows;
};
const std::vector<HelpPage>& helpPages();
// The page for a window title (a page whose window title begins the title), or "" when the
// book has none.
std::string helpPageFor(std::string_view windowTitle);
// The two web items of the Help menu.
inline constexpr std::string_view kWebsiteAddress = "https://trindel.example.org/";
inline constexpr std::string_view kMailAddress = "help@trindel.example.org";
inline constexpr std::string_view kMailSubject = "Trindel question";
std::string mailLink();  // "mailto:" with the subject line

}  // namespace trindel
