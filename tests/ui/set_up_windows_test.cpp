// Rules of the "Modes and Channels" window, the unsaved-data check and the menu table.
#include <gtest/gtest.h>

#include "platform/virtual_platform.h"
#include "ui/make_sure.h"
#include "ui/menu_table.h"
#include "ui/modes_channels.h"

namespace trindel {
namespace {

TEST(ModesChannels, CountButtonsFollowTheTab) {
    ModesChannelsModel m(false, false, 16);
    EXPECT_EQ(m.RecordingMODE(), 0);
    EXPECT_FALSE(m.okEnabled());
    EXPECT_FALSE(m.returnEndsWindow());  // Return before a count does nothing
    EXPECT_TRUE(m.chooseCountButton(104));
    EXPECT_EQ(m.nChan(), 4);
    EXPECT_TRUE(m.chooseTab(3));
    EXPECT_EQ(m.nChan(), 0);  // cleared on every tab change
    EXPECT_EQ(m.countButtons(), 5);
    EXPECT_FALSE(m.chooseCountButton(106));
    EXPECT_TRUE(m.chooseTab(2));
    EXPECT_EQ(m.nChan(), 1);  // scope uses one channel and may end at once
    EXPECT_TRUE(m.okEnabled());
    EXPECT_EQ(m.countButtons(), 0);
}

TEST(ModesChannels, SlowDevicesOfferChartOnlyAndSmallScreensFewerChannels) {
    ModesChannelsModel slow(true, true, 16);
    EXPECT_EQ(slow.RecordingMODE(), 1);
    EXPECT_FALSE(slow.chooseTab(2));
    EXPECT_FALSE(slow.chooseTab(3));
    ModesChannelsModel small(false, false, 12);
    EXPECT_TRUE(small.chooseCountButton(112));
    EXPECT_FALSE(small.chooseCountButton(113));
}

TEST(MakeSure, AsksOnlyAboutUnsavedChartData) {
    Program p;
    VirtualSounds sounds;
    int asked = 0;
    const auto window = [&](const std::string&) {
        ++asked;
        return false;
    };
    p.prefs[kPrefWarnBeforeOverwrite] = 1;
    p.session.RecordingMODE = 1;
    p.session.Sample = 0;
    EXPECT_TRUE(MAKESURE(p, sounds, 1, window));
    p.session.Sample = 1234567;
    EXPECT_EQ(unsavedSamplesText(p), "1,234,567 samples not saved!");
    EXPECT_FALSE(MAKESURE(p, sounds, 1, window));
    EXPECT_EQ(p.prefs[kPrefMakeSureAnswer], 0);
    EXPECT_EQ(p.events.Action, kEventRedraw);
    p.prefs[kPrefDataSaved] = 1;
    EXPECT_TRUE(MAKESURE(p, sounds, 1, window));
    p.prefs[kPrefDataSaved] = 0;
    p.prefs[kPrefWarnBeforeOverwrite] = 0;
    EXPECT_TRUE(MAKESURE(p, sounds, 1, window));
    EXPECT_EQ(asked, 1);
}

TEST(MakeSure, KeysAndSounds) {
    EXPECT_EQ(makeSureKeyAnswer('y'), std::optional<bool>(true));
    EXPECT_EQ(makeSureKeyAnswer('N'), std::optional<bool>(false));
    EXPECT_EQ(makeSureKeyAnswer('x'), std::nullopt);
    EXPECT_EQ(makeSureKeyAnswer(13), std::nullopt);
    Program p;
    VirtualSounds sounds;
    p.prefs[kPrefWarnBeforeOverwrite] = 1;
    p.session.Sample = 5;
    MAKESURE(p, sounds, 1, [](const std::string&) { return true; });
    EXPECT_EQ(sounds.log, (std::vector<std::string>{"rip"}));
    sounds.log.clear();
    MAKESURE(p, sounds, 10, [](const std::string&) { return true; });
    EXPECT_TRUE(sounds.log.empty());  // "rip" for a new set-up only with weird sounds
    p.prefs[kPrefWeirdSounds] = 1;
    MAKESURE(p, sounds, 0, [](const std::string&) { return true; });
    EXPECT_EQ(sounds.log, (std::vector<std::string>{"skid", "Cat"}));
}

TEST(MenuTable, FlagsToggleWithCuesAndQuitGoesToTheDriver) {
    Program p;
    VirtualSounds sounds;
    EXPECT_FALSE(menuItemChecked(p, 91, 4));
    EXPECT_EQ(DoMENU(p, sounds, 91, 4), MenuCommand::Redraw);
    EXPECT_NE(p.prefs[kPrefShowZeroLines], 0);
    EXPECT_TRUE(menuItemChecked(p, 91, 4));
    EXPECT_EQ(sounds.log.back(), "upVip");
    DoMENU(p, sounds, 91, 4);
    EXPECT_EQ(sounds.log.back(), "downVip");
    EXPECT_EQ(DoMENU(p, sounds, 1, 14), MenuCommand::Quit);
    DoMENU(p, sounds, 1, 4);
    EXPECT_TRUE(menuItemChecked(p, 1, 4));
    EXPECT_FALSE(menuItemChecked(p, 1, 3));
    DoMENU(p, sounds, 1, 5);
    EXPECT_TRUE(menuItemChecked(p, 1, 5));
    EXPECT_FALSE(menuItemChecked(p, 1, 4));
    DoMENU(p, sounds, 2, 10);  // sounds off: no cue, Weird Sounds disabled
    EXPECT_FALSE(menuItemChecked(p, 2, 10));
    EXPECT_FALSE(menuItemEnabled(p, 2, 11, false, false));
    const size_t cues = sounds.log.size();
    DoMENU(p, sounds, 3, 14);
    EXPECT_EQ(sounds.log.size(), cues);
}

TEST(MenuTable, RecordingLeavesOnlyQuitAndSavingNeedsTheOptionsWindow) {
    Program p;
    for (const MenuDef& m : menuBar()) {
        for (const MenuItemDef& item : m.items) {
            if (item.text.empty()) {
                continue;
            }
            const bool quit = m.menu == 1 && item.item == 14;
            EXPECT_EQ(menuItemEnabled(p, m.menu, item.item, false, true), quit) << item.text;
        }
    }
    EXPECT_FALSE(menuItemEnabled(p, 1, 1, false, false));
    EXPECT_TRUE(menuItemEnabled(p, 1, 1, true, false));
}

}  // namespace
}  // namespace trindel
