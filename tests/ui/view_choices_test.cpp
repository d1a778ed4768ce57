#include <gtest/gtest.h>

#include "ui/menu_table.h"
#include "ui/view_choices.h"

namespace trindel {
namespace {

TEST(RatePrecision, ChoicesSetToleranceAndFlag) {
    Program p;
    p.prefs[kPrefRatePrecision] = 2;   // the start-up flag
    EXPECT_EQ(precisionChoice(p), 1);  // "± 3% (default)", the start-up tolerance
    const float tolerances[] = {0.05f, 0.03f, 0.02f, 0.01f, 0.005f, 0.003f, 0.002f, 0.001f};
    for (int k = 0; k < 8; ++k) {
        ASSERT_TRUE(choosePrecision(p, k));
        EXPECT_EQ(p.session.SampRateError, tolerances[k]);
        EXPECT_EQ(p.prefs[kPrefRatePrecision], k + 1);
        EXPECT_EQ(precisionChoice(p), k);
    }
    EXPECT_FALSE(choosePrecision(p, 8));
    EXPECT_FALSE(choosePrecision(p, -1));
    EXPECT_EQ(p.session.SampRateError, 0.001f);
    p.prefs[kPrefRatePrecision] = 99;  // a damaged flag: the tolerance decides
    p.session.SampRateError = 0.01f;
    EXPECT_EQ(precisionChoice(p), 3);
}

TEST(StatusDisplays, SpeedChoicesDecideWhetherReadoutsFollow) {
    Session s;
    EXPECT_EQ(displaySpeedChoice(s), 2);  // 10,000 microseconds
    s.ChartINTERVALinSECONDS = 0.005;
    EXPECT_NE(displaySpeedNote(s).find("switched off"), std::string::npos);
    chooseDisplaySpeed(s, 1);
    EXPECT_EQ(s.Max_Display_Speed, 4000);
    EXPECT_NE(displaySpeedNote(s).find("follow every scan"), std::string::npos);
    chooseDisplaySpeed(s, 7);
    EXPECT_LT(s.Max_Display_Speed, 0);
    EXPECT_EQ(displaySpeedChoice(s), 7);
    s.ChartINTERVALinSECONDS = 10;
    EXPECT_NE(displaySpeedNote(s).find("switched off"), std::string::npos);
    chooseDisplaySpeed(s, 42);  // out of range: unchanged
    EXPECT_LT(s.Max_Display_Speed, 0);
    s.Max_Display_Speed = 20000;  // between two choices: the next slower one
    EXPECT_EQ(displaySpeedChoice(s), 3);
    EXPECT_TRUE(chooseSigFigs(s, 4));
    EXPECT_FALSE(chooseSigFigs(s, 7));
    EXPECT_EQ(s.SigFigs, 4);
}

TEST(DataFileInfo, FactsDescribeTheRecording) {
    Program p;
    p.session.RecordingMODE = 1;
    p.session.nChan = 2;
    p.session.Sample = 120;
    p.session.MaxSamples = 600;
    p.session.ChartINTERVALinSECONDS = 0.5;
    p.channels.setLabel(1, "O2 %");
    p.channels.Nvar[2][kInputNumber] = 5;
    p.files.filestrings.dataFileName = "mouse 3";
    p.Markers.add(10, 'd');
    const auto facts = dataFileFacts(p);
    const auto has = [&](const std::string& text) {
        for (const auto& line : facts) {
            if (line.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(has("Data file: mouse 3"));
    EXPECT_TRUE(has("Recording mode: chart"));
    EXPECT_TRUE(has("Ch.1  input 0   O2 %"));
    EXPECT_TRUE(has("Ch.2  input 5   (no label)"));
    EXPECT_TRUE(has("Samples recorded: 120 of 600"));
    EXPECT_TRUE(has("Recorded time: 60 sec"));
    EXPECT_TRUE(has("Saved: no, not yet"));
    EXPECT_TRUE(has("Markers: 1"));
    p.session.nChan = 99;  // a damaged count lists at most 16 channels
    p.session.Sample = -3;
    const auto damaged = dataFileFacts(p);
    EXPECT_LE(damaged.size(), facts.size() + 16);
    EXPECT_NE(std::find(damaged.begin(), damaged.end(), "Saved: nothing to save"), damaged.end());
}

TEST(ChartRateFromMenu, AveragingFollowsTheNewLimit) {
    Program p;
    p.session.nChan = 3;
    p.chart.MaxAvrg = 7;
    chartRateChosenFromMenu(p);
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(p.channels.Nvar[c][kSamplesToAverage], 7.0f);
    }
    EXPECT_EQ(p.channels.Nvar[4][kSamplesToAverage], 0.0f);
    p.prefs[kPrefLastChannelContinuous] = 1;
    p.prefs[kPrefFastScope] = 1;
    p.channels.Nvar[1][kSamplesToAverage] = 2;
    chartRateChosenFromMenu(p);
    EXPECT_EQ(p.channels.Nvar[1][kSamplesToAverage], 2.0f);  // fast scope keeps its averaging
    EXPECT_EQ(p.channels.Nvar[3][kSamplesToAverage], 0.0f);
}

TEST(HelpBook, EveryViewWindowHasItsPage) {
    const std::pair<const char*, const char*> cases[] = {
        {"Sample Rate", "sample_rate.html"},
        {"Sample Rate Precision", "rate_precision.html"},
        {"Chart Display Conditions", "chart_view.html"},
        {"Select Chart and Scope Colors", "screen_colors.html"},
        {"Adjust Chart Height", "plot_height.html"},
        {" Acquisition Window Example ", "window_size.html"},
        {"Status Displays", "status_displays.html"},
        {"Data File Info", "data_file_info.html"},
        {"Digitial Control of External Devices", "switching.html"},
        {"CHART Mode Acquisition Parameters", "channels.html"},
        {"Chart Halted at 41 Samples", "after_run.html"},
        {"Modes and Channels", "modes.html"},
    };
    for (const auto& [title, page] : cases) {
        EXPECT_EQ(helpPageFor(title), page) << title;
    }
    EXPECT_EQ(helpPageFor("Some Window Nobody Wrote"), "");
    EXPECT_EQ(std::string(helpPages().front().file), kHelpHome);
    EXPECT_EQ(mailLink(), "mailto:help@trindel.example.org?subject=Trindel%20question");
}

TEST(HelpBook, MenuRulesEnableTheWindowsWhenTheyApply) {
    Program p;
    p.session.nChan = 0;
    EXPECT_FALSE(menuItemEnabled(p, 2, 16, false, false));
    EXPECT_FALSE(menuItemEnabled(p, 3, 9, false, false));
    EXPECT_FALSE(menuItemEnabled(p, 2, 19, false, false));
    p.session.nChan = 2;
    p.session.RecordingMODE = 1;
    EXPECT_TRUE(menuItemEnabled(p, 2, 16, false, false));
    EXPECT_TRUE(menuItemEnabled(p, 3, 8, false, false));
    EXPECT_FALSE(menuItemEnabled(p, 3, 9, false, true));  // not during a run
    p.session.RecordingMODE = 2;
    EXPECT_FALSE(menuItemEnabled(p, 2, 16, false, false));
    EXPECT_FALSE(menuItemEnabled(p, 3, 8, false, false));
    EXPECT_FALSE(menuItemEnabled(p, 3, 13, false, false));
    p.session.SwitchingMode = 3;
    EXPECT_TRUE(menuItemEnabled(p, 3, 13, false, false));
}

}  // namespace
}  // namespace trindel
