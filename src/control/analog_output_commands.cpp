#include "control/analog_output_commands.h"

#include <cmath>
#include <limits>

namespace trindel {

namespace {

uint16_t ui2Code(float volts) {
    if (!(volts > 0.0f)) {
        return 0;  // negative and not-a-number values give 0 V
    }
    const double code = std::floor(819.0 * static_cast<double>(volts));
    return static_cast<uint16_t>(std::min(code, 4095.0));
}

}  // namespace

std::vector<uint8_t> ui2AnalogOutputCommand(float volts1, float volts2) {
    const uint16_t c1 = ui2Code(volts1);
    const uint16_t c2 = ui2Code(volts2);
    return {'D',
            static_cast<uint8_t>(c1 & 0xFF),
            static_cast<uint8_t>(c1 >> 8),
            static_cast<uint8_t>(c2 & 0xFF),
            static_cast<uint8_t>(c2 >> 8),
            '\r'};
}

std::optional<std::string> dt800AnalogOutputCommand(float volts) {
    const double mv = std::trunc(1000.0 * static_cast<double>(volts));
    if (!std::isfinite(mv) || mv < std::numeric_limits<int16_t>::min() ||
        mv > std::numeric_limits<int16_t>::max()) {
        return std::nullopt;
    }
    return "VO=" + std::to_string(static_cast<int>(mv)) + "\r";
}

}  // namespace trindel
