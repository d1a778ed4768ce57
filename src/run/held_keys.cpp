#include "run/held_keys.h"

namespace trindel {

void HeldKeys::setModifiers(bool command, bool shift, bool option) {
    keys_.set(vk::Command, command);
    keys_.set(vk::Shift, shift);
    keys_.set(vk::Option, option);
}

void HeldKeys::focusMoved(bool command, bool shift, bool option) {
    keys_ = KeyMap{};
    setModifiers(command, shift, option);
}

}  // namespace trindel
