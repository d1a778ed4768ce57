#include "signal/field_text.h"

#include <array>
#include <charconv>

namespace trindel {

double fieldValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    (void)end;
    return error == std::errc{} ? value : 0.0;
}

std::string fieldText(float value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string wholeNumberText(long long value) {
    std::string text = std::to_string(value);
    return value < 0 ? text : " " + text;
}

}  // namespace trindel
