#include "text/export_number.h"

#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace trindel {

char* exportNumber(char* out, int64_t value) {
    if (value >= 0) {
        *out++ = ' ';
    }
    return std::to_chars(out, out + 21, value).ptr;
}

char* exportNumber(char* out, float value) {
    const float magnitude = std::fabs(value);
    if (magnitude >= 1e-5f && magnitude < 16777216.0f) {
        // Below 2^24 every whole number is exact, so the shortest form without an exponent is
        // already the house form; the rest goes through the shared number text.
        *out = std::signbit(value) ? '-' : ' ';
        char* const end = std::to_chars(out + 1, out + 20, magnitude).ptr;
        if (std::find(out + 1, end, 'e') == end) {
            return end;
        }
    }
    return floatText(out, value);
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
