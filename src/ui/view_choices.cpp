#include "ui/view_choices.h"

#include <algorithm>
#include <cmath>

#include "text/number_text.h"

namespace trindel {

namespace {

std::string trimmed(std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
        s.pop_back();
    }
    return s;
}

std::string number(double v) {
    return trimmed(runtimeText(v));
}

const char* modeName(int mode) {
    switch (mode) {
        case 1:
            return "chart";
        case 2:
            return "oscilloscope";
        case 3:
            return "scope plus chart";
        default:
            return "none chosen";
    }
}

// A duration in seconds as the program's other duration texts show it.
std::string duration(double seconds) {
    if (seconds > 172800) {
        return number(std::round(seconds / 864) / 100) + " days";
    }
    if (seconds > 7200) {
        return number(std::round(seconds / 36) / 100) + " hr";
    }
    if (seconds > 600) {
        return number(std::round(seconds / 0.6) / 100) + " min";
    }
    return number(std::round(seconds * 1000) / 1000) + " sec";
}

}  // namespace

// ---- Rate precision ----

const std::vector<PrecisionChoice>& precisionChoices() {
    static const std::vector<PrecisionChoice> kChoices = {
        {"\xC2\xB1 5%", 0.05f},    {"\xC2\xB1 3% (default)", 0.03f}, {"\xC2\xB1 2%", 0.02f},
        {"\xC2\xB1 1%", 0.01f},    {"\xC2\xB1 0.5", 0.005f},         {"\xC2\xB1 0.3%", 0.003f},
        {"\xC2\xB1 0.2%", 0.002f}, {"\xC2\xB1 0.1%", 0.001f},
    };
    return kChoices;
}

int precisionChoice(const Program& p) {
    // The flag holds the choice counted from 1 (its button is 10 + the flag).
    const int stored = p.prefs[kPrefRatePrecision] - 1;
    const auto& choices = precisionChoices();
    if (stored >= 0 && stored < static_cast<int>(choices.size())) {
        return stored;
    }
    for (size_t k = 0; k < choices.size(); ++k) {
        if (choices[k].tolerance == p.session.SampRateError) {
            return static_cast<int>(k);
        }
    }
    return 1;
}

bool choosePrecision(Program& p, int choice) {
    const auto& choices = precisionChoices();
    if (choice < 0 || choice >= static_cast<int>(choices.size())) {
        return false;
    }
    p.session.SampRateError = choices[static_cast<size_t>(choice)].tolerance;
    p.prefs[kPrefRatePrecision] = static_cast<int16_t>(choice + 1);
    return true;
}

// ---- Status displays ----

const std::vector<DisplaySpeedChoice>& displaySpeedChoices() {
    static const std::vector<DisplaySpeedChoice> kChoices = {
        {"every scan, at any speed", 0},
        {"1/250 second or slower", 4000},
        {"1/100 second or slower (default)", 10000},
        {"1/20 second or slower", 50000},
        {"1/10 second or slower", 100000},
        {"1/2 second or slower", 500000},
        {"1 second or slower", 1000000},
        {"never (read-outs off)", -1},
    };
    return kChoices;
}

int displaySpeedChoice(const Session& s) {
    const auto& choices = displaySpeedChoices();
    if (s.Max_Display_Speed < 0) {
        return static_cast<int>(choices.size()) - 1;
    }
    for (size_t k = 0; k + 1 < choices.size(); ++k) {
        if (choices[k].microseconds >= s.Max_Display_Speed) {
            return static_cast<int>(k);
        }
    }
    return static_cast<int>(choices.size()) - 2;
}

void chooseDisplaySpeed(Session& s, int choice) {
    const auto& choices = displaySpeedChoices();
    if (choice >= 0 && choice < static_cast<int>(choices.size())) {
        s.Max_Display_Speed = choices[static_cast<size_t>(choice)].microseconds;
    }
}

std::string displaySpeedNote(const Session& s) {
    const bool shown =
        s.Max_Display_Speed >= 0 && s.Max_Display_Speed / 1e6 <= s.ChartINTERVALinSECONDS;
    return "At the present chart interval (" + number(s.ChartINTERVALinSECONDS) +
           " sec) the read-outs " +
           (shown ? std::string("follow every scan.")
                  : std::string("are switched off for sampling speed."));
}

bool chooseSigFigs(Session& s, int digits) {
    if (digits < 4 || digits > 6) {
        return false;
    }
    s.SigFigs = static_cast<int16_t>(digits);
    return true;
}

// ---- Data file info ----

std::vector<std::string> dataFileFacts(const Program& p) {
    const Session& s = p.session;
    std::vector<std::string> lines;
    const std::string name = trimmed(p.files.filestrings.dataFileName);
    lines.push_back("Data file: " + (name.empty() ? std::string("not saved yet") : name));
    lines.push_back(std::string("Recording mode: ") + modeName(s.RecordingMODE));
    lines.push_back("Channels: " + std::to_string(s.nChan));
    for (int c = 1; c <= std::clamp<int>(s.nChan, 0, kMaxChannels); ++c) {
        const std::string label = trimmed(p.channels.label(c));
        lines.push_back("   Ch." + std::to_string(c) + "  input " +
                        number(p.channels.Nvar[static_cast<size_t>(c)][kInputNumber]) + "   " +
                        (label.empty() ? std::string("(no label)") : label));
    }
    // After a run Sample is the count of samples kept.
    const int32_t recorded = std::max<int32_t>(0, s.Sample);
    lines.push_back("Samples recorded: " + std::to_string(recorded) + " of " +
                    std::to_string(s.MaxSamples) + " planned");
    lines.push_back("Chart interval: " + number(s.ChartINTERVALinSECONDS) + " sec");
    lines.push_back("Recorded time: " + duration(recorded * s.ChartINTERVALinSECONDS));
    const FileStrings& f = p.files.filestrings;
    if (!f.startDate.empty()) {
        lines.push_back("Started: " + f.startDate + " " + f.startTime);
    }
    if (!p.files.EndRecordingDate.empty()) {
        lines.push_back("Stopped: " + p.files.EndRecordingDate + " " + p.files.EndRecordingTime);
    }
    lines.push_back(std::string("Saved: ") + (recorded == 0                  ? "nothing to save"
                                              : p.prefs[kPrefDataSaved] != 0 ? "yes"
                                                                             : "no, not yet"));
    lines.push_back("Markers: " + std::to_string(p.Markers.Nmarkers) +
                    "    Notes: " + std::to_string(p.notes.NumberOfNotes));
    return lines;
}

// ---- Chart rate from the menu ----

void chartRateChosenFromMenu(Program& p) {
    const int n = std::clamp<int>(p.session.nChan, 0, kMaxChannels);
    if (p.prefs[kPrefFastScope] == 0) {
        for (int c = 1; c <= n; ++c) {
            p.channels.Nvar[static_cast<size_t>(c)][kSamplesToAverage] =
                static_cast<float>(std::max<int16_t>(1, p.chart.MaxAvrg));
        }
    }
    if (p.prefs[kPrefLastChannelContinuous] != 0 && n >= 1) {
        p.channels.Nvar[static_cast<size_t>(n)][kSamplesToAverage] = 0.0f;
    }
}

// ---- Help book ----

const std::vector<HelpPage>& helpPages() {
    static const std::vector<HelpPage> kPages = {
        {"Trindel help book.html", "Trindel Help", {"Trindel Help"}},
        {"start.html",
         "Starting Trindel",
         {"Startup Routines", "External A/D Device", "Serial Port"}},
        {"modes.html", "Modes and channels", {"Modes and Channels"}},
        {"sample_rate.html", "Choosing the sample rate", {"Sample Rate"}},
        {"channels.html",
         "Setting up channels",
         {"CHART Mode", "OSCILLOSCOPE Mode", "SCOPE plus CHART Mode", "Input Selection"}},
        {"conversions.html",
         "Conversions: from volts to units",
         {"Conversion", "Breakpoint Conversion", "Additional Options", "Channel "}},
        {"calibration.html", "Direct calibration", {"Direct Calibration", "Calibration"}},
        {"conditioning.html",
         "Averaging, spike filter and slope trends",
         {"Data Spike Filter", "Slope Trends", "Sample Averaging"}},
        {"recording.html", "Recording", {" Trindel:  Acquire Data ", "recording check"}},
        {"pause.html", "Pausing and notes", {" Acquisition Pause", "Note"}},
        {"after_run.html", "After a run", {"Chart Halted", "Scope Halted", "Possible Data Loss"}},
        {"saving.html",
         "Saving data",
         {"Save DATA File As", "Kestrine chart file", "Sable ExpeData format", "File information",
          "Caution"}},
        {"data_file_info.html", "Data file information", {"Data File Info"}},
        {"backups.html", "Timed saves and backups", {"Timed Data Saves", "Backup File Name"}},
        {"setup_files.html", "Set-up files", {"Save Setup", "Setup File"}},
        {"switching.html",
         "Switching valves and devices",
         {"Digitial Control of External Devices", "Switch Marker and Zero Options"}},
        {"devices.html",
         "A-D devices and instruments",
         {"DataTaker", "DT800", "DT500", "DT50", "ADAM", "UI2", "Serial Instruments"}},
        {"control.html",
         "Alarms, triggers, outputs and feedback",
         {"Alarm", "Trigger", "Analog Output", "Feedback", "Audible"}},
        {"replay.html", "Replay and the XY plot", {"Replay", " Interchannel Regression ", "X-Y"}},
        {"calculators.html",
         "The calculators",
         {"Simple Math", "Flow System STP Converter", "Altitude and Pressure",
          "Altitude Simulation Calculator", "Oxygen Partial Pressure", "Dissolved Oxygen",
          "Flow Rate Estimates", "Q10 Adjustment", "Closed System Respirometry", "Day of the Year",
          "Sun Cycle Calculator", "Unit Interconversions"}},
        {"screen_colors.html", "Screen colours", {"Select Chart and Scope Colors"}},
        {"plot_height.html", "Plot heights", {"Adjust Chart Height"}},
        {"chart_view.html", "Chart views and time tics", {"Chart Display Conditions"}},
        {"window_size.html", "Recording window size", {" Acquisition Window Example "}},
        {"status_displays.html", "Status displays and read-outs", {"Status Displays"}},
        {"rate_precision.html", "Sample rate precision", {"Sample Rate Precision"}},
        {"preferences.html", "Preferences and sounds", {"User Preferences", "Preferences"}},
        {"about.html", "About Trindel", {"About Trindel"}},
    };
    return kPages;
}

std::string helpPageFor(std::string_view windowTitle) {
    // The longest matching beginning wins ("Sample Rate Precision" over "Sample Rate").
    std::string best;
    size_t bestLength = 0;
    for (const HelpPage& page : helpPages()) {
        for (const char* w : page.windows) {
            const std::string_view start(w);
            if (start.size() > bestLength && windowTitle.substr(0, start.size()) == start) {
                best = page.file;
                bestLength = start.size();
            }
        }
    }
    return best;
}

std::string mailLink() {
    std::string subject;
    for (char ch : kMailSubject) {
        subject += ch == ' ' ? std::string("%20") : std::string(1, ch);
    }
    return "mailto:" + std::string(kMailAddress) + "?subject=" + subject;
}

}  // namespace trindel
