#include "run/read_keys.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

KeyMap held(std::initializer_list<int> codes) {
    KeyMap k;
    for (int c : codes) {
        k.set(c);
    }
    return k;
}

TEST(READKEYS, SingleKeysGiveTheirCharacter) {
    EXPECT_EQ(READKEYS(held({})), 0);
    EXPECT_EQ(READKEYS(held({vk::A})), 'a');
    EXPECT_EQ(READKEYS(held({vk::Equal})), '+');
    EXPECT_EQ(READKEYS(held({vk::Escape})), 27);
    EXPECT_EQ(READKEYS(held({vk::Up})), 30);
}

TEST(READKEYS, TwoKeysOfOneGroupReadAsNone) {
    EXPECT_EQ(READKEYS(held({vk::A, vk::S})), 0);         // both in 0..15
    EXPECT_EQ(READKEYS(held({vk::Left, vk::Right})), 0);  // both in 112..127
    // Keys of different groups: each is alone in its own; the later rule wins.
    EXPECT_EQ(READKEYS(held({vk::Left, vk::A})), 'a');
    EXPECT_EQ(READKEYS(held({vk::A, vk::One})), '1');
}

TEST(READKEYS, ShiftGivesUpperCaseAndKeypadOverridesAll) {
    EXPECT_EQ(READKEYS(held({vk::M, vk::Shift})), 'M');
    EXPECT_EQ(READKEYS(held({vk::M, vk::CapsLock})), 'M');
    EXPECT_EQ(READKEYS(held({vk::One, vk::Shift})), '1');
    EXPECT_EQ(READKEYS(held({vk::A, vk::One, vk::Keypad7})), '7');
    EXPECT_EQ(READKEYS(held({vk::Keypad0})), '0');
    EXPECT_EQ(READKEYS(held({vk::Keypad9})), '9');
    // Escape shares its group with Shift: with Shift held it is not alone.
    EXPECT_EQ(READKEYS(held({vk::Escape, vk::Shift})), 0);
}

}  // namespace
}  // namespace trindel
