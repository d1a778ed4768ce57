// A bound on the width the chart's small text takes, for placing labels that must not run off
// the window or into a neighbouring field.
#pragma once

#include <string_view>

namespace trindel {

// Pixels per character of the chart's 9- and 10-point text, rounded up.
inline constexpr int kCharWidth = 7;

inline int textWidthBound(std::string_view text) {
    return static_cast<int>(text.size()) * kCharWidth;
}

}  // namespace trindel
