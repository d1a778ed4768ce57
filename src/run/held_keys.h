// The keys held now, as the recording window sees them. A key counts as held only from its press
// in that window until its release anywhere, or until the keyboard focus moves to another window:
// a release that goes to another window must never leave a stale press behind.
#pragma once

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

}  // namespace trindel
