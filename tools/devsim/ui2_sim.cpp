#include "ui2_sim.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace devsim {

namespace {

std::string twoBytes(long raw) {
    const long r = std::clamp(raw, 0L, 65535L);
    return {static_cast<char>(r & 0xFF), static_cast<char>((r >> 8) & 0xFF)};
}

std::string fieldNumber(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

constexpr int kInstrumentFields = 6;

}  // namespace

UI2Sim::UI2Sim(InputValues& values, InputValues& fields, int firmware, double instrumentRate,
               double start)
    : values_(values),
      fields_(fields),
      firmware_(firmware),
      period_(instrumentRate > 0.0 ? 1.0 / instrumentRate : 0.0),
      nextLineAt_(instrumentRate > 0.0 ? start + period_
                                       : std::numeric_limits<double>::infinity()) {}

std::string UI2Sim::replyFor(int command, double value) const {
    const bool wide = firmware_ > 199;
    if (command >= 144 && command <= 151) {
        return twoBytes(std::lround(value * (wide ? 6399.9 : 6553.5)) + 32768);
    }
    if (command >= 176 && command <= 179) {
        return twoBytes(std::lround(value * 1000.0) + 5000);
    }
    if (command >= 180 && command <= 183) {
        return twoBytes(std::lround(value / 7.6295e-5));
    }
    if (command == 99) {
        return twoBytes(std::lround(value));
    }
    if (command == 193) {
        return twoBytes(std::lround(value / (wide ? 7.812608e-5 : 7.6295e-5)));
    }
    return {};
}

std::string UI2Sim::instrumentLine() {
    std::string line = "SimBox";
    for (int k = 1; k <= kInstrumentFields; ++k) {
        line += "," + fieldNumber(fields_.next(k, 0.5 * k));
    }
    return line + "\r\n";
}

double UI2Sim::nextUnpromptedAt() const {
    return nextLineAt_;
}

std::string UI2Sim::unprompted() {
    nextLineAt_ += period_;
    return instrumentLine();
}

std::string UI2Sim::receive(unsigned char byte) {
    lastWasReading_ = false;
    if (want_ > 0) {
        command_.push_back(static_cast<char>(byte));
        if (--want_ > 0) {
            return {};
        }
        const char kind = command_[0];
        command_.clear();
        if (kind == 'i') {
            return instrumentLine();
        }
        if (kind == 'o' || kind == 'm') {
            return "\r";  // a valve command is acknowledged
        }
        return {};  // analogue output: no answer
    }
    switch (byte) {
        case 'D':
            command_ = "D";
            want_ = 5;  // two channels of two bytes and the CR
            return {};
        case 'o':
        case 'm':
            command_ = std::string(1, static_cast<char>(byte));
            want_ = 2;
            return {};
        case 'i':
            command_ = "i";
            want_ = 1;
            return {};
        case 'e':
            return std::to_string(firmware_) + "\r\n";
        case 'f':
        case '\r':
        case '\n':
            return {};
        case 208:
            return "UI2 run\r\n";
        default:
            break;
    }
    int input = 0;
    if (byte >= 144 && byte <= 151) {
        input = byte - 143;
    } else if (byte >= 176 && byte <= 183) {
        input = 9 + (byte - 176) % 4;
    } else if (byte == 99) {
        input = 13;
    } else if (byte == 193) {
        input = 14;
    } else {
        return {};
    }
    lastWasReading_ = true;
    return replyFor(byte, values_.next(input, input == 13 ? 100.0 : 1.0));
}

}  // namespace devsim
