// The held-key map and READKEYS: which single key the user holds, as a character code.
#pragma once

#include <array>
#include <cstdint>

namespace trindel {

// One bit per virtual key code: bit k % 8 of byte k / 8.
struct KeyMap {
    std::array<uint8_t, 16> bytes{};

    bool held(int code) const { return (bytes[code / 8] >> (code % 8) & 1) != 0; }
    void set(int code, bool down = true) {
        const auto bit = static_cast<uint8_t>(1u << (code % 8));
        bytes[code / 8] = down ? static_cast<uint8_t>(bytes[code / 8] | bit)
                               : static_cast<uint8_t>(bytes[code / 8] & ~bit);
    }
};

// Virtual key codes of the keys the loop reads.
namespace vk {
inline constexpr int A = 0, S = 1, D = 2, F = 3, H = 4, G = 5, Z = 6, X = 7, C = 8, V = 9, B = 11,
                     Q = 12, W = 13, E = 14, R = 15, Y = 16, T = 17, One = 18, Two = 19, Three = 20,
                     Four = 21, Six = 22, Five = 23, Equal = 24, Nine = 25, Seven = 26, Minus = 27,
                     Eight = 28, Zero = 29, O = 31, U = 32, I = 34, P = 35, Return = 36, L = 37,
                     J = 38, K = 40, N = 45, M = 46, Escape = 53, Command = 55, Shift = 56,
                     CapsLock = 57, Option = 58, Keypad0 = 82, Keypad1 = 83, Keypad7 = 89,
                     Keypad8 = 91, Keypad9 = 92, Left = 123, Right = 124, Down = 125, Up = 126;
}  // namespace vk

// The character code of the key held now, 0 when none. A key counts only when it is the only key
// held in its group of 16 codes.
int READKEYS(const KeyMap& keys);

}  // namespace trindel
