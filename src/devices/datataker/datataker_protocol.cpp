#include "devices/datataker/datataker_protocol.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace trindel {

std::optional<DataTakerModel> dataTakerModel(int External_AD) {
    switch (External_AD) {
        case 2:
            return DataTakerModel::DT500;
        case 3:
            return DataTakerModel::DT50;
        case 4:
            return DataTakerModel::DT800;
        default:
            return std::nullopt;
    }
}

std::string_view modelName(DataTakerModel m) {
    switch (m) {
        case DataTakerModel::DT500:
            return "DT500";
        case DataTakerModel::DT50:
            return "DT50";
        case DataTakerModel::DT800:
            return "DT800";
    }
    return "";
}

std::string channelSpecification(const DataTakerInput& f, int input, DataTakerModel model,
                                 bool highSpeed) {
    const bool dt800 = model == DataTakerModel::DT800;
    const std::string n = std::to_string(input);
    if (f[4] != 0) {
        return n + (dt800 ? "C" : "HSC");
    }
    std::string w;
    switch (f[3]) {
        case 1:
            w = " + ";
            break;
        case 2:
            w = "-";
            break;
        case 3:
            w = "*";
            break;
        default:
            break;
    }
    std::string type;
    if (f[0] == 0) {
        type = f[2] == 2 ? "TJ" : f[2] == 3 ? "TK" : "TT";
    } else if (f[0] == 2) {
        type = "R(2W)";
    } else {
        type = dt800 && highSpeed ? "VNC" : "V";
    }
    const std::string prefix = !dt800 && input > 10 ? "1:" : "";
    return prefix + n + w + type;
}

bool answersInMillivolts(const DataTakerInput& f) {
    return f[4] == 0 && f[0] != 0 && f[0] != 2;
}

std::vector<std::string> dt500SetupCommands() {
    return {"CLEAR", "/u/n/e", "1DSO=1", "2DSO=1", "3DSO=1", "4DSO=1"};
}

std::vector<std::string> dt800SetupCommands() {
    return {"RESET",  "LOGOFF", "P11=60", "P46=80", "P60=50",  "P32=7",  "/R",     "/k",
            "/h",     "/e",     "/o",     "/k",     "/y",      "/u",     "/c",     "/n",
            "/m",     "/v",     "/z",     "1DSO=0", "2DSO=0",  "3DSO=0", "4DSO=0", "5DSO=0",
            "6DSO=0", "7DSO=0", "8DSO=0", "P47=5",  "1SSPWR=1"};
}

std::vector<std::string> dt800SpeedCommands(bool highSpeed, bool noMainsFiltration,
                                            int16_t mainsfrequency) {
    const std::string mains = mainsfrequency != 60 ? "P11=50" : "P11=60";
    if (highSpeed) {
        return {"CLEAR",  noMainsFiltration ? "P11=1000" : mains, "P46=16", "P60=100", "P57=1",
                "P58=100"};
    }
    return {"CLEAR", mains, "P46=80", "P60=50", "P57=5", "P58=10"};
}

std::string counterPresetCommand(int input, int32_t counterstart) {
    return std::to_string(input) + "HSC= " + std::to_string(counterstart);
}

std::string burstCommand(double interval, int32_t scopeMax, int input) {
    auto is = [&](double v) { return std::fabs(interval - v) < v * 1e-6; };
    int64_t count = scopeMax;
    int rate = 2000;
    if (is(0.0002)) {
        rate = 10000;
    } else if (is(0.0005)) {
        rate = 4000;
    } else if (is(0.001)) {
        rate = 2000;
    } else if (is(0.002)) {
        count = 2 * int64_t{scopeMax};
    } else if (is(0.004)) {
        count = 4 * int64_t{scopeMax};
    } else if (interval <= 0.001) {
        rate = 1000;
    } else {
        count = 8 * int64_t{scopeMax};
    }
    // The channel part is the input number written with its leading blank.
    return "RX;BURST(" + std::to_string(count) + "," + std::to_string(rate) + ") " +
           std::to_string(input) + "VNC";
}

namespace {

// The whole token as a number, or nothing.
std::optional<double> wholeNumber(std::string_view t) {
    if (!t.empty() && t.front() == '+') {
        t.remove_prefix(1);
    }
    double v = 0.0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc{} || end != t.data() + t.size() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

// A number followed only by letters (a unit written without a blank: "1500mV").
std::optional<double> numberWithUnit(std::string_view t) {
    size_t end = t.size();
    while (end > 0 && std::isalpha(static_cast<unsigned char>(t[end - 1])) != 0) {
        --end;
    }
    if (end == t.size() || end == 0) {
        return std::nullopt;
    }
    return wholeNumber(t.substr(0, end));
}

}  // namespace

std::optional<double> parseReading(std::string_view reply) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    auto separator = [](char c) {
        return c == ' ' || c == '\t' || c == '=' || c == ',' || static_cast<unsigned char>(c) < 32;
    };
    while (i < reply.size()) {
        while (i < reply.size() && separator(reply[i])) {
            ++i;
        }
        const size_t start = i;
        while (i < reply.size() && !separator(reply[i])) {
            ++i;
        }
        if (i > start) {
            tokens.push_back(reply.substr(start, i - start));
        }
    }
    // A channel name comes first and a unit last, so the last plain number is the reading.
    for (auto it = tokens.rbegin(); it != tokens.rend(); ++it) {
        if (auto v = wholeNumber(*it)) {
            return v;
        }
    }
    if (tokens.size() == 1) {
        return numberWithUnit(tokens.front());
    }
    if (tokens.size() == 2) {
        return numberWithUnit(tokens.back());
    }
    return std::nullopt;
}

std::string dt500FirmwareText(std::string_view reply) {
    return std::string(reply.substr(0, reply.size() >= 2 ? reply.size() - 2 : 0));
}

std::string dt800FirmwareText(std::string_view reply) {
    while (!reply.empty() && reply.front() == 'a') {
        reply.remove_prefix(1);
    }
    return std::string(reply);
}

std::string dt800FirmwareWindowText(std::string_view firmware) {
    std::string text = "d" + std::string(firmware);
    for (size_t i = 2; i < text.size() && i < 50; ++i) {
        if (text[i] == 'F') {
            text[i - 2] = '\r';
            text[i - 1] = '\t';
        }
    }
    return "\xA5  " + text;  // Mac Roman bullet
}

std::string diagnosticsLine(std::string_view line) {
    if (line.empty()) {
        return {};
    }
    const auto c = static_cast<unsigned char>(line.front());
    if (c >= 32 && c != 127) {
        return " " + std::string(line);
    }
    return " " + std::string(line.substr(1));
}

bool diagnosticsFailed(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return line.ends_with("FAIL");
}

std::array<std::string, 2> dataTakerSubmenuItems(DataTakerModel m) {
    return {"    Reset DataTaker", "    " + std::string(modelName(m)) + " Firmware\xC9"};
}

}  // namespace trindel
