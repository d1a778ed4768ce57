// Describes a set-up file: mode, channels, intervals, switching, trigger, alarms, spike ratios.
#include "setup_info.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>

#include "display/setup_report.h"
#include "files/setup_file.h"
#include "json_text.h"
#include "state/program.h"
#include "text/mac_roman_text.h"
#include "text/number_text.h"

namespace trindel::cli {

namespace {

std::string trimmed(std::string text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// An interval to 7 significant digits: the seconds derived from the stored value carry float
// noise beyond them.
std::string seconds(double v) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 7);
    return std::string(buffer, end.ptr);
}

std::string number(float v) {
    return trimmed(floatText(v));
}

std::string jsonNumber(float v) {
    return std::isfinite(v) ? number(v) : "null";
}

const char* modeName(int16_t mode) {
    switch (mode) {
        case 1:
            return "chart";
        case 2:
            return "scope";
        default:
            return "scope plus chart";
    }
}

const char* conversionName(float code) {
    switch (static_cast<int>(code)) {
        case 1:
            return "linear";
        case 2:
            return "quadratic";
        case 3:
            return "power";
        case 4:
            return "none";
        case 5:
            return "breakpoint";
        case 6:
            return "three-way polynomial";
        case 7:
            return "keyboard level";
        case 8:
            return "logarithmic";
        case 9:
            return "reciprocal";
        default:
            return "unknown";
    }
}

std::string rightTrimmed(const std::string& text) {
    const size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

void describeText(const Program& p, std::ostream& out) {
    const Session& s = p.session;
    out << "Set-up file: " << s.SetupFileName << "\n";
    out << "Recording mode: " << s.RecordingMODE << " (" << modeName(s.RecordingMODE) << ")\n";
    out << "Chart interval: " << seconds(s.ChartINTERVALinSECONDS) << " s\n";
    out << "Scope interval: " << seconds(s.ScopeINTERVALinSECONDS) << " s\n";
    out << "MaxSamples: " << s.MaxSamples << "\n";
    out << "ScopeMax: " << s.ScopeMax << "\n";
    out << "Channels: " << s.nChan << "\n";
    for (int c = 1; c <= s.nChan; ++c) {
        const auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        out << "  " << c << ": input " << number(row[kInputNumber]) << ", "
            << conversionName(p.channels.conversionType(c)) << " a=" << number(row[kCoeffA])
            << " b=" << number(row[kCoeffB]) << " c=" << number(row[kCoeffC]) << ", range "
            << number(row[kDisplayMin]) << " to " << number(row[kDisplayMax]) << ", averaged "
            << number(row[kSamplesToAverage]) << ", spike ratio "
            << number(p.conversion.SpikeFilterArray[static_cast<size_t>(c)]) << ", label \""
            << macRomanToUtf8(rightTrimmed(p.channels.label(c))) << "\"\n";
    }
    const SwitchingState& sw = p.switching;
    if (s.SwitchingMode == 0) {
        out << "Switching: off\n";
    } else {
        out << "Switching: mode " << s.SwitchingMode << ", reference device " << sw.RefChan;
        if (sw.nGroups == 2) {
            out << " and " << sw.RefChan2;
        }
        out << ", reference interval " << number(sw.refint) << " min, sample interval "
            << number(sw.switchint) << " min\n";
        for (int c = 1; c <= s.nChan; ++c) {
            const float device = p.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber];
            if (device > 0.0f) {
                out << "  channel " << c << " on device " << number(device) << "\n";
            }
        }
    }
    const TriggerState& t = p.trigger;
    if (t.TriggerON == 0) {
        out << "Trigger: off\n";
    } else {
        out << "Trigger: channel " << t.TriggerChan << (t.TriggerMode != 0 ? " below " : " above ")
            << number(t.triggerval) << "\n";
    }
    bool anyAlarm = false;
    for (int c = 1; c <= s.nChan; ++c) {
        const auto& r = p.alarm.alarms[static_cast<size_t>(c)];
        if (r[0] == 0.0f) {
            continue;
        }
        anyAlarm = true;
        out << "Alarm: channel " << c;
        if (r[1] != 0.0f)
            out << ", at or below " << number(r[4]);
        if (r[2] != 0.0f)
            out << ", at or above " << number(r[5]);
        if (r[3] != 0.0f)
            out << ", overrange";
        out << "\n";
    }
    if (!anyAlarm) {
        out << "Alarms: none\n";
    }
}

void describeJson(const Program& p, std::ostream& out) {
    const Session& s = p.session;
    out << "{\n";
    out << "  \"file\": " << jsonString(s.SetupFileName) << ",\n";
    out << "  \"recordingMode\": " << s.RecordingMODE << ",\n";
    out << "  \"recordingModeName\": " << jsonString(modeName(s.RecordingMODE)) << ",\n";
    out << "  \"chartIntervalSeconds\": " << seconds(s.ChartINTERVALinSECONDS) << ",\n";
    out << "  \"scopeIntervalSeconds\": " << seconds(s.ScopeINTERVALinSECONDS) << ",\n";
    out << "  \"MaxSamples\": " << s.MaxSamples << ",\n";
    out << "  \"ScopeMax\": " << s.ScopeMax << ",\n";
    out << "  \"channels\": [";
    for (int c = 1; c <= s.nChan; ++c) {
        const auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        out << (c == 1 ? "\n" : ",\n") << "    {\"channel\": " << c
            << ", \"input\": " << jsonNumber(row[kInputNumber])
            << ", \"conversion\": " << jsonString(conversionName(p.channels.conversionType(c)))
            << ", \"conversionType\": " << jsonNumber(p.channels.conversionType(c))
            << ", \"a\": " << jsonNumber(row[kCoeffA]) << ", \"b\": " << jsonNumber(row[kCoeffB])
            << ", \"c\": " << jsonNumber(row[kCoeffC])
            << ", \"displayMin\": " << jsonNumber(row[kDisplayMin])
            << ", \"displayMax\": " << jsonNumber(row[kDisplayMax])
            << ", \"averaged\": " << jsonNumber(row[kSamplesToAverage])
            << ", \"device\": " << jsonNumber(row[kDeviceNumber]) << ", \"spikeRatio\": "
            << jsonNumber(p.conversion.SpikeFilterArray[static_cast<size_t>(c)])
            << ", \"label\": " << jsonString(macRomanToUtf8(rightTrimmed(p.channels.label(c))))
            << "}";
    }
    out << "\n  ],\n";
    const SwitchingState& sw = p.switching;
    out << "  \"switching\": {\"mode\": " << s.SwitchingMode << ", \"RefChan\": " << sw.RefChan
        << ", \"RefChan2\": " << sw.RefChan2 << ", \"refint\": " << jsonNumber(sw.refint)
        << ", \"switchint\": " << jsonNumber(sw.switchint) << "},\n";
    const TriggerState& t = p.trigger;
    out << "  \"trigger\": {\"on\": " << (t.TriggerON != 0 ? "true" : "false")
        << ", \"channel\": " << t.TriggerChan << ", \"mode\": " << t.TriggerMode
        << ", \"level\": " << jsonNumber(t.triggerval) << "},\n";
    out << "  \"alarms\": [";
    bool first = true;
    for (int c = 1; c <= s.nChan; ++c) {
        const auto& r = p.alarm.alarms[static_cast<size_t>(c)];
        if (r[0] == 0.0f) {
            continue;
        }
        out << (first ? "\n" : ",\n") << "    {\"channel\": " << c
            << ", \"low\": " << (r[1] != 0.0f ? "true" : "false")
            << ", \"high\": " << (r[2] != 0.0f ? "true" : "false")
            << ", \"overrange\": " << (r[3] != 0.0f ? "true" : "false")
            << ", \"lowLimit\": " << jsonNumber(r[4]) << ", \"highLimit\": " << jsonNumber(r[5])
            << "}";
        first = false;
    }
    out << (first ? "]\n" : "\n  ]\n");
    out << "}\n";
}

}  // namespace

bool isSetupFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    uint8_t head[40] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    return looksLikeSetupFile({head, static_cast<size_t>(in.gcount())});
}

int runSetupInfo(const std::string& path, bool json) {
    Program p;
    SetInitialVariableValues(p, ScreenSize{});
    const SetupLoadResult result = loadSetupFile(p, path);
    if (!result.ok) {
        std::cerr << "trindel-cli: " << result.error << "\n";
        return 1;
    }
    if (json) {
        describeJson(p, std::cout);
    } else {
        describeText(p, std::cout);
    }
    return 0;
}

}  // namespace trindel::cli
