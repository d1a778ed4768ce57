#include "datataker_sim.h"

#include <algorithm>
#include <cstdio>
#include <regex>

namespace devsim {

std::string loggerNumber(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", value);
    return buf;
}

namespace {

const char* const kTests500[] = {
    "ROM checksum", "RAM",          "Clock",      "EEPROM",   "Serial port", "Network",
    "Card",         "Relay matrix", "ADC zero",   "ADC gain", "Reference",   "Excitation",
    "Counter",      "Digital I/O",  "Analog out", "Power",    "Battery"};
const char* const kTests800[] = {"ROM",      "RAM",         "Clock", "Flash",     "Host port",
                                 "Ethernet", "USB",         "ADC",   "Reference", "Excitation",
                                 "Counter",  "Digital I/O", "Power", "Battery"};

}  // namespace

std::string DataTakerSim::powerUp() {
    echo_ = units_ = names_ = true;
    return {};
}

std::string DataTakerSim::reading(const std::string& spec) {
    static const std::regex kChannel(
        R"(^(1:)?([0-9]{1,2})( \+ |-|\*)?(VNC|V|HSC|C|TJ|TK|TT|R\(2W\))$)");
    std::smatch m;
    if (!std::regex_match(spec, m, kChannel)) {
        return {};
    }
    const int input = std::stoi(m[2]);  // "1:" names the expansion module, not a new number
    const std::string type = m[4];
    const bool counter = type == "HSC" || type == "C";
    if (counter != (model_ == Model::DT800 ? type == "C" : type == "HSC")) {
        return {};  // the other model's counter spelling
    }
    if (type == "VNC" && model_ != Model::DT800) {
        return {};
    }
    double value = 0.0;
    std::string unit;
    if (counter) {
        const long n = counterReads_[input]++;
        value = static_cast<double>(counterStart_[input]) + values_.next(input, double(n));
        unit = " Counts";
    } else if (type[0] == 'T') {
        value = values_.next(input, 20.0 + input / 10.0);
        unit = " degC";
    } else if (type[0] == 'R') {
        value = values_.next(input, 100.0 * input);
        unit = " Ohm";
    } else {
        value = values_.next(input, 100.0 * input);
        unit = " mV";
    }
    lastWasReading_ = true;
    std::string text = counter ? std::to_string(static_cast<long>(value)) : loggerNumber(value);
    if (names_) {
        text = spec + " " + text;
    }
    if (units_) {
        text += unit;
    }
    return line(text);
}

std::string DataTakerSim::handle(const std::string& raw) {
    lastWasReading_ = false;
    lastBurstSeconds_ = -1.0;
    std::string out = echo_ ? line(raw) : std::string();
    std::smatch m;
    static const std::regex kSwitches(R"(^(/[A-Za-z])+$)");
    static const std::regex kParameter(R"(^P[0-9]{1,2}=[0-9]+$)");
    static const std::regex kOutput(R"(^[1-8](DSO|SSPWR)=[01]$)");
    static const std::regex kPreset(R"(^([0-9]{1,2})HSC= ?([0-9]+)$)");
    static const std::regex kTest(R"(^TEST([0-9]{1,2})$)");
    static const std::regex kBurst(R"(^RX;BURST\(([0-9]+),([0-9]+)\) ?([0-9]{1,2})VNC$)");
    static const std::regex kHostSpeed(R"(^PH=([0-9]+)$)");
    if (std::regex_match(raw, kSwitches)) {
        for (size_t i = 1; i < raw.size(); i += 2) {
            const char c = raw[i];
            const bool on = c >= 'A' && c <= 'Z';
            switch (c | 0x20) {
                case 'e':
                    echo_ = on;
                    break;
                case 'u':
                    units_ = on;
                    break;
                case 'n':
                    names_ = on;
                    break;
                default:
                    break;  // the other switches change nothing we answer with
            }
        }
        return out;
    }
    if (raw == "RESET" || raw == "SINGLEPUSH") {
        return powerUp();
    }
    if (raw == "CLEAR" || raw == "LOGOFF" || raw == "U" || raw.empty() ||
        std::regex_match(raw, kParameter) || std::regex_match(raw, kOutput)) {
        return out;
    }
    if (std::regex_match(raw, m, kHostSpeed)) {
        hostSpeed_ = std::stol(m[1]);
        return out;
    }
    if (std::regex_match(raw, m, kPreset) && model_ != Model::DT800) {
        counterStart_[std::stoi(m[1])] = std::stol(m[2]);
        counterReads_[std::stoi(m[1])] = 0;
        return out;
    }
    if (std::regex_match(raw, m, kTest)) {
        const int k = std::stoi(m[1]);
        if (k == 0 && model_ != Model::DT800) {
            return out + line(model_ == Model::DT500 ? "DT500 V4.02 ROM 2A7F OK"
                                                     : "DT50 V2.11 ROM 1C22 OK");
        }
        const int count = model_ == Model::DT800 ? 14 : 17;
        if (k >= 1 && k <= count) {
            const char* name = model_ == Model::DT800 ? kTests800[k - 1] : kTests500[k - 1];
            char buf[80];
            std::snprintf(buf, sizeof buf, "%-16s PASS", name);
            return out + line(buf);
        }
    }
    if (raw == "STATUS1" && model_ == Model::DT800) {
        return out + line("aT800 V6.18.0002  Flash 2048K  Firmware 3.05");
    }
    if (std::regex_match(raw, m, kBurst) && model_ == Model::DT800) {
        // Defines the burst; "X" runs it.
        burstCount_ = std::min(std::stol(m[1]), 1000000L);
        burstRate_ = std::max(std::stol(m[2]), 1L);
        burstInput_ = std::stoi(m[3]);
        return out;
    }
    if (raw == "X" && model_ == Model::DT800 && burstCount_ > 0) {
        // Each reading in 12 characters: ten for the millivolts, then CR LF.
        out.reserve(out.size() + static_cast<size_t>(burstCount_) * 12);
        for (long i = 0; i < burstCount_; ++i) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%10.3f",
                          values_.next(burstInput_, 100.0 * burstInput_));
            out += line(buf);
        }
        lastBurstSeconds_ = static_cast<double>(burstCount_) / burstRate_;
        return out;
    }
    const std::string answer = reading(raw);
    if (!answer.empty()) {
        return out + answer;
    }
    return out + line("E4 SYNTAX ERROR");
}

}  // namespace devsim
