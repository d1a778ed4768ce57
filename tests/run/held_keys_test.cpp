#include "run/held_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace trindel {
namespace {

// What the recording window receives while a window opens over it and takes the key-up.
struct Step {
    enum Kind { Press, Release, FocusAway, FocusBack } kind;
    int code = 0;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    bool command;  // Command reported held when the focus comes back
    int expected;  // READKEYS afterwards
    bool commandHeld;
};

class HeldKeysTest : public ::testing::TestWithParam<Case> {};

TEST_P(HeldKeysTest, MapFollowsTheKeyboardNotOldPresses) {
    const Case& c = GetParam();
    HeldKeys keys;
    for (const Step& s : c.steps) {
        switch (s.kind) {
            case Step::Press:
                keys.press(s.code);
                break;
            case Step::Release:
                keys.release(s.code);
                break;
            case Step::FocusAway:
                keys.focusMoved();
                break;
            case Step::FocusBack:
                keys.focusMoved(c.command, false, false);
                break;
        }
    }
    EXPECT_EQ(READKEYS(keys.map()), c.expected);
    EXPECT_EQ(keys.map().held(vk::Command), c.commandHeld);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, HeldKeysTest,
    ::testing::Values(
        // Escape stops the run; the options window takes focus and the key-up.
        Case{"EscapeReleasedInOptionsWindow",
             {{Step::Press, vk::Escape}, {Step::FocusAway}, {Step::FocusBack}},
             false,
             0,
             false},
        // Ctrl-P opens the pause window, which receives both key-ups.
        Case{"CommandPReleasedInPauseWindow",
             {{Step::Press, vk::P}, {Step::FocusAway}, {Step::FocusBack}},
             false,
             0,
             false},
        // Still holding Command when the focus comes back: reported afresh, P is not.
        Case{"CommandStillHeldOnReturn",
             {{Step::Press, vk::P}, {Step::FocusAway}, {Step::FocusBack}},
             true,
             0,
             true},
        // A press after the focus came back counts.
        Case{"NewPressAfterReturn",
             {{Step::Press, vk::Escape},
              {Step::FocusAway},
              {Step::FocusBack},
              {Step::Press, vk::Two}},
             false,
             '2',
             false},
        // A release delivered elsewhere still clears the key.
        Case{"ReleaseFromAnotherWindow",
             {{Step::Press, vk::Escape}, {Step::Release, vk::Escape}},
             false,
             0,
             false},
        // Within the window, a held key stays held.
        Case{"HeldWhileFocused", {{Step::Press, vk::Escape}}, false, 27, false}),
    [](const ::testing::TestParamInfo<Case>& param) { return param.param.name; });

// Escape still down when the options window opens: its repeats, marked or not, must not choose
// "Save"; pressing it again does.
TEST(CarriedKeys, KeysHeldAtOpenActOnlyAfterANewPress) {
    KeyPresses presses;
    presses.press(27, 100);
    presses.press('p', 110);
    const CarriedKeys carried(presses.held());
    // A repeat the window system marked: the key never went up.
    presses.press(27, 700, true);
    EXPECT_FALSE(carried.acts(27, presses.pressOf(27)));
    // A repeat it could not mark: release and press at the same server time.
    presses.release(27, 733);
    EXPECT_EQ(presses.pressOf(27), 0u);
    presses.press(27, 733);
    EXPECT_FALSE(carried.acts(27, presses.pressOf(27)));
    // Another key pressed after the window opened acts.
    presses.press('r', 750);
    EXPECT_TRUE(carried.acts('r', presses.pressOf('r')));
    // A real release, then a new press of Escape: acts.
    presses.release(27, 800);
    presses.press(27, 950);
    EXPECT_TRUE(carried.acts(27, presses.pressOf(27)));
    // P stays carried while held; after focus leaves the program nothing is held.
    EXPECT_FALSE(carried.acts('p', presses.pressOf('p')));
    presses.clear();
    EXPECT_EQ(presses.pressOf('p'), 0u);
    EXPECT_TRUE(CarriedKeys().acts(27, 1));
}

// Return pressed to close a dialog: its release went to no window of the program. The next
// press of Return, in the next window, must act.
TEST(CarriedKeys, LostReleaseDoesNotCarryTheKeyForever) {
    KeyPresses presses;
    presses.press(13, 100);
    const CarriedKeys carried(presses.held());
    presses.press(13, 5000);  // not marked as a repeat
    EXPECT_TRUE(carried.acts(13, presses.pressOf(13)));
}

}  // namespace
}  // namespace trindel
