#include <gtest/gtest.h>

#include <set>

#include "platform/virtual_platform.h"
#include "ui/menu_table.h"

namespace trindel {
namespace {

Program started() {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    return p;
}

// Every item of the bar with its command key: a missing or misnumbered row shows here.
TEST(MenuBar, EveryItemIsPresentWithItsKey) {
    const struct {
        int menu, item;
        const char* text;
        char key;
    } rows[] = {
        {1, 1, "Save Data As...", 'S'},
        {1, 7, "Timed Data Saves...", 'T'},
        {1, 8, "    Backup File Name...", 'B'},
        {1, 10, "Load Preferences...", 0},
        {1, 12, "Save Setup File...", 'M'},
        {1, 13, "Print Setup Data...", 'P'},
        {1, 14, "Quit", 'Q'},
        {2, 1, "Custom Conversions...", 0},
        {2, 2, "Re-arrange Channel Order...", 0},
        {2, 13, "Data File Info...", 'I'},
        {2, 14, "Rate Records Precision...", 0},
        {2, 16, "Chart Sample Rate...", 'R'},
        {2, 17, "Scope Sample Rate...", 0},
        {2, 19, "External Device Control...", 'E'},
        {2, 21, "Preferences...", 0},
        {3, 1, "Screen Colors...", 0},
        {3, 8, "Plot Height...", 0},
        {3, 9, "Chart Views and Tics...", 'G'},
        {3, 10, "Scope Views and Tics...", 0},
        {3, 12, "Status Displays...", 'D'},
        {3, 13, "Show Switch Status", 0},
        {3, 14, "Large Readouts", 'L'},
        {3, 15, "Slope Trends...", 0},
        {3, 17, "Always Show Help Data", 0},
        {3, 18, "     Open Help Window...", 'H'},
        {4, 4, "UI2 Serial Instruments...", 0},
        {4, 7, "    Configure Serial Port...", 0},
        {4, 9, "Test Mode ['DEMO']", 'F'},
        {4, 12, "Spike Filter\xC9", 0},
        {4, 14, "Audible Event Timer\xC9", 0},
        {4, 15, "Beep at Sample", 0},
        {4, 16, "Alarms...", 'W'},
        {4, 18, "Trigger Controls\xC9", 0},
        {4, 19, "Autorepeat", 0},
        {4, 20, "Cut Channels\xC9", 'K'},
        {4, 21, "Add a Channel\xC9", 0},
        {4, 23, "2-channel X-Y Plot\xC9", 0},
        {4, 25, "Extra Zero Linkages\xC9", 0},
        {5, 1, "Analog Output, Channel 1\xC9", 0},
        {5, 2, "Feedback Control, Channel 1\xC9", 0},
        {5, 4, "Analog Output, Channel 2\xC9", 0},
        {5, 5, "Feedback Control, Channel 2\xC9", 0},
        {5, 7, "Open AO Data\xC9", 'O'},
        {5, 8, "Save AO Data\xC9", 0},
        {6, 1, "   Simple Math\xC9", 0},
        {6, 15, "   Unit Conversions\xC9", 0},
        {90, 1, "Show Time Grids", 0},
        {91, 1, "Show Scale Grid", 'Y'},
        {101, 1, "Drag to Desired Size...", 0},
        {101, 6, "1024 X 768", 0},
        {101, 7, "Fill Screen", 0},
        {79, 2, "Five", 0},
        {110, 3, "Continuous, All Channels", 'N'},
    };
    for (const auto& r : rows) {
        const MenuItemDef* d = findMenuItem(r.menu, r.item);
        ASSERT_NE(d, nullptr) << r.text;
        EXPECT_EQ(d->text, r.text);
        EXPECT_EQ(d->key, r.key) << r.text;
    }
    // Submenus hang from their items, and no two items share a command key.
    EXPECT_EQ(findMenuItem(4, 1)->submenu, 100);
    EXPECT_EQ(findMenuItem(4, 2)->submenu, 120);
    EXPECT_EQ(findMenuItem(4, 11)->submenu, 110);
    EXPECT_EQ(findMenuItem(3, 20)->submenu, 79);
    std::set<char> keys;
    for (const MenuDef& m : menuBar()) {
        for (const MenuItemDef& i : m.items) {
            if (i.key != 0) {
                EXPECT_TRUE(keys.insert(i.key).second) << i.text;
            }
        }
    }
}

TEST(MenuBar, ChannelSubmenusFollowLabelsAndChannelCount) {
    Program p = started();
    p.session.nChan = 3;
    p.session.RecordingMODE = 1;
    p.channels.setLabel(2, "% oxygen");
    EXPECT_EQ(menuItemText(p, 100, 2), "Ch.2   % oxygen");
    EXPECT_EQ(menuItemText(p, 120, 2), "Ch.2   % oxygen");
    EXPECT_TRUE(menuItemEnabled(p, 100, 3, false, false));
    EXPECT_FALSE(menuItemEnabled(p, 100, 4, false, false));
    EXPECT_FALSE(menuItemEnabled(p, 120, 4, false, false));
    p.session.RecordingMODE = 3;
    EXPECT_FALSE(menuItemEnabled(p, 100, 1, false, false));
    EXPECT_TRUE(menuItemEnabled(p, 120, 1, false, false));
    EXPECT_EQ(menuItemText(p, 4, 19), "Automarkers");
}

TEST(MenuBar, DeviceSubmenuFollowsTheDevice) {
    Program p = started();
    const struct {
        int16_t device;
        int item;
        const char* text;
        bool checked;
    } rows[] = {{1, 2, "    UI2 Firmware\xC9", true},
                {2, 2, "", true},
                {4, 5, "    Flush DT800 Buffer\xC9", false},
                {5, 1, "    ADAM-4019 Inputs...", false},
                {0, 1, "", false}};
    p.session.nChan = 2;  // the inputs window needs channels
    for (const auto& r : rows) {
        p.device.External_AD = r.device;
        EXPECT_EQ(menuItemText(p, 112, r.item), r.text) << r.device;
        EXPECT_EQ(menuItemEnabled(p, 112, r.item, false, false), *r.text != 0);
        EXPECT_EQ(menuItemChecked(p, 112, 1), r.checked);
    }
}

// The check marks of the flags the menus carry: choosing the item flips the flag it shows.
TEST(MenuBar, FlagItemsShowAndFlipTheirFlags) {
    const struct {
        int menu, item, pref;
    } rows[] = {{3, 13, 6},  {3, 14, 5},  {3, 17, 10}, {90, 1, 22}, {90, 2, 23},
                {90, 4, 27}, {91, 1, 25}, {91, 2, 26}, {91, 4, 24}, {2, 11, 2}};
    for (const auto& r : rows) {
        Program p = started();
        VirtualSounds sounds;
        const bool before = p.prefs[r.pref] != 0;
        EXPECT_EQ(menuItemChecked(p, r.menu, r.item), before);
        EXPECT_TRUE(menuItemActsInCore(r.menu, r.item));
        DoMENU(p, sounds, r.menu, r.item);
        EXPECT_NE(p.prefs[r.pref] != 0, before) << r.menu << "/" << r.item;
        EXPECT_EQ(menuItemChecked(p, r.menu, r.item), !before);
    }
}

TEST(MenuBar, BeepAtSampleIsRefusedBelowAFifthOfASecond) {
    Program p = started();
    VirtualSounds sounds;
    p.session.ChartINTERVALinSECONDS = 0.1;
    p.prefs[kPrefBeepAtSample] = 1;
    EXPECT_FALSE(menuItemEnabled(p, 4, 15, false, false));
    EXPECT_EQ(DoMENU(p, sounds, 4, 15), MenuCommand::Refused);
    EXPECT_EQ(p.prefs[kPrefBeepAtSample], 0);
    p.session.ChartINTERVALinSECONDS = 0.2;
    DoMENU(p, sounds, 4, 15);
    EXPECT_TRUE(menuItemChecked(p, 4, 15));
}

TEST(MenuBar, AnalogOutputItemsFollowTheDeviceAndChecksFollowTheScripts) {
    Program p = started();
    p.session.RecordingMODE = 1;
    const struct {
        int16_t device;
        bool channel1, channel2;
    } devices[] = {{0, true, true},   {1, true, true},  {2, false, false},
                   {3, false, false}, {4, true, false}, {8, false, false}};
    for (const auto& d : devices) {
        p.device.External_AD = d.device;
        EXPECT_EQ(menuItemEnabled(p, 5, 1, false, false), d.channel1) << d.device;
        EXPECT_EQ(menuItemEnabled(p, 5, 7, false, false), d.channel1) << d.device;
        EXPECT_EQ(menuItemEnabled(p, 5, 4, false, false), d.channel2) << d.device;
        EXPECT_EQ(menuItemEnabled(p, 5, 5, false, false), d.channel2) << d.device;
    }
    p.device.External_AD = 1;
    p.session.RecordingMODE = 2;
    EXPECT_FALSE(menuItemEnabled(p, 5, 1, false, false));
    EXPECT_FALSE(menuItemChecked(p, 5, 4));
    p.analogOutput.AO2on = 1;
    p.feedback.FeedbackON = 1;
    EXPECT_TRUE(menuItemChecked(p, 5, 4));
    EXPECT_TRUE(menuItemChecked(p, 5, 2));
    EXPECT_FALSE(menuItemChecked(p, 4, 16));
    p.alarm.alarms[3][0] = 1.0f;
    EXPECT_TRUE(menuItemChecked(p, 4, 16));
}

TEST(MenuBar, AveragingDigitsRepeatAndTestMode) {
    Program p = started();
    VirtualSounds sounds;
    p.session.nChan = 2;
    p.chart.MaxAvrg = 7;
    DoMENU(p, sounds, 110, 2);
    EXPECT_TRUE(menuItemChecked(p, 110, 2));
    EXPECT_EQ(p.channels.Nvar[2][kSamplesToAverage], 0.0f);
    DoMENU(p, sounds, 110, 1);
    EXPECT_TRUE(menuItemChecked(p, 110, 1));
    EXPECT_EQ(p.channels.Nvar[2][kSamplesToAverage], 7.0f);
    DoMENU(p, sounds, 110, 3);
    EXPECT_EQ(p.prefs[kPrefContinuousScanning], 1);
    EXPECT_FALSE(menuItemChecked(p, 110, 1));

    DoMENU(p, sounds, 79, 3);
    EXPECT_EQ(p.session.SigFigs, 6);
    EXPECT_TRUE(menuItemChecked(p, 79, 3));
    EXPECT_FALSE(menuItemChecked(p, 79, 2));

    p.session.RecordingMODE = 3;
    DoMENU(p, sounds, 4, 19);
    EXPECT_EQ(p.prefs[kPrefAutomarkers], 1);
    EXPECT_EQ(p.prefs[kPrefAutorepeat], 0);

    p.device.External_AD = 4;
    DoMENU(p, sounds, 4, 9);
    EXPECT_EQ(p.device.External_AD, 0);
    EXPECT_TRUE(menuItemChecked(p, 4, 9));
}

// Items whose windows live in the front end are not carried out by the core.
TEST(MenuBar, WindowItemsNeedAHandler) {
    for (auto [menu, item] : {std::pair{2, 21}, {4, 12}, {100, 1}, {120, 1}, {3, 18}, {5, 7}}) {
        EXPECT_FALSE(menuItemActsInCore(menu, item)) << menu << "/" << item;
    }
}

}  // namespace
}  // namespace trindel
