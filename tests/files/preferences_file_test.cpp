#include "files/preferences_file.h"

#include <gtest/gtest.h>

#include "files/byte_reader.h"
#include "files/setup_fixture.h"

namespace trindel {
namespace {

using testing::TempPath;
using testing::writeBytes;

// Byte counts of the layout's fields, from the layout table.
constexpr size_t kField1 = 48;
constexpr size_t kThroughField13 = kField1 + 288 + 225 + 30 + 240 + 4 + 8 + 4 + 16 + 4 + 2 + 4 + 4;
constexpr size_t kFullSize = kThroughField13 + 528 + 2 + 6 + 6 + 8;

Program startedProgram() {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    return p;
}

// Every value the file stores made different from the start-up value.
Program customised() {
    Program p = startedProgram();
    p.colours.ChartFrameColor = {0x1234, 0x5678, 0x9ABC};
    p.colours.ScFrame = {1, 2, 3};
    for (size_t i = 0; i < p.conversion.convert.size(); ++i) {
        p.conversion.convert[i] = static_cast<float>(i) + 0.5f;
    }
    p.conversion.buttonlbls = "button labels";
    p.conversion.but1lbls = "three-way";
    p.conversion.butcomments = "stored channel labels";
    for (int row = 17; row <= 22; ++row) {
        for (int e = 1; e <= 22; ++e) {
            p.conversion.BPconvert[row][e] = static_cast<float>(row * 1000 + e);
        }
    }
    p.session.Sound_Is_On = 0;
    p.session.Max_Display_Speed = -1;
    p.session.SampRateError = 0.005f;
    p.device.Digital_Port = 70000;
    for (int i :
         {1, 2, 3, 4, 5, 6, 7, 8, 10, 13, 14, 15, 16, 17, 18, 19, 20, 21, 30, 51, 52, 53, 54}) {
        p.prefs[i] = static_cast<int16_t>(i + 100);
    }
    p.prefs[kPrefWindowWidth] = 900;
    p.prefs[kPrefWindowHeight] = 700;
    return p;
}

TEST(PreferencesFile, LayoutSizeAndLittleEndianColours) {
    const auto d = preferencesFileBytes(customised());
    ASSERT_EQ(d.size(), kFullSize);
    // ChartFrameColor red, least significant byte first.
    EXPECT_EQ(d[0], 0x34);
    EXPECT_EQ(d[1], 0x12);
    EXPECT_EQ(d[4], 0xBC);
    // Field 2 begins with convert row 3 element 1 = flat 28, big-endian 28.5f.
    EXPECT_EQ(d[kField1], 0x41);
    EXPECT_EQ(d[kField1 + 1], 0xE4);
    // Field 3 text, space-padded.
    EXPECT_EQ(std::string(d.begin() + kField1 + 288, d.begin() + kField1 + 288 + 15),
              "button labels  ");
    // Field 18 last: PrefsArray 54.
    EXPECT_EQ(d[kFullSize - 1], 154);
}

TEST(PreferencesFile, RoundTrip) {
    const Program saved = customised();
    TempPath path("prefs");
    ASSERT_EQ(writePreferencesFile(saved, path.str()), "");
    Program loaded = startedProgram();
    const auto r = loadPreferencesFile(loaded, path.str(), 1280, 1024);
    ASSERT_EQ(r.outcome, PreferencesLoad::Loaded) << r.error;
    EXPECT_EQ(preferencesFileBytes(loaded), preferencesFileBytes(saved));
    EXPECT_EQ(loaded.device.Digital_Port, 70000);
    // Values the file does not hold stay as they were.
    EXPECT_EQ(loaded.conversion.convert[0], 0.0f);
    EXPECT_EQ(loaded.prefs[kPrefAutorepeat], 0);
}

TEST(PreferencesFile, FileEndingAfterField13) {
    const auto full = preferencesFileBytes(customised());
    TempPath path("prefs13");
    writeBytes(path.str(), std::vector<uint8_t>(full.begin(), full.begin() + kThroughField13));
    Program p = startedProgram();
    const auto breakpointsBefore = p.conversion.BPconvert;
    p.prefs[16] = 1;
    p.prefs[17] = 1;
    ASSERT_EQ(loadPreferencesFile(p, path.str(), 1280, 1024).outcome, PreferencesLoad::Loaded);
    EXPECT_EQ(p.colours.ScFrame, (RGBColor{1, 2, 3}));
    EXPECT_EQ(p.conversion.convert[28], 28.5f);
    EXPECT_EQ(p.prefs[30], 130);
    EXPECT_EQ(p.prefs[16], 0);
    EXPECT_EQ(p.prefs[17], 0);
    EXPECT_EQ(p.prefs[53], 1);
    EXPECT_EQ(p.prefs[54], 1);
    EXPECT_EQ(p.conversion.BPconvert, breakpointsBefore);
}

TEST(PreferencesFile, FileEndingAfterField1) {
    const auto full = preferencesFileBytes(customised());
    TempPath path("prefs1");
    writeBytes(path.str(), std::vector<uint8_t>(full.begin(), full.begin() + kField1));
    Program p = startedProgram();
    const Program before = p;
    ASSERT_EQ(loadPreferencesFile(p, path.str(), 1280, 1024).outcome, PreferencesLoad::Loaded);
    EXPECT_EQ(p.colours.ChartFrameColor, (RGBColor{0x1234, 0x5678, 0x9ABC}));
    EXPECT_EQ(p.conversion, before.conversion);
    EXPECT_EQ(p.session.Sound_Is_On, before.session.Sound_Is_On);
    EXPECT_EQ(p.prefs[53], 1);
    EXPECT_EQ(p.prefs[54], 1);
}

TEST(PreferencesFile, TailValuesReadOneByOne) {
    const auto full = preferencesFileBytes(customised());
    TempPath path("prefs-tail");
    // Through index 19 and 20 of field 17: index 21 and field 18 absent.
    writeBytes(path.str(), std::vector<uint8_t>(full.begin(), full.end() - 10));
    Program p = startedProgram();
    ASSERT_EQ(loadPreferencesFile(p, path.str(), 1280, 1024).outcome, PreferencesLoad::Loaded);
    EXPECT_EQ(p.prefs[20], 120);
    EXPECT_EQ(p.prefs[21], 0);
    EXPECT_EQ(p.prefs[51], 1);
    EXPECT_EQ(p.prefs[53], 1);
}

TEST(PreferencesFile, WindowSizeIsClampedToTheScreen) {
    Program saved = customised();
    saved.prefs[kPrefWindowWidth] = 1250;
    saved.prefs[kPrefWindowHeight] = 1000;
    TempPath path("prefs-big");
    ASSERT_EQ(writePreferencesFile(saved, path.str()), "");
    Program p = startedProgram();
    loadPreferencesFile(p, path.str(), 1280, 1024);
    EXPECT_EQ(p.prefs[kPrefWindowWidth], 1230);
    EXPECT_EQ(p.prefs[kPrefWindowHeight], 944);
}

TEST(PreferencesFile, MissingFileRestoresDefaultColoursOnly) {
    Program p = customised();
    Program expected = p;
    DEFAULTCOLORS(expected.colours);
    const auto r = loadPreferencesFile(p, "/nonexistent/trindel/prefs", 1280, 1024);
    EXPECT_EQ(r.outcome, PreferencesLoad::Missing);
    EXPECT_TRUE(sameStateExceptStore(p, expected));
}

TEST(PreferencesFile, FileCutInsideAGroupChangesNothing) {
    const auto full = preferencesFileBytes(customised());
    TempPath path("prefs-cut");
    for (size_t length : {size_t{10}, kField1 + 1, kField1 + 300, kThroughField13 - 1,
                          kThroughField13 + 100, kFullSize - 1}) {
        writeBytes(path.str(), std::vector<uint8_t>(full.begin(), full.begin() + length));
        Program p = startedProgram();
        const Program before = p;
        const auto r = loadPreferencesFile(p, path.str(), 1280, 1024);
        EXPECT_EQ(r.outcome, PreferencesLoad::Damaged) << length;
        EXPECT_NE(r.error.find("ends early"), std::string::npos) << r.error;
        EXPECT_TRUE(sameStateExceptStore(p, before)) << length;
    }
}

}  // namespace
}  // namespace trindel
