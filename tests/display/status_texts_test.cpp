// The recording window's help line, backup indicator and progress label.
#include "display/status_texts.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(StatusTexts, HelpLineNamesTheSwitchingSchemeAndCommandKeys) {
    const struct {
        int16_t mode;
        const char* scheme;  // nullptr: no switching words
    } kCases[] = {{0, nullptr},         {1, "timed key switch"}, {3, "series switch"},
                  {5, "device series"}, {7, "key switch"},       {9, "auto switch"},
                  {10, "device series"}};
    for (const auto& c : kCases) {
        Program p;
        p.session.SwitchingMode = c.mode;
        const std::string line = helpLine(p, "Ctrl");
        EXPECT_EQ(line.rfind("'esc' to stop; ", 0), 0u);
        EXPECT_NE(line.find("Ctrl-p = pause "), std::string::npos);
        EXPECT_NE(line.find("Ctrl-n = time to ref "), std::string::npos);
        EXPECT_EQ(line.find("'-' ref, '+' sample") != std::string::npos, c.scheme != nullptr);
        if (c.scheme != nullptr) {
            EXPECT_NE(line.find(c.scheme), std::string::npos) << c.mode;
        }
    }
}

TEST(StatusTexts, BackupIndicatorFollowsTimedBackups) {
    Program p;
    p.session.TimedSaveINTERVAL = 0;
    EXPECT_EQ(backupIndicator(p), " no backup!");
    p.session.TimedSaveINTERVAL = 36000;
    EXPECT_EQ(backupIndicator(p), " backup on");
    p.files.NBackUp = 3;
    EXPECT_EQ(backupIndicator(p), " backup 3 \xC3  ");
}

TEST(StatusTexts, ProgressLabelByDisplayAndLength) {
    const struct {
        int16_t show;
        int32_t maxSpeed;
        int32_t samples;
        const char* text;
    } kCases[] = {{1, 10000, 5000, "data capacity used"},
                  {1, 10000, 1000, "one screenful available"},
                  {0, 10000, 5000, "data panel switched off for sampling speed"},
                  {0, -1, 5000, "data panel switched off"}};
    for (const auto& c : kCases) {
        Program p;
        p.prefs[kPrefWindowWidth] = 1024;
        p.session.ChartView = 1;
        p.session.ShowDisplays = c.show;
        p.session.Max_Display_Speed = c.maxSpeed;
        p.session.MaxSamples = c.samples;
        const ProgressLabel label = progressLabel(p);
        EXPECT_EQ(label.text, c.text);
        EXPECT_TRUE(label.hundred);
    }
    Program narrow;
    narrow.prefs[kPrefWindowWidth] = 640;
    EXPECT_FALSE(progressLabel(narrow).hundred);
}

}  // namespace
}  // namespace trindel
