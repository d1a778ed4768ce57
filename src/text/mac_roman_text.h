// Conversion between the program's Mac Roman text bytes and the UTF-8 of files people read.
#pragma once

#include <string>
#include <string_view>

namespace trindel {

std::string macRomanToUtf8(std::string_view text);
// Characters Mac Roman cannot hold (and broken UTF-8) become '?'.
std::string utf8ToMacRoman(std::string_view text);

}  // namespace trindel
