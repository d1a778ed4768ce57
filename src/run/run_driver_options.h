// The after-run options window's rules (title, buttons shown, keys) and the sample-rate check
// made after each run.
#pragma once

#include <string>
#include <vector>

#include "run/scan_lateness.h"
#include "run/speed_limits.h"
#include "state/program.h"

namespace trindel {

enum OptionsButton : int {
    kOptionsNewRun = 1,
    kOptionsSave = 2,
    kOptionsDisplaySetup = 3,
    kOptionsSaveSetup = 4,
    kOptionsNewSetup = 5,
    kOptionsQuit = 6,
    kOptionsRootFileName = 7,
    kOptionsCheckAlarms = 8,
    kOptionsSequenceLabels = 9,
    kOptionsCheckSampleRate = 10,
    kOptionsQuickSave = 12,
    kOptionsHelp = 16,
    kOptionsReplay = 56,
};

// Which optional features this build has; their buttons are shown only when present.
struct OptionsFeatures {
    bool displaySetup = false;
    bool saveSetup = false;
    bool quickSave = false;
    bool replay = false;
    bool checkAlarms = false;
    bool rootFileName = false;
    bool help = false;
};

struct OptionsButtonInfo {
    int button;
    std::string label;
};

// "Chart Halted at 41 Samples": the count is nSamples - 1.
std::string optionsWindowTitle(const Program& p);

// The buttons shown, in the window's order.
std::vector<OptionsButtonInfo> optionsButtons(const Program& p, const OptionsFeatures& f);

// The button a key press chooses: r/R new run, a/A display set-up, m/M save set-up, c/C root
// file name, q/Q quit (through the unsaved-data check), any other key save.
int optionsButtonForKey(int character);

// The rate check after a run as the windows show it, with the run's scan lateness.
struct SampleRateReport {
    RateCheck check;
    RateDisplay display;
    int32_t samples = 0;
    ScanLateness lateness;
};

// The text lines of the rate window: the rate texts joined into readable lines, the measured
// interval, and the lateness figures.
std::vector<std::string> sampleRateLines(const SampleRateReport& r);

}  // namespace trindel
