#include "files/export_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace trindel {

namespace {

char* copyText(char* out, const char* text) {
    const size_t n = std::strlen(text);
    std::memcpy(out, text, n);
    return out + n;
}

}  // namespace

char* exportNumber(char* out, int64_t value) {
    if (value >= 0) {
        *out++ = ' ';
    }
    return std::to_chars(out, out + 21, value).ptr;
}

char* exportNumber(char* out, float value) {
    if (std::isnan(value)) {
        return copyText(out, " NAN");
    }
    if (std::isinf(value)) {
        return copyText(out, value > 0 ? " INF" : "-INF");
    }
    if (value == 0.0f) {
        return copyText(out, " 0");
    }
    *out++ = std::signbit(value) ? '-' : ' ';
    const float magnitude = std::fabs(value);
    if (magnitude < 16777216.0f) {
        // Below 2^24 every whole number is exact, so the shortest form without an exponent is
        // already this file form (values below 1e-5 always come out with one).
        char* const end = std::to_chars(out, out + 20, magnitude).ptr;
        if (std::find(out, end, 'e') == end) {
            return end;
        }
    }
    // Shortest round-trip digits in scientific form: d[.ddd]e[+-]XX.
    char sci[32];
    const char* end =
        std::to_chars(sci, sci + sizeof sci, magnitude, std::chars_format::scientific).ptr;
    char digits[16];
    int nDigits = 0;
    const char* p = sci;
    for (; p < end && *p != 'e'; ++p) {
        if (*p != '.') {
            digits[nDigits++] = *p;
        }
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);

    if (magnitude >= 1e-5f && static_cast<double>(magnitude) < 1e15) {
        if (exponent >= 0) {
            for (int i = 0; i <= exponent; ++i) {
                *out++ = i < nDigits ? digits[i] : '0';
            }
            if (nDigits > exponent + 1) {
                *out++ = '.';
                for (int i = exponent + 1; i < nDigits; ++i) {
                    *out++ = digits[i];
                }
            }
        } else {
            *out++ = '0';
            *out++ = '.';
            for (int i = 0; i < -exponent - 1; ++i) {
                *out++ = '0';
            }
            for (int i = 0; i < nDigits; ++i) {
                *out++ = digits[i];
            }
        }
        return out;
    }
    *out++ = digits[0];
    if (nDigits > 1) {
        *out++ = '.';
        for (int i = 1; i < nDigits; ++i) {
            *out++ = digits[i];
        }
    }
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    const int e = exponent < 0 ? -exponent : exponent;
    if (e < 10) {
        *out++ = '0';
    }
    return std::to_chars(out, out + 4, e).ptr;
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
