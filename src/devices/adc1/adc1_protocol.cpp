#include "devices/adc1/adc1_protocol.h"

#include <cmath>

namespace trindel {

unsigned char adc1SelectByte(int code) {
    return static_cast<unsigned char>((code - 1) & 0xFF);
}

int32_t adc1Result(int hb, int chx) {
    const int32_t magnitude = (chx & 0xFF) + 256 * (hb & 15);
    return (hb & kAdc1Positive) != 0 ? magnitude : -magnitude;
}

Adc1Reading adc1Reading(int gainSet, int input,
                        const std::function<std::optional<int32_t>(int code)>& convert) {
    Adc1Reading r;
    bool haveLow = false;
    if (gainSet != 3) {
        const auto low = convert(input);
        if (!low) {
            // A failed low-gain conversion stores -99999.0 whatever the preference says.
            r.failed = true;
            r.badValueOnly = true;
            r.serialError = true;
            return r;
        }
        r.volts = static_cast<float>(*low / kAdc1LowGainDivisor);
        haveLow = true;
    }
    if (gainSet == 3 || (gainSet == 1 && std::fabs(r.volts) < kAdc1HighGainLimit)) {
        const auto high = convert(input + kAdc1HighGainOffset);
        if (!high) {
            r.serialError = true;
            r.failed = !haveLow;
            return r;
        }
        const double v = *high / kAdc1HighGainDivisor;
        if (std::fabs(v) < kAdc1HighGainLimit || gainSet == 3) {
            r.volts = static_cast<float>(v);
        }
    }
    return r;
}

}  // namespace trindel
