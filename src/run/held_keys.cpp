#include "run/held_keys.h"

#include <cstddef>

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

void KeyPresses::press(int key, uint64_t time, bool markedRepeat) {
    if (pressOf(key) != 0) {
        if (markedRepeat) {
            return;
        }
        // Down already, yet not a repeat: its release went elsewhere. This is a new press.
        for (Held& h : held_) {
            if (h.key == key) {
                h.press = next_++;
            }
        }
        return;
    }
    for (size_t i = 0; i < released_.size(); ++i) {
        if (released_[i].key == key) {
            const bool repeat = releaseTimes_[i] == time;
            const uint64_t number = released_[i].press;
            released_.erase(released_.begin() + static_cast<std::ptrdiff_t>(i));
            releaseTimes_.erase(releaseTimes_.begin() + static_cast<std::ptrdiff_t>(i));
            if (repeat) {
                held_.push_back(Held{key, number});
                return;
            }
            break;
        }
    }
    held_.push_back(Held{key, next_++});
}

void KeyPresses::release(int key, uint64_t time) {
    for (size_t i = 0; i < held_.size(); ++i) {
        if (held_[i].key == key) {
            for (size_t j = 0; j < released_.size(); ++j) {
                if (released_[j].key == key) {
                    released_.erase(released_.begin() + static_cast<std::ptrdiff_t>(j));
                    releaseTimes_.erase(releaseTimes_.begin() + static_cast<std::ptrdiff_t>(j));
                    break;
                }
            }
            released_.push_back(held_[i]);
            releaseTimes_.push_back(time);
            held_.erase(held_.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

void KeyPresses::clear() {
    held_.clear();
    released_.clear();
    releaseTimes_.clear();
}

uint64_t KeyPresses::pressOf(int key) const {
    for (const Held& h : held_) {
        if (h.key == key) {
            return h.press;
        }
    }
    return 0;
}

bool CarriedKeys::acts(int key, uint64_t press) const {
    for (const KeyPresses::Held& h : carried_) {
        if (h.key == key && h.press == press) {
            return false;
        }
    }
    return true;
}

}  // namespace trindel
