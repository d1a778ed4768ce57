#include "run/run_driver_options.h"

#include <algorithm>
#include <cmath>

#include "control/alarm_setup.h"
#include "text/number_text.h"

namespace trindel {

namespace {

std::string millis(double seconds) {
    return pictureText(seconds * 1000.0, "#.###") + " ms";
}

}  // namespace

std::string optionsWindowTitle(const Program& p) {
    if (p.session.RecordingMODE == 2) {
        return "Oscilloscope Acquisition Halted";
    }
    const int32_t n = p.session.Sample;  // the samples kept, after the run's end
    return "Chart Halted at" + std::string(n >= 0 ? " " : "") + std::to_string(n) + " Samples";
}

std::vector<OptionsButtonInfo> optionsButtons(const Program& p, const OptionsFeatures& f) {
    const bool chart = p.session.RecordingMODE != 2;
    std::vector<OptionsButtonInfo> b = {{kOptionsNewRun, "New Run, Same Setup   ('R')"},
                                        {kOptionsSave, "Save Data...   (any key)"}};
    if (f.quickSave) {
        b.push_back({kOptionsQuickSave, "Quick Save"});
    }
    if (f.displaySetup) {
        b.push_back({kOptionsDisplaySetup, "Change Display Setup...   ('A')"});
    }
    if (f.saveSetup) {
        b.push_back({kOptionsSaveSetup, "Save Setup...   ('M')"});
    }
    b.push_back({kOptionsNewSetup, "New Setup"});
    b.push_back({kOptionsQuit, "Quit   ('Q')"});
    const bool autorepeat = p.prefs[kPrefAutorepeat] != 0;
    if (f.rootFileName && (!chart || p.session.RecordingMODE == 3 || autorepeat)) {
        b.push_back({kOptionsRootFileName,
                     std::string(p.session.RecordingMODE == 1 ? "Change Chart" : "Change Scope") +
                         " Root File Name\xC9       ('C')"});
    }
    if (f.checkAlarms && anyAlarmFired(p.alarm)) {
        b.push_back({kOptionsCheckAlarms, "Check Alarms\xC9"});
    }
    b.push_back({kOptionsCheckSampleRate, "Check Sample Rate"});
    if (f.replay && p.session.RecordingMODE == 1) {
        b.push_back({kOptionsReplay, "Replay Data"});
    }
    if (f.help) {
        b.push_back({kOptionsHelp, "?"});
    }
    return b;
}

int optionsButtonForKey(int character) {
    switch (character) {
        case 'r':
        case 'R':
            return kOptionsNewRun;
        case 'a':
        case 'A':
            return kOptionsDisplaySetup;
        case 'm':
        case 'M':
            return kOptionsSaveSetup;
        case 'c':
        case 'C':
            return kOptionsRootFileName;
        case 'q':
        case 'Q':
            return kOptionsQuit;
        default:
            return kOptionsSave;
    }
}

std::vector<std::string> sampleRateLines(const SampleRateReport& r) {
    std::vector<std::string> lines;
    const RateDisplay& d = r.display;
    if (d.shown) {
        lines.push_back(d.heading);
    }
    std::vector<std::string> rest = d.lines;
    if (d.barEnd > 0 && rest.size() >= 6) {
        // "measured rate is" n "% of requested", then the bar's scale "0%" "50%" "100%".
        lines.push_back(rest[0] + " " + rest[1] + rest[2]);
        rest.erase(rest.begin(), rest.begin() + 6);
    } else if (!rest.empty() && rest[0] == "requested" && rest.size() >= 2) {
        lines.push_back(rest[0] + " " + rest[1]);
        rest.erase(rest.begin(), rest.begin() + 2);
    }
    lines.insert(lines.end(), rest.begin(), rest.end());
    if (r.samples >= 2 && r.check.measured > 0) {
        lines.push_back("measured interval: " + runtimeText(r.check.measured) + " sec");
    }
    if (r.lateness.known()) {
        lines.push_back("scan lateness: median " + millis(r.lateness.p50) + ", 99% " +
                        millis(r.lateness.p99) + ", max " + millis(r.lateness.max));
    }
    return lines;
}

}  // namespace trindel
