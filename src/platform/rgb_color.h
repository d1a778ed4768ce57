// An RGB colour with 16-bit components, as the program's colour settings store them.
#pragma once

#include <cstdint>

namespace trindel {

struct RGBColor {
    uint16_t red = 0, green = 0, blue = 0;
    bool operator==(const RGBColor&) const = default;
};

}  // namespace trindel
