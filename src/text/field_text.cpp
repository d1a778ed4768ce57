#include "text/field_text.h"

#include <charconv>

#include "text/number_text.h"

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
    std::string text = floatText(value);
    if (!text.empty() && text.front() == ' ') {
        text.erase(0, 1);
    }
    return text;
}

std::string wholeNumberText(long long value) {
    return runtimeText(static_cast<double>(value));
}

}  // namespace trindel
