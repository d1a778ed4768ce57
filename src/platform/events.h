// User events in the program's convention (Action kind + EventID detail), the held-key map,
// the front-application query and the mouse.
#pragma once

#include <cstdint>
#include <optional>

namespace trindel {

// Event kinds deposited in Action.
enum EventKind : int16_t {
    kEventControl = 1,
    kEventClose = 3,
    kEventCloseOther = 4,
    kEventRedraw = 5,
    kEventReturn = 16,
    kEventActivate = 19,
    kEventKey = 24,
    kEventMenu = 50,
    kEventRebuildChannels = 99,
};

struct UserEvent {
    int16_t action = 0;
    int32_t eventId = 0;
    int16_t menuId = 0;  // for menu choices
    int16_t item = 0;
};

// Keys the loops read from the held-key map.
enum class Key {
    Escape,
    Shift,
    Option,
    RightOption,
    Command,
    Control,
    UpArrow,
    DownArrow,
    LeftArrow,
    RightArrow,
    Home,
    Space,
    Return,
    Enter,
    Q,
    X,
};

struct Point {
    int x = 0, y = 0;
};

class Events {
  public:
    virtual ~Events() = default;
    // Takes the next pending event, if any, without waiting.
    virtual std::optional<UserEvent> nextEvent() = 0;
    // Whether an event is pending.
    virtual bool hasPendingEvent() = 0;
    // Whether a key is held now.
    virtual bool isKeyDown(Key key) = 0;
    virtual bool isFrontApplication() = 0;
    virtual bool mouseButtonDown() = 0;
    virtual Point mousePosition() = 0;
};

}  // namespace trindel
