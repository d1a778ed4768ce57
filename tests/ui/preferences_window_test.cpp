#include "ui/preferences_window.h"

#include <gtest/gtest.h>

#include "files/preferences_file.h"

namespace trindel {
namespace {

Program started() {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    return p;
}

TEST(PreferencesWindow, EveryCheckBoxInvertsItsOwnFlagOnly) {
    for (const PrefItem& item : preferenceItems()) {
        if (item.control != PrefControl::Check || item.index == kPrefSoundSwitch) {
            continue;
        }
        Program p = started();
        const PrefsArray before = p.prefs;
        PreferencesWindowModel m(p);
        m.toggle(item);
        m.store(p, 1280, 1024);
        for (int i = 0; i < 64; ++i) {
            if (i == item.index) {
                EXPECT_EQ(p.prefs[i], before[i] != 0 ? 0 : 1) << item.text;
            } else {
                EXPECT_EQ(p.prefs[i], before[i]) << item.text << " changed index " << i;
            }
        }
    }
}

TEST(PreferencesWindow, EveryFlagThePreferencesWindowSetsIsOffered) {
    // The flags whose setter is the preferences window.
    for (int index : {2, 3, 5, 6, 7, 8, 10, 14, 15, 18, 21, 22, 24, 28, 29, 30, 31, 51, 52, 53}) {
        bool found = false;
        for (const PrefItem& item : preferenceItems()) {
            found = found || item.index == index;
        }
        EXPECT_TRUE(found) << index;
    }
}

TEST(PreferencesWindow, FileFormatRadioSetsSixteenAndSeventeen) {
    const PrefItem* format = nullptr;
    for (const PrefItem& item : preferenceItems()) {
        if (item.index == kPrefFileFormat) {
            format = &item;
        }
    }
    ASSERT_NE(format, nullptr);
    Program p = started();
    PreferencesWindowModel m(p);
    const std::tuple<int, int, int> cases[] = {{1, 1, 0}, {2, 0, 1}, {0, 0, 0}};
    for (auto [choice, i16, i17] : cases) {
        m.setValue(*format, choice);
        m.store(p, 1280, 1024);
        EXPECT_EQ(p.prefs[16], i16);
        EXPECT_EQ(p.prefs[17], i17);
        EXPECT_EQ(PreferencesWindowModel(p).value(*format), choice);
    }
}

TEST(PreferencesWindow, SoundSwitchReachesBothCopiesAndUnknownValuesAreRefused) {
    Program p = started();
    PreferencesWindowModel m(p);
    const PrefItem& sound = preferenceItems().front();
    ASSERT_EQ(sound.index, kPrefSoundSwitch);
    m.setValue(sound, 0);
    for (const PrefItem& item : preferenceItems()) {
        if (item.index == 18) {
            m.setValue(item, 7);  // not one of the offered values
        }
    }
    m.store(p, 1280, 1024);
    EXPECT_EQ(p.menus.Sound_Is_On, 0);
    EXPECT_EQ(p.session.Sound_Is_On, 0);
    EXPECT_EQ(p.prefs[18], 1);
}

TEST(PreferencesWindow, DefaultSizeSetsTheWindowSizeWhenTheScreenHoldsIt) {
    const PrefItem* size = nullptr;
    for (const PrefItem& item : preferenceItems()) {
        if (item.index == 8) {
            size = &item;
        }
    }
    ASSERT_NE(size, nullptr);
    struct Case {
        int choice, screenW, screenH, width, height;
    };
    for (const Case& c : {Case{2, 1280, 1024, 800, 600}, Case{4, 1000, 700, -1, -1},
                          Case{6, 1280, 1024, 1250, 977}}) {
        Program p = started();
        const int16_t w = p.prefs[11], h = p.prefs[12];
        PreferencesWindowModel m(p);
        m.setValue(*size, c.choice);
        m.store(p, c.screenW, c.screenH);
        EXPECT_EQ(p.prefs[8], c.choice);
        EXPECT_EQ(p.prefs[11], c.width < 0 ? w : c.width);
        EXPECT_EQ(p.prefs[12], c.height < 0 ? h : c.height);
    }
    Program p = started();
    p.prefs[8] = 0;
    EXPECT_EQ(PreferencesWindowModel(p).value(*size), 5);
}

TEST(PreferencesWindow, ChoicesSurviveThePreferencesFile) {
    Program p = started();
    PreferencesWindowModel m(p);
    for (const PrefItem& item : preferenceItems()) {
        if (item.control == PrefControl::Check && item.index != kPrefSoundSwitch) {
            m.toggle(item);
        }
    }
    m.store(p, 1280, 1024);
    Program q = started();
    PreferencesState base{q.colours, q.conversion, q.session, q.prefs, q.device};
    const PreferencesState read = parsePreferencesFile(preferencesFileBytes(p), base, 1280, 1024);
    // The file carries these of the window's flags; 22, 24, 28, 29 and 31 it does not hold.
    for (int index : {2, 5, 6, 7, 10, 14, 21, 30, 51, 52, 53}) {
        EXPECT_EQ(read.prefs[index], p.prefs[index]) << index;
    }
}

}  // namespace
}  // namespace trindel
