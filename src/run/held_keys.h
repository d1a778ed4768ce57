// The keys held now, as the recording window sees them. A key counts as held only from its press
// in that window until its release anywhere, or until the keyboard focus moves to another window:
// a release that goes to another window must never leave a stale press behind.
#pragma once

#include <cstdint>
#include <vector>

#include "run/read_keys.h"

namespace trindel {

class HeldKeys {
  public:
    // A press in the recording window.
    void press(int code) { keys_.set(code, true); }
    // A release, wherever it was delivered.
    void release(int code) { keys_.set(code, false); }
    // The modifier keys as the window system reports them now.
    void setModifiers(bool command, bool shift, bool option);
    // The focus left the recording window or came back to it: nothing held is known any more
    // except the modifiers, which the window system reports afresh.
    void focusMoved(bool command = false, bool shift = false, bool option = false);

    const KeyMap& map() const { return keys_; }

  private:
    KeyMap keys_;
};

// Physical key presses across all windows of the program, numbered. A release followed by a press
// of the same key at the same server time is the keyboard's auto-repeat, even when the window
// system could not mark it (the pair was split by a change of focus): it continues the press.
class KeyPresses {
  public:
    // `markedRepeat`: the window system marked the press as auto-repeat. An unmarked press of a
    // key thought to be down is a new press whose release never reached the program.
    void press(int key, uint64_t time, bool markedRepeat = false);
    void release(int key, uint64_t time);
    // The program lost the keyboard: nothing is known to be held.
    void clear();
    // The number of the press holding `key` down now; 0 when it is up.
    uint64_t pressOf(int key) const;
    struct Held {
        int key;
        uint64_t press;
    };
    const std::vector<Held>& held() const { return held_; }

  private:
    std::vector<Held> held_;
    std::vector<Held> released_;  // last release per key: its press and time
    std::vector<uint64_t> releaseTimes_;
    uint64_t next_ = 1;
};

// Keys already down when a window opens (Escape that ended the run, Ctrl-P that opened the pause
// window) belong to the window before it: that press, and its repeats, choose nothing here; a
// new press of the key does.
class CarriedKeys {
  public:
    CarriedKeys() = default;
    explicit CarriedKeys(std::vector<KeyPresses::Held> heldAtOpen)
        : carried_(std::move(heldAtOpen)) {}
    // A press of `key` that belongs to press number `press`: true when the window should act.
    bool acts(int key, uint64_t press) const;

  private:
    std::vector<KeyPresses::Held> carried_;
};

}  // namespace trindel
