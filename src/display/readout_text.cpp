#include "display/readout_text.h"

#include <charconv>
#include <cmath>

namespace trindel {

namespace {

std::string trimZeros(std::string s) {
    if (s.find('.') == std::string::npos) {
        return s;
    }
    while (!s.empty() && s.back() == '0') {
        s.pop_back();
    }
    if (!s.empty() && s.back() == '.') {
        s.pop_back();
    }
    return s;
}

std::string withSign(double value, std::string digits) {
    return value >= 0 ? " " + digits : digits;
}

}  // namespace

std::string fixedText(double value, int decimals) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

std::string readoutText(double value) {
    if (!std::isfinite(value)) {
        return " ----";
    }
    const double whole = std::trunc(value);
    if (value == 0.0 || whole / value >= 0.999999) {
        return withSign(value, fixedText(std::round(value), 0));
    }
    const double mag = std::fabs(value);
    if (mag < 1.0) {
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 10);
        return withSign(value, trimZeros(std::string(buf, r.ptr)));
    }
    int decimals = 0;
    if (mag < 10.0) {
        decimals = 5;
    } else if (mag < 100.0) {
        decimals = 4;
    } else if (mag < 1000.0) {
        decimals = 2;
    } else if (mag < 10000.0) {
        decimals = 1;
    }
    return withSign(value, trimZeros(fixedText(value, decimals)));
}

}  // namespace trindel
