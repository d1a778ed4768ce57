#include "adc1_sim.h"

#include <cmath>

namespace devsim {

std::string Adc1Sim::handle(unsigned char byte) {
    lastWasReading_ = false;
    auto one = [](int b) { return std::string(1, static_cast<char>(b & 0xFF)); };
    if (byte <= 15 || (byte >= 17 && byte <= 32)) {
        const bool high = byte >= 17;
        const int input = high ? byte - 16 : byte + 1;
        double value = 0.0;
        const auto it = pending_.find(input);
        if (high && it != pending_.end()) {
            value = it->second;
            pending_.erase(it);
        } else {
            value = values_.next(input, 0.01 * input);
            if (high) {
                pending_.erase(input);
            } else {
                pending_[input] = value;
            }
        }
        const double scaled = std::fabs(value) * (high ? 500000.0 : 10000.0);
        magnitude_ = static_cast<int>(std::lround(scaled));
        magnitude_ = magnitude_ > 4095 ? 4095 : magnitude_;
        positive_ = value >= 0.0;
        busy_ = true;
        return one(byte);
    }
    if (byte == 161) {
        if (busy_) {
            busy_ = false;
            return one(0x80);
        }
        return one((positive_ ? 0x10 : 0) | (magnitude_ >> 8));
    }
    if (byte == 145) {
        lastWasReading_ = true;
        return one(magnitude_ & 0xFF);
    }
    if (byte >= 64 && byte <= 127) {
        outputs_ = byte;
        return one(byte);
    }
    return {};
}

}  // namespace devsim
