#include "control/switching_commands.h"

namespace trindel {

namespace {

std::string dsoLine(int output, bool on, bool inverted) {
    return std::to_string(output) + "DSO=" + ((on != inverted) ? "1" : "0") + "\r";
}

}  // namespace

SwitchCommand dataTakerSwitchCommand(int code, int word3, int d, int d2) {
    const bool inverted = code == kSwitchDT500 || code == kSwitchDT50;
    SwitchCommand out;
    if (word3 == 0) {
        for (int n = 1; n <= 4; ++n) {
            out.bytes += dsoLine(n, n == d || (d2 > 0 && n == d2), inverted);
        }
    } else {
        const int k = d - 1;
        for (int bit = 0; bit < 3; ++bit) {
            out.bytes += dsoLine(bit + 1, k >= 0 && ((k >> bit) & 1) != 0, inverted);
        }
    }
    return out;
}

SwitchCommand ui2SwitchCommand(int word3, int d, int d2) {
    SwitchCommand out;
    out.answer = SwitchAnswer::AnyBytes;
    int byte = 0;
    char letter = 'o';
    if (word3 == 0) {
        if (d >= 1 && d <= 8) {
            byte = 1 << (d - 1);
        }
        if (d2 >= 1 && d2 <= 8) {
            byte += 1 << (d2 - 1);
        }
    } else {
        letter = word3 == 2 ? 'm' : 'o';
        byte = d - 1;
    }
    out.bytes = std::string(1, letter) + static_cast<char>(byte & 0xFF) + "\r";
    return out;
}

SwitchCommand adam4050SwitchCommand(int d) {
    SwitchCommand out;
    out.answer = SwitchAnswer::Line;
    int digit = 8 - d;
    // Devices run 1 to 8; anything else would put a non-digit in the data field.
    digit = digit < 0 ? 0 : (digit > 7 ? 7 : digit);
    out.bytes = "#02000" + std::to_string(digit) + "\r";
    return out;
}

SwitchCommand adc1SwitchCommand(const std::array<int16_t, 17>& cs) {
    int byte = 64;
    for (int d = 1; d <= 6; ++d) {
        if (cs[static_cast<size_t>(d)] != 0) {
            byte += 1 << (d - 1);
        }
    }
    return SwitchCommand{std::string(1, static_cast<char>(byte)), SwitchAnswer::OneByte};
}

SwitchCommand turnValvesOffCommand(int code) {
    SwitchCommand out;
    switch (code) {
        case kSwitchDT500:
        case kSwitchDT50:
            for (int n = 1; n <= 4; ++n) {
                out.bytes += std::to_string(n) + "DSO=1\r";
            }
            break;
        case kSwitchDT800:
            for (int n = 1; n <= 8; ++n) {
                out.bytes += std::to_string(n) + "DSO=0\r";
            }
            break;
        case kSwitchUI2:
            out.bytes = std::string("o") + '\0' + "\r";
            out.answer = SwitchAnswer::AnyBytes;
            break;
        case kSwitchADAM:
            out = adam4050SwitchCommand(1);
            break;
        default:
            break;
    }
    return out;
}

}  // namespace trindel
