#include "files/byte_cursor.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace trindel {

int64_t wholeNumber(float value, int64_t low, int64_t high, const char* what) {
    if (!std::isfinite(value) || value != std::trunc(value) || value < static_cast<float>(low) ||
        value > static_cast<float>(high)) {
        throw FileFormatError(std::string("bad ") + what);
    }
    return static_cast<int64_t>(value);
}

float numberFromText(std::string_view text, const char* what) {
    size_t start = 0;
    if (!text.empty() && text[0] == ' ') {
        start = 1;
    }
    const std::string_view body = text.substr(start);
    if (body == "NAN") {
        return std::numeric_limits<float>::quiet_NaN();
    }
    if (body == "INF") {
        return std::numeric_limits<float>::infinity();
    }
    if (body == "-INF") {
        return -std::numeric_limits<float>::infinity();
    }
    float value = 0.0f;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec != std::errc() || end != body.data() + body.size() || body.empty() || body[0] == '+' ||
        (start == 1 && body[0] == '-')) {
        throw FileFormatError(std::string("bad number in ") + what);
    }
    return value;
}

}  // namespace trindel
