#include "calculators/calc_result.h"

#include <charconv>
#include <cmath>

#include "text/number_text.h"

namespace trindel {

CalcResult finiteOr(CalcResult result, const char* reason) {
    if (result.ok() && !std::isfinite(result.value)) {
        return calcFailure(reason);
    }
    return result;
}

std::string plainDecimalText(double value) {
    return trimLeft(runtimeText(value));
}

std::string readoutText(double value) {
    return trimLeft(StringFormatter(value));
}

double floatDecimal(float value) {
    if (!std::isfinite(value)) {
        return value;
    }
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    double d = 0.0;
    std::from_chars(buf, end, d);
    return d;
}

std::string trimLeft(std::string text) {
    text.erase(0, text.find_first_not_of(' ') == std::string::npos ? text.size()
                                                                   : text.find_first_not_of(' '));
    return text;
}

}  // namespace trindel
