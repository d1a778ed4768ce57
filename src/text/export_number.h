// Numbers as the recording files write them (floatText of text/number_text.h, with a fast path for
// the common plain values): a 32-bit value in its shortest exact decimal form
// (at most 9 significant digits), whole numbers without a point, a leading blank before a number
// that is not negative. Plain decimal for 1e-5 <= |value| < 1e15, else "d.dddE+XX".
// Buffer variants write without a terminating NUL and return the end of what they wrote.
#pragma once

#include <cstdint>
#include <string>

namespace trindel {

inline constexpr size_t kExportNumberCapacity = 24;

char* exportNumber(char* out, float value);
char* exportNumber(char* out, int64_t value);
std::string exportNumberText(float value);
std::string exportNumberText(int64_t value);

}  // namespace trindel
