// What a calculator shows for one result: a number, or "—" with a one-line reason when the inputs
// give no real answer (a division by zero, the logarithm of a pressure of 0 or less).
#pragma once

#include <string>

namespace trindel {

// Shown in a result field in place of a number that does not exist.
inline constexpr const char* kNoResultText = "\xE2\x80\x94";  // "—" (UTF-8)

struct CalcResult {
    double value = 0.0;
    std::string reason;  // empty when value holds the answer

    bool ok() const { return reason.empty(); }
};

// A result field and, when it shows "—", the one-line reason shown under it.
struct ResultField {
    std::string text;
    std::string reason;
};

inline CalcResult calcValue(double value) {
    return CalcResult{value, {}};
}
inline CalcResult calcFailure(std::string reason) {
    return CalcResult{0.0, std::move(reason)};
}

// `result` unless its value is not finite, which becomes a failure with `reason`.
CalcResult finiteOr(CalcResult result, const char* reason);

// The result through `format`, or "—" when there is none.
template <typename Format>
std::string resultText(const CalcResult& r, Format format) {
    return r.ok() ? format(r.value) : std::string(kNoResultText);
}

// The runtime's decimal form without its leading blank: "47.62812345", "-3.5".
std::string plainDecimalText(double value);

// StringFormatter's read-out form without its leading blank: "186.35", "-5.5", "0.1863481229".
std::string readoutText(double value);

// A 32-bit value as the decimal it stands for: the shortest decimal that reads back as the float
// (0.014587f -> 0.014587, not 0.0145869998261...), so formatting it shows no binary noise.
double floatDecimal(float value);

// Leading blanks removed: a fixed picture's padding is not wanted in a left-aligned field.
std::string trimLeft(std::string text);

}  // namespace trindel
