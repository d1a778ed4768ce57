// Numbers as the recording files write them, exactly as floatText of text/number_text.h but about
// five times faster (the text export writes tens of millions): a 32-bit value in its shortest
// exact decimal form (at most 9 significant digits), whole numbers without a point, a leading
// blank before a number that is not negative. Plain decimal for 1e-5 <= |value| < 1e15, else
// "d.dddE+XX". Buffer variants need kExportNumberCapacity bytes of room (they may fill bytes past
// the text), write no terminating NUL and return the end of the text.
#pragma once

#include <cstdint>
#include <string>

namespace trindel {

inline constexpr size_t kExportNumberCapacity = 32;

char* exportNumber(char* out, float value);
char* exportNumber(char* out, int64_t value);
std::string exportNumberText(float value);
std::string exportNumberText(int64_t value);

}  // namespace trindel
