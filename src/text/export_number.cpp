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

// The eight decimal digits of `value` (below 10^8, with leading zeros) as the bytes of one 64-bit
// word, first digit in the lowest byte: the digits are split 4 + 4, then 2 + 2, then 1 + 1 in all
// lanes at once with multiplications, and nothing goes through memory on the way.
uint64_t eightDigits(uint32_t value) {
    uint64_t x = (value / 10000) | (uint64_t{value % 10000} << 32);
    const uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007Full;  // x / 100 per lane
    x = hundreds | ((x - hundreds * 100) << 16);
    const uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000Full;  // x / 10 per lane
    x = tens | ((x - tens * 10) << 8);
    return x + 0x3030303030303030ull;
}

// Stores the word's bytes lowest first (the order eightDigits fills them in).
void storeWord(char* out, uint64_t word) {
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap64(word);
    }
    std::memcpy(out, &word, 8);
}

// Digits of a value from 1 to 999,999,999: estimated from its bit length, then corrected.
int digitCount(uint32_t value) {
    static constexpr uint32_t kPowers[] = {1,      10,      100,      1000,      10000,
                                           100000, 1000000, 10000000, 100000000, 1000000000};
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
    // value = significand * 10^exponent; the significand has at most 9 digits, no trailing zeros.
    const uint32_t significand = decimal.significand;
    const int count = digitCount(significand);
    // A ninth digit goes first on its own; the others are the low bytes of `word`.
    const bool lead = count == 9;
    const char leadDigit = static_cast<char>('0' + significand / 100000000);
    const int wordDigits = lead ? 8 : count;
    const uint64_t word = eightDigits(significand % 100000000) >> (8 * (8 - wordDigits));
    // Digits before the decimal point (value = 0.d1d2... * 10^point).
    int point = count + decimal.exponent;
    if (point > 15 || point < -4) {
        int e = point - 1;
        *out = lead ? leadDigit : static_cast<char>(word);
        const uint64_t rest = lead ? word : word >> 8;
        out[1] = '.';
        storeWord(out + 2, rest);
        out += count > 1 ? count + 1 : 1;
        *out++ = 'E';
        *out++ = e < 0 ? '-' : '+';
        e = e < 0 ? -e : e;
        std::memcpy(out, kDigitPairs + e * 2, 2);  // float exponents stay below 100
        return out + 2;
    }
    if (point <= 0) {
        std::memcpy(out, "0.0000", 6);
        out += 2 - point;
        *out = leadDigit;
        out += lead ? 1 : 0;
        storeWord(out, word);
        return out + wordDigits;
    }
    *out = leadDigit;
    out += lead ? 1 : 0;
    if (point >= count) {
        storeWord(out, word);
        std::memcpy(out + wordDigits, "0000000000000000", 16);
        return out + wordDigits + (point - count);
    }
    point -= lead ? 1 : 0;
    storeWord(out, word);
    out[point] = '.';
    storeWord(out + point + 1, word >> (8 * point));
    return out + wordDigits + 1;
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
