#include "core/chart_text.h"

#include <charconv>
#include <cmath>

namespace trindel::chart_text {

namespace {

std::string fixed(double value, int decimals) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

void trimFraction(std::string& s) {
    if (s.find('.') == std::string::npos) {
        return;
    }
    while (!s.empty() && s.back() == '0') {
        s.pop_back();
    }
    if (!s.empty() && s.back() == '.') {
        s.pop_back();
    }
}

}  // namespace

std::string number(double value) {
    char buf[64];
    std::string s;
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
        s.assign(buf, r.ptr);
    } else {
        auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 10);
        s.assign(buf, r.ptr);
    }
    return value < 0 ? s : " " + s;
}

std::string picture(double value, std::string_view pictureText) {
    const auto point = pictureText.find('.');
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(pictureText.size() - point - 1);
    return fixed(value, decimals);
}

std::string readout(double value) {
    if (value == 0.0 || (std::isfinite(value) && std::trunc(value) / value >= 0.999999)) {
        return fixed(std::round(value), 0);
    }
    const double a = std::fabs(value);
    std::string s;
    if (a < 1.0) {
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(value));
        s.assign(buf, r.ptr);
        return s;
    }
    if (a < 10.0) {
        s = fixed(value, 5);
    } else if (a < 100.0) {
        s = fixed(value, 4);
    } else if (a < 1000.0) {
        s = fixed(value, 2);
    } else if (a < 10000.0) {
        s = fixed(value, 1);
    } else {
        return fixed(std::round(value), 0);
    }
    trimFraction(s);
    return s;
}

}  // namespace trindel::chart_text
