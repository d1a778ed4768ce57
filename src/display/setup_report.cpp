#include "display/setup_report.h"

#include <algorithm>
#include <charconv>

#include "text/mac_roman_text.h"
#include "text/number_text.h"

namespace trindel {

namespace {

const std::string kRule(72, '_');

std::string num(double v) {
    return runtimeText(v);
}
std::string num(float v) {
    return floatText(v);
}
std::string num(int v) {
    return runtimeText(static_cast<double>(v));
}

// Times derived from a stored interval carry float noise past the seventh digit
// (0.12 / 60 s reads back as 0.0019999999); they are shown to 7 significant digits.
std::string interval(double v) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 7);
    float rounded = 0.0f;
    std::from_chars(buffer, end.ptr, rounded);
    return floatText(rounded);
}

std::string onOff(bool on) {
    return on ? "ON" : "OFF";
}

std::string converterName(const Program& p) {
    if (p.device.DemonstrationMODE != 0) {
        return "simulated ('test mode'  random number generator)";
    }
    switch (p.device.External_AD) {
        case 6:
            return "external ADC-1";
        case 2:
        case 3:
        case 4:
            return "external DataTaker";
        case 1:
            return "external Sable";
        case 5:
            return "ADAM module(s)";
        default:
            return "";
    }
}

std::string modeName(int16_t mode) {
    switch (mode) {
        case 1:
            return "Chart";
        case 2:
            return "Oscilloscope";
        case 3:
            return "Oscilloscope plus chart";
        default:
            return "";
    }
}

void chartLines(const Program& p, std::vector<std::string>& out) {
    const Session& s = p.session;
    out.push_back("chart sample interval:" + interval(s.ChartSampleInterval) + " sec; " +
                  "maximum number of samples:" + num(static_cast<double>(s.MaxSamples)));
    const float t = static_cast<float>(s.MaxSamples) * s.ChartSampleInterval;
    std::string duration;
    if (t > 3600.0f) {
        duration = interval(t / 3600.0f) + " hours";
    } else if (t > 600.0f) {
        duration = interval(t / 60.0f) + " minutes";
    } else {
        duration = interval(t) + " sec";
    }
    out.push_back("maximum chart recording time:" + duration);
}

void scopeLines(const Program& p, std::vector<std::string>& out) {
    const Session& s = p.session;
    if (s.RecordingMODE == 3) {
        out.emplace_back();
    }
    out.push_back("scope sample interval:" + interval(s.scopeinterval) + "sec       " +
                  "number of samples:" + num(static_cast<double>(s.ScopeMax)));
    out.push_back("scope screen contains:" +
                  interval(static_cast<float>(s.ScopeMax) * s.scopeinterval) + "sec");
    const float v = p.channels.Nvar[1][kDisplayMax];
    std::string range;
    switch (p.view.ScopeScale) {
        case 1:
            range = " zero to" + num(v) + "volts";
            break;
        case 2:
            range = " " + num(v) + " to zero volts";
            break;
        case 3:
            range = " " + num(-v) + " to" + num(v) + " volts";
            break;
        default:
            break;
    }
    out.push_back("Scope gain is" + num(static_cast<int>(p.view.ScopeGain)) +
                  "   Input signal range is" + range);
}

// The equation column, and whether the coefficients follow it.
std::pair<std::string, bool> equationOf(const Program& p, int c) {
    if (p.device.External_AD >= 2) {
        const auto& dt = p.device.DataTakerChannels[static_cast<size_t>(c)];
        if (dt[1] >= 1) {
            return {std::string("TC type ") + (dt[2] == 2 ? "J" : dt[2] == 3 ? "K" : "T"), true};
        }
        if (dt[4] >= 1) {
            return {"counter", true};
        }
    }
    switch (static_cast<int>(p.channels.conversionType(c))) {
        case 1:
            return {"linear", true};
        case 2:
            return {"2-way poly", true};
        case 3:
            return {"power", true};
        case 8:
            return {"log10", true};
        case 9:
            return {"reciprocal", true};
        case 5:
            return {"complex breakpoint equation", false};
        case 7:
            return {"keyboard event recorder", false};
        case 6:
            return {"3-way polynomial (coefficients below)", false};
        default:
            // Type 4 and unknown codes: the volts are shown as read.
            return {"no conversion (volts)", false};
    }
}

void channelTable(const Program& p, std::vector<std::string>& out) {
    out.push_back(kRule);
    out.push_back("\tchan.\tinput\tequation\tA-value\tB-value\tC-value\taveraged      label");
    int lastPolynomial = 0;
    const int n = std::min<int>(p.session.nChan, kMaxChannels);
    for (int c = 1; c <= n; ++c) {
        const auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        const auto [equation, withCoefficients] = equationOf(p, c);
        std::string line = "\t" + num(c) + "\t" + num(row[kInputNumber]) + "\t" + equation;
        if (withCoefficients) {
            line += "\t" + num(row[kCoeffA]) + "\t" + num(row[kCoeffB]) + "\t" + num(row[kCoeffC]);
        } else {
            line += "\t\t\t";
        }
        line += "\t" + num(row[kSamplesToAverage]) + "\t" + macRomanToUtf8(p.channels.label(c));
        out.push_back(line);
        if (static_cast<int>(p.channels.conversionType(c)) == 6) {
            lastPolynomial = c;
        }
    }
    if (lastPolynomial != 0) {
        const auto& poly = p.conversion.polyarray[static_cast<size_t>(lastPolynomial)];
        out.push_back("Three-way polynomial equation: ");
        out.push_back("input voltage conversion: V=volts *" + num(poly[6]));
        out.push_back("result= " + num(poly[5]) + "*[" + num(poly[0]) + " + " + num(poly[1]) +
                      "*V + " + num(poly[2]) + "*V^2 + " + num(poly[3]) + "*V^3 ]");
    }
}

void triggerSection(const Program& p, std::vector<std::string>& out) {
    const TriggerState& t = p.trigger;
    if (t.TriggerON == 0) {
        out.emplace_back("• Triggering is OFF");
        return;
    }
    out.push_back("• Triggering is ON, trigger channel is" + num(static_cast<int>(t.TriggerChan)) +
                  " and the trigger condition is: " + (t.TriggerMode != 0 ? "<" : ">") +
                  num(t.triggerval));
}

std::string switchingModeName(int16_t mode) {
    switch (mode) {
        case 1:
        case 2:
            return "Keyboard control";
        case 3:
        case 4:
            return "Reference at start and end";
        case 5:
        case 6:
            return "Periodic references";
        case 7:
        case 8:
            return "Keyboard control, timed reference";
        case 9:
            return "Start and end, sequential files";
        case 10:
            return "Sequential devices, one channel";
        default:
            return "";
    }
}

void switchingSection(const Program& p, std::vector<std::string>& out) {
    const int16_t mode = p.session.SwitchingMode;
    const SwitchingState& sw = p.switching;
    if (mode == 0) {
        out.emplace_back("• Device switching is OFF");
        return;
    }
    out.push_back("• Device switching is ON, reference interval is " + num(sw.refint) +
                  " min, sample interval is " + num(sw.switchint) + " min");
    const bool twoGroups = mode == 2 || mode == 4 || mode == 6 || mode == 8;
    out.push_back("     The switching mode is:   " + switchingModeName(mode) +
                  (twoGroups ? " using two device groups" : " using one device group"));
    if (twoGroups) {
        out.push_back("       The reference devices are " + num(static_cast<int>(sw.RefChan)) +
                      " (group 1) and" + num(static_cast<int>(sw.RefChan2)) + " (group 2)");
    } else {
        out.push_back("     The reference device is " + num(static_cast<int>(sw.RefChan)));
    }
    out.emplace_back("     The following channels are connected to sample devices:");
    const int n = std::min<int>(p.session.nChan, kMaxChannels);
    for (int c = 1; c <= n; ++c) {
        const float device = p.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber];
        if (!(device > 0.0f)) {
            continue;
        }
        std::string line = "         Channel" + num(c) + " is connected to device" + num(device);
        if (twoGroups) {
            line += device <= 4.0f ? " (group 1)" : " (group 2)";
        }
        out.push_back(line);
    }
}

void displaySection(const Program& p, std::vector<std::string>& out) {
    const PrefsArray& pr = p.prefs;
    out.emplace_back(" • Screen display, audible signals, data backup, alarms:");
    out.push_back("     Automatic repeat is " + onOff(pr[kPrefAutorepeat] != 0));
    out.push_back("     Custom time tics are " + onOff(p.view.CustomTic != 0.0) +
                  ";   sample beep is " + onOff(pr[kPrefBeepAtSample] != 0));
    out.push_back("     Zero lines are NOT SHOWN;    High-density grids are " +
                  onOff(pr[kPrefManyGridLines] != 0));
    out.push_back(std::string("     Grid lines are ") +
                  (pr[kPrefDashedGridLines] != 0 ? "DASHED" : "SOLID"));
    out.push_back(std::string("     Switch status is ") +
                  (pr[kPrefSwitchingStatusInPlots] != 0 ? "SHOWN" : "NOT SHOWN"));
    out.push_back(std::string("     Numeric readouts are ") +
                  (pr[kPrefLargeReadouts] != 0 ? "LARGE;   " : "NORMAL;   ") +
                  "     Slope trends are OFF");
    const char* scrolling = pr[kPrefChartViewStyle] == 1   ? "50%"
                            : pr[kPrefChartViewStyle] == 2 ? "67%"
                            : pr[kPrefChartViewStyle] == 3 ? "75%"
                                                           : "100%";
    out.push_back(std::string("     Screen scrolling is ") + scrolling);
    out.push_back("      Audible timing signals are " + onOff(p.audibleTimer.AlertSOUNDS != 0));
    if (pr[kPrefAutomaticBackup] != 0) {
        out.push_back("     Automatic data saving is ON and data are saved every" +
                      num(static_cast<double>(p.session.TimedSaveINTERVAL) / 3600.0) + " minutes");
    } else {
        out.emplace_back("     Automatic data saving is OFF");
    }
}

void alarmSection(const Program& p, std::vector<std::string>& out) {
    const int n = std::min<int>(p.session.nChan, kMaxChannels);
    bool any = false;
    for (int c = 1; c <= n; ++c) {
        any = any || p.alarm.alarms[static_cast<size_t>(c)][0] != 0.0f;
    }
    if (!any) {
        out.emplace_back("•  Alarms are NOT SET");
        return;
    }
    out.emplace_back("•  Alarms are ACTIVATED for the following channel(s) and conditions:");
    for (int c = 1; c <= n; ++c) {
        const auto& r = p.alarm.alarms[static_cast<size_t>(c)];
        if (r[0] == 0.0f) {
            continue;
        }
        std::string line;
        const auto lead = [&]() {
            if (line.empty()) {
                line = "     channel" + num(c);
            }
        };
        if (r[1] != 0.0f) {
            lead();
            line += "   less than" + num(r[4]);
        }
        if (r[2] != 0.0f) {
            lead();
            line += "   more than" + num(r[5]);
        }
        if (r[3] != 0.0f) {
            lead();
            line += "   OVERRANGE";
        }
        if (!line.empty()) {
            out.push_back(line);
        }
    }
}

}  // namespace

std::vector<std::string> setupReportLines(const Program& p, const SetupReportOptions& options,
                                          const std::string& date) {
    std::vector<std::string> out;
    const int16_t mode = p.session.RecordingMODE;
    out.push_back("Trindel " + modeName(mode) + " mode  (" + date + ")");
    if (!p.session.SetupFileName.empty()) {
        out.push_back("              setup file :  '" + p.session.SetupFileName + "'");
    }
    out.push_back(kRule);
    out.emplace_back("•  Data Acquisition Parameters");
    out.push_back("A/D converter: " + converterName(p));
    if (mode == 1 || mode == 3) {
        chartLines(p, out);
    }
    if (mode == 2 || mode == 3) {
        scopeLines(p, out);
    }
    channelTable(p, out);
    out.push_back(kRule);
    if (options.showTrigger) {
        triggerSection(p, out);
    }
    if (options.showSwitching) {
        switchingSection(p, out);
    }
    if (options.showDisplay) {
        displaySection(p, out);
    }
    if (options.showAlarms) {
        alarmSection(p, out);
    }
    return out;
}

std::string setupReportText(const Program& p, const SetupReportOptions& options,
                            const std::string& date, const std::string& lineEnd) {
    std::string text;
    for (const std::string& line : setupReportLines(p, options, date)) {
        text += line;
        text += lineEnd;
    }
    return text;
}

std::string reportDate(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%m/%d/%y", &local);
    return buffer;
}

void takeReportVmax(Program& p) {
    p.view.Vmax = p.channels.Nvar[1][kDisplayMax];
}

}  // namespace trindel
