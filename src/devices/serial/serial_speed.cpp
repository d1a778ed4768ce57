#include "devices/serial/serial_speed.h"

#include <array>

namespace trindel {

namespace {
constexpr std::array<int32_t, 20> kStandard{230400, 115200, 76800, 57600, 38400, 28800, 19200,
                                            14400,  9600,   7200,  4800,  2400,  1800,  1200,
                                            600,    300,    200,   150,   134,   110};
constexpr std::array<int32_t, 10> kDialog{300,   1200,  2400,  4800,   9600,
                                          19200, 38400, 57600, 115200, 230400};
}  // namespace

int32_t standardSpeed(int32_t requested) {
    for (const int32_t s : kStandard) {
        if (s <= requested) {
            return s;
        }
    }
    return kStandard.back();
}

std::span<const int32_t> portDialogSpeeds() {
    return kDialog;
}

}  // namespace trindel
