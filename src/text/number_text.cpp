#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace trindel {

namespace {

// A finite number as decimal digits: value = (negative ? -1 : 1) * 0.d1d2...dn * 10^exponent.
// The digits carry no leading or trailing zeros; count == 0 means zero.
struct Decimal {
    char digits[24];
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

// Reads the shortest round-trip digits of a finite, non-zero value from std::to_chars.
template <typename T>
Decimal shortestDecimal(T value) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0) {
        return d;
    }
    char buf[48];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    // The text is "d[.ddd]e±XX".
    const char* p = buf;
    d.digits[d.count++] = *p++;
    if (*p == '.') {
        ++p;
        while (*p != 'e') {
            d.digits[d.count++] = *p++;
        }
    }
    ++p;  // 'e'
    const bool negativeExponent = *p++ == '-';
    int e = 0;
    while (p < res.ptr) {
        e = e * 10 + (*p++ - '0');
    }
    d.exponent = (negativeExponent ? -e : e) + 1;
    while (d.count > 0 && d.digits[d.count - 1] == '0') {
        --d.count;
    }
    return d;
}

// Keeps the first `keep` significant digits, rounding half away from zero on the decimal digits.
// A carry out of the first digit turns 0.99.. into 0.1 * 10^(exponent + 1).
void roundToDigits(Decimal& d, int keep) {
    if (keep >= d.count) {
        return;
    }
    if (keep < 0) {
        d.count = 0;
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.count = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            --i;
        }
        if (i < 0) {
            d.digits[0] = '1';
            d.count = 1;
            ++d.exponent;
            return;
        }
        ++d.digits[i];
        d.count = i + 1;
    }
    while (d.count > 0 && d.digits[d.count - 1] == '0') {
        --d.count;
    }
}

char* fill(char* out, char c, int n) {
    for (int i = 0; i < n; ++i) {
        *out++ = c;
    }
    return out;
}

char* copyDigits(char* out, const char* digits, int n) {
    std::memcpy(out, digits, static_cast<std::size_t>(n));
    return out + n;
}

char* writeSign(char* out, const Decimal& d) {
    *out++ = d.negative ? '-' : ' ';
    return out;
}

// Plain decimal digits without a sign: "0", "0.00123", "1200", "12.5".
char* writePlain(char* out, const Decimal& d) {
    if (d.count == 0) {
        *out++ = '0';
    } else if (d.exponent <= 0) {
        *out++ = '0';
        *out++ = '.';
        out = fill(out, '0', -d.exponent);
        out = copyDigits(out, d.digits, d.count);
    } else if (d.count <= d.exponent) {
        out = copyDigits(out, d.digits, d.count);
        out = fill(out, '0', d.exponent - d.count);
    } else {
        out = copyDigits(out, d.digits, d.exponent);
        *out++ = '.';
        out = copyDigits(out, d.digits + d.exponent, d.count - d.exponent);
    }
    return out;
}

// Exponent form without a sign: "1E+20", "1.5E-07". Expects a non-zero value.
char* writeExponent(char* out, const Decimal& d) {
    *out++ = d.digits[0];
    if (d.count > 1) {
        *out++ = '.';
        out = copyDigits(out, d.digits + 1, d.count - 1);
    }
    int e = d.exponent - 1;
    *out++ = 'E';
    *out++ = e < 0 ? '-' : '+';
    e = e < 0 ? -e : e;
    if (e < 10) {
        *out++ = '0';
    }
    return std::to_chars(out, out + 4, e).ptr;
}

// " NAN", " INF" or "-INF" for a non-finite value.
template <typename T>
char* writeNonFinite(char* out, T value) {
    const char* text = std::isnan(value) ? " NAN" : (value > 0 ? " INF" : "-INF");
    std::memcpy(out, text, 4);
    return out + 4;
}

// Whole numbers that are written exactly from their integer value.
char* writeWhole(char* out, double value) {
    const auto n = static_cast<std::int64_t>(value);
    *out++ = n < 0 ? '-' : ' ';
    const std::uint64_t magnitude = n < 0 ? 0 - static_cast<std::uint64_t>(n) : n;
    return std::to_chars(out, out + 20, magnitude).ptr;
}

struct Picture {
    int width = 0;          // characters in the picture; the text is padded to this
    int decimals = 0;       // '#' after the point
    bool point = false;     // the picture has a '.'
    bool grouping = false;  // a ',' before the point: group integer digits by three
};

Picture parsePicture(std::string_view text) {
    Picture p;
    p.width = static_cast<int>(text.size());
    bool digit = false;
    for (const char c : text) {
        if (c == '#') {
            digit = true;
            p.decimals += p.point ? 1 : 0;
        } else if (c == '.' && !p.point) {
            p.point = true;
        } else if (c == ',' && !p.point) {
            p.grouping = true;
        } else {
            throw std::invalid_argument("bad number picture: " + std::string(text));
        }
    }
    if (!digit) {
        throw std::invalid_argument("bad number picture: " + std::string(text));
    }
    return p;
}

char* writePicture(char* out, double value, const Picture& p) {
    if (!std::isfinite(value)) {
        char word[4];
        const char* end = writeNonFinite(word, value);
        const char* begin = word[0] == ' ' ? word + 1 : word;
        const int length = static_cast<int>(end - begin);
        out = fill(out, ' ', p.width - length);
        return copyDigits(out, begin, length);
    }
    Decimal d = shortestDecimal(value);
    roundToDigits(d, d.exponent + p.decimals);
    const bool negative = d.negative && d.count > 0;
    // A value below 1 has no integer digits of its own and is written with a "0" before the point.
    const int ownIntegerDigits = d.count > 0 && d.exponent > 0 ? d.exponent : 0;
    const int integerDigits = ownIntegerDigits > 0 ? ownIntegerDigits : 1;
    const int commas = p.grouping ? (integerDigits - 1) / 3 : 0;
    const int length = (negative ? 1 : 0) + integerDigits + commas + (p.point ? 1 + p.decimals : 0);
    out = fill(out, ' ', p.width - length);
    if (negative) {
        *out++ = '-';
    }
    for (int i = 0; i < integerDigits; ++i) {
        if (commas > 0 && i > 0 && (integerDigits - i) % 3 == 0) {
            *out++ = ',';
        }
        *out++ = i < ownIntegerDigits && i < d.count ? d.digits[i] : '0';
    }
    if (p.point) {
        *out++ = '.';
        for (int i = 0; i < p.decimals; ++i) {
            const int k = d.exponent + i;
            *out++ = k >= 0 && k < d.count ? d.digits[k] : '0';
        }
    }
    return out;
}

template <typename F>
std::string viaBuffer(F write) {
    char buf[kNumberTextCapacity];
    return std::string(buf, write(buf));
}

}  // namespace

char* runtimeText(char* out, double value) {
    if (!std::isfinite(value)) {
        return writeNonFinite(out, value);
    }
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        return writeWhole(out, value);
    }
    Decimal d = shortestDecimal(value);
    roundToDigits(d, 10);
    out = writeSign(out, d);
    if (d.exponent >= -4 && d.exponent <= 10) {
        return writePlain(out, d);
    }
    return writeExponent(out, d);
}

std::string runtimeText(double value) {
    return viaBuffer([value](char* out) { return runtimeText(out, value); });
}

char* floatText(char* out, float value) {
    if (!std::isfinite(value)) {
        return writeNonFinite(out, value);
    }
    // Below 2^24 a whole float's shortest form is the integer itself.
    if (std::fabs(value) < 16777216.0f && value == std::trunc(value)) {
        return writeWhole(out, value);
    }
    const Decimal d = shortestDecimal(value);
    out = writeSign(out, d);
    if (d.exponent >= -4 && d.exponent <= 15) {
        return writePlain(out, d);
    }
    return writeExponent(out, d);
}

std::string floatText(float value) {
    return viaBuffer([value](char* out) { return floatText(out, value); });
}

char* pictureText(char* out, double value, std::string_view picture) {
    return writePicture(out, value, parsePicture(picture));
}

std::string pictureText(double value, std::string_view picture) {
    const Picture p = parsePicture(picture);
    char small[512];
    if (pictureTextCapacity(picture) <= sizeof small) {
        return std::string(small, writePicture(small, value, p));
    }
    std::string text(pictureTextCapacity(picture), '\0');
    text.resize(static_cast<std::size_t>(writePicture(text.data(), value, p) - text.data()));
    return text;
}

char* StringFormatter(char* out, double value) {
    if (!std::isfinite(value) || value == 0) {
        return runtimeText(out, value);
    }
    if (std::trunc(value) / value >= 0.999999) {
        return runtimeText(out, std::round(value));
    }
    const double magnitude = std::fabs(value);
    if (magnitude < 1) {
        return runtimeText(out, value);
    }
    if (magnitude >= 10000) {
        return runtimeText(out, std::round(value));
    }
    // The pictures' widths only matter for padding, which read-outs replace by the sign blank, so
    // the picture is written unpadded.
    Picture p;
    p.point = true;
    p.decimals = magnitude < 10 ? 5 : magnitude < 100 ? 4 : magnitude < 1000 ? 2 : 1;
    if (value > 0) {
        *out++ = ' ';
    }
    out = writePicture(out, value, p);
    while (out[-1] == '0') {
        --out;
    }
    if (out[-1] == '.') {
        --out;
    }
    return out;
}

std::string StringFormatter(double value) {
    return viaBuffer([value](char* out) { return StringFormatter(out, value); });
}

double roundSignificant(double value, int digits) {
    if (digits < 1 || value == 0 || !std::isfinite(value)) {
        return value;
    }
    const double magnitude = std::fabs(value);
    const int whole = magnitude >= 1 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 0;
    const int precision = std::min(std::max(digits, whole), 17) - 1;
    char buf[64];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision).ptr;
    double rounded = value;
    std::from_chars(buf, end, rounded);
    return rounded;
}

}  // namespace trindel
