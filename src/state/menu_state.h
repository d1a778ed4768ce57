// Menu-owned settings: the event-sound switch and the flags the menu bar shows.
#pragma once

#include <cstdint>

namespace trindel {

struct MenuState {
    int32_t Sound_Is_On = 1;  // event sounds on or off

    bool operator==(const MenuState&) const = default;
};

inline bool soundsOn(const MenuState& m) {
    return m.Sound_Is_On != 0;
}

}  // namespace trindel
