#include "text/export_number.h"

#include <fmt/format.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace trindel {

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The nine decimal digits of `value` (below 10^9), with leading zeros, at `out`: a fixed sequence
// of multiplications and two-digit copies, no loop and no branch.
void nineDigits(char* out, uint32_t value) {
    const uint32_t top = value / 100000000;
    const uint32_t low = value % 100000000;
    const uint32_t high4 = low / 10000;
    const uint32_t low4 = low % 10000;
    out[0] = static_cast<char>('0' + top);
    std::memcpy(out + 1, kDigitPairs + (high4 / 100) * 2, 2);
    std::memcpy(out + 3, kDigitPairs + (high4 % 100) * 2, 2);
    std::memcpy(out + 5, kDigitPairs + (low4 / 100) * 2, 2);
    std::memcpy(out + 7, kDigitPairs + (low4 % 100) * 2, 2);
}

// Digits of a value from 1 to 999,999,999: estimated from its bit length, then corrected.
int digitCount(uint32_t value) {
    static constexpr uint32_t kPowers[] = {1,      10,      100,      1000,     10000,
                                           100000, 1000000, 10000000, 100000000};
    const int guess = (std::bit_width(value) * 1233) >> 12;  // 1233 / 4096 ~ log10(2)
    return guess + (value >= kPowers[guess] ? 1 : 0);
}

}  // namespace

char* exportNumber(char* out, int64_t value) {
    if (value >= 0) {
        *out++ = ' ';
    }
    return std::to_chars(out, out + 21, value).ptr;
}

// The shortest digits come from Dragonbox (in libfmt); the layout is the one floatText writes.
// Copies are made in fixed sizes that the buffer's capacity allows, so they compile to plain
// moves; only the bytes up to the returned end count.
char* exportNumber(char* out, float value) {
    const auto bits = std::bit_cast<uint32_t>(value);
    const uint32_t magnitudeBits = bits & 0x7FFFFFFFu;
    if (magnitudeBits >= 0x7F800000u) {
        const char* text = magnitudeBits > 0x7F800000u ? " NAN" : (bits >> 31 ? "-INF" : " INF");
        std::memcpy(out, text, 4);
        return out + 4;
    }
    if (magnitudeBits == 0) {
        std::memcpy(out, " 0", 2);
        return out + 2;
    }
    *out++ = bits >> 31 ? '-' : ' ';
    const auto decimal = fmt::detail::dragonbox::to_decimal(std::bit_cast<float>(magnitudeBits));
    // The significand has at most 9 digits and no trailing zeros; the value is digits *
    // 10^exponent.
    char digitBuffer[32] = {};
    nineDigits(digitBuffer, decimal.significand);
    const int count = digitCount(decimal.significand);
    const char* const digits = digitBuffer + 9 - count;
    // Digits before the decimal point (0.d1d2... * 10^point).
    const int point = count + decimal.exponent;
    if (point > 15 || point < -4) {
        *out = digits[0];
        char* p = out + 1;
        if (count > 1) {
            *p++ = '.';
            std::memcpy(p, digits + 1, 8);
            p += count - 1;
        }
        int e = point - 1;
        *p++ = 'E';
        *p++ = e < 0 ? '-' : '+';
        e = e < 0 ? -e : e;
        std::memcpy(p, kDigitPairs + e * 2, 2);  // float exponents stay below 100
        return p + 2;
    }
    if (point <= 0) {
        std::memcpy(out, "0.0000", 6);
        out += 2 - point;
        std::memcpy(out, digits, 16);
        return out + count;
    }
    std::memcpy(out, digits, 16);
    if (point >= count) {
        std::memcpy(out + count, "0000000000000000", 16);
        return out + point;
    }
    std::memcpy(out + point + 1, digits + point, 8);
    out[point] = '.';
    return out + count + 1;
}

std::string exportNumberText(float value) {
    char buffer[kExportNumberCapacity];
    return {buffer, exportNumber(buffer, value)};
}

std::string exportNumberText(int64_t value) {
    char buffer[kExportNumberCapacity];
    return {buffer, exportNumber(buffer, value)};
}

}  // namespace trindel
