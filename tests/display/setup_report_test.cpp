#include "display/setup_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "files/setup_fixture.h"

namespace trindel {
namespace {

using testing::demoSetup;

SetupReportOptions allOff() {
    return SetupReportOptions{false, false, false, false};
}

std::vector<std::string> split(const std::string& line, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t at = line.find(sep, start);
        parts.push_back(line.substr(start, at - start));
        if (at == std::string::npos) {
            return parts;
        }
        start = at + 1;
    }
}

// A demonstration set-up: four chart channels, demonstration source.
Program demo() {
    Program p = demoSetup(4, 0);
    p.device.DemonstrationMODE = 1;
    p.session.ChartSampleInterval = 0.5f;
    p.session.scopeinterval = 0.002f;
    p.session.SetupFileName = "";
    p.channels.conversionType(1) = 1;
    p.channels.conversionType(2) = 2;
    p.channels.conversionType(3) = 5;
    p.channels.conversionType(4) = 6;
    p.channels.setLabel(1, "O2 (%)");
    return p;
}

TEST(SetupReport, HeaderConverterAndChartLines) {
    Program p = demo();
    auto lines = setupReportLines(p, allOff(), "12/06/26");
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Trindel Chart mode  (12/06/26)");
    EXPECT_EQ(lines[1], std::string(72, '_')) << "no set-up file line without a name";
    EXPECT_EQ(lines[2], "•  Data Acquisition Parameters");
    EXPECT_EQ(lines[3], "A/D converter: simulated ('test mode'  random number generator)");
    EXPECT_EQ(lines[4], "chart sample interval: 0.5 sec; maximum number of samples: 7200");
    EXPECT_EQ(lines[5], "maximum chart recording time: 60 minutes") << "3600 s is not yet hours";

    p.session.SetupFileName = "resp rig.set";
    p.session.MaxSamples = 1000;
    lines = setupReportLines(p, allOff(), "12/06/26");
    EXPECT_EQ(lines[1], "              setup file :  'resp rig.set'");
    EXPECT_EQ(lines[6], "maximum chart recording time: 500 sec");
    p.session.MaxSamples = 2000;
    EXPECT_EQ(setupReportLines(p, allOff(), "")[6],
              "maximum chart recording time: 16.66667 minutes")
        << "1000 s shown in minutes";
    p.session.MaxSamples = 14400;
    EXPECT_EQ(setupReportLines(p, allOff(), "")[6], "maximum chart recording time: 2 hours");
}

TEST(SetupReport, ScopeLinesAndInputRange) {
    Program p = demo();
    p.session.RecordingMODE = 2;
    p.session.ScopeMax = 500;
    p.channels.Nvar[1][kDisplayMax] = 2.5f;
    const auto scopeLines = [&](int16_t scale) {
        p.view.ScopeScale = scale;
        auto lines = setupReportLines(p, allOff(), "");
        return std::vector<std::string>(lines.begin() + 4, lines.begin() + 7);
    };
    auto lines = scopeLines(1);
    EXPECT_EQ(lines[0], "scope sample interval: 0.002sec       number of samples: 500");
    EXPECT_EQ(lines[1], "scope screen contains: 1sec");
    EXPECT_EQ(lines[2], "Scope gain is 10   Input signal range is zero to 2.5volts");
    EXPECT_EQ(scopeLines(2)[2], "Scope gain is 10   Input signal range is  2.5 to zero volts");
    EXPECT_EQ(scopeLines(3)[2], "Scope gain is 10   Input signal range is -2.5 to 2.5 volts");
    EXPECT_EQ(scopeLines(4)[2], "Scope gain is 10   Input signal range is");
    // An interval read back from a set-up file (0.12 / 60 s) shows as it was set.
    p.session.scopeinterval = static_cast<float>(static_cast<double>(0.12f) / 60.0);
    EXPECT_EQ(scopeLines(1)[0], "scope sample interval: 0.002sec       number of samples: 500");

    p.session.RecordingMODE = 3;
    p.view.ScopeScale = 1;
    lines = setupReportLines(p, allOff(), "");
    EXPECT_EQ(lines[0], "Trindel Oscilloscope plus chart mode  ()");
    EXPECT_TRUE(lines[4].starts_with("chart sample interval:"));
    EXPECT_EQ(lines[6], "") << "an empty line before the scope lines";
    EXPECT_TRUE(lines[7].starts_with("scope sample interval:"));
}

TEST(SetupReport, ChannelRows) {
    Program p = demo();
    const auto lines = setupReportLines(p, allOff(), "");
    const auto heading = std::find(lines.begin(), lines.end(),
                                   "\tchan.\tinput\tequation\tA-value\tB-value\tC-value\taveraged"
                                   "      label");
    ASSERT_NE(heading, lines.end());
    EXPECT_EQ(*(heading - 1), std::string(72, '_'));
    // Channel, input, equation, A, B, C, samples averaged, label.
    EXPECT_EQ(*(heading + 1), "\t 1\t 101.25\tlinear\t 102.25\t 103.25\t 104.25\t 107.25\tO2 (%)" +
                                  std::string(24, ' '));
    EXPECT_EQ(split(*(heading + 2), '\t')[3], "2-way poly");
    const auto row3 = split(*(heading + 3), '\t');
    EXPECT_EQ(row3[3], "complex breakpoint equation");
    EXPECT_EQ(row3[4], "") << "no coefficients for a breakpoint equation";
    EXPECT_EQ(row3[7], " 307.25");
    // The label's Mac Roman degree sign comes out as UTF-8.
    EXPECT_EQ(split(*(heading + 3), '\t')[8].substr(0, 13),
              "O2 chan 3 \xC2\xB0"
              "C");
    EXPECT_EQ(split(*(heading + 4), '\t')[3], "3-way polynomial (coefficients below)");
    // The three-way polynomial of channel 4 (its polyarray row 40.5 ... 46.5).
    EXPECT_EQ(*(heading + 5), "Three-way polynomial equation: ");
    EXPECT_EQ(*(heading + 6), "input voltage conversion: V=volts * 46.5");
    EXPECT_EQ(*(heading + 7), "result=  45.5*[ 40.5 +  41.5*V +  42.5*V^2 +  43.5*V^3 ]");
    EXPECT_EQ(*(heading + 8), std::string(72, '_'));
    EXPECT_EQ(heading + 9, lines.end()) << "with every option off the report ends here";
}

TEST(SetupReport, DataTakerThermocoupleAndCounter) {
    Program p = demo();
    p.device.DemonstrationMODE = 0;
    p.device.External_AD = 4;
    p.device.DataTakerChannels[1] = {1, 1, 2, 0, 0};
    p.device.DataTakerChannels[2] = {1, 0, 0, 0, 1};
    const auto lines = setupReportLines(p, allOff(), "");
    const auto first = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& l) { return l.starts_with("\t 1\t"); });
    ASSERT_NE(first, lines.end());
    EXPECT_EQ(split(*first, '\t')[3], "TC type J");
    EXPECT_EQ(split(*(first + 1), '\t')[3], "counter");
    p.device.External_AD = 1;
    EXPECT_EQ(split(setupReportLines(p, allOff(), "")[first - lines.begin()], '\t')[3], "linear");
}

std::vector<std::string> section(const Program& p, SetupReportOptions options) {
    const auto all = setupReportLines(p, options, "");
    const auto base = setupReportLines(p, allOff(), "");
    return std::vector<std::string>(all.begin() + static_cast<long>(base.size()), all.end());
}

TEST(SetupReport, TriggerSection) {
    Program p = demo();
    SetupReportOptions only = allOff();
    only.showTrigger = true;
    EXPECT_EQ(section(p, only),
              std::vector<std::string>{
                  "• Triggering is ON, trigger channel is 2 and the trigger condition is: < 0.3"});
    p.trigger.TriggerMode = 0;
    EXPECT_EQ(section(p, only)[0].back(), '3');
    EXPECT_NE(section(p, only)[0].find(": > 0.3"), std::string::npos);
    p.trigger.TriggerON = 0;
    EXPECT_EQ(section(p, only), std::vector<std::string>{"• Triggering is OFF"});
}

TEST(SetupReport, SwitchingSection) {
    Program p = demo();
    SetupReportOptions only = allOff();
    only.showSwitching = true;
    EXPECT_EQ(section(p, only), std::vector<std::string>{"• Device switching is OFF"});

    p.session.SwitchingMode = 5;
    auto lines = section(p, only);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0],
              "• Device switching is ON, reference interval is  3.25 min, sample interval is  "
              "12.5 min");
    EXPECT_EQ(lines[1], "     The switching mode is:   Periodic references using one device group");
    EXPECT_EQ(lines[2], "     The reference device is  1");
    EXPECT_EQ(lines[3], "     The following channels are connected to sample devices:");
    EXPECT_EQ(lines[4], "         Channel 1 is connected to device 1");

    p.session.SwitchingMode = 8;
    p.channels.Nvar[2][kDeviceNumber] = 0.0f;
    p.channels.Nvar[3][kDeviceNumber] = 6.0f;
    lines = section(p, only);
    EXPECT_EQ(lines[1],
              "     The switching mode is:   Keyboard control, timed reference using two device "
              "groups");
    EXPECT_EQ(lines[2], "       The reference devices are  1 (group 1) and 5 (group 2)");
    ASSERT_EQ(lines.size(), 7u) << "channel 2 has no device";
    EXPECT_EQ(lines[4], "         Channel 1 is connected to device 1 (group 1)");
    EXPECT_EQ(lines[5], "         Channel 3 is connected to device 6 (group 2)");
}

TEST(SetupReport, DisplaySection) {
    Program p = demo();
    p.prefs[kPrefAutorepeat] = 1;
    p.prefs[kPrefBeepAtSample] = 0;
    p.prefs[kPrefManyGridLines] = 1;
    p.prefs[kPrefDashedGridLines] = 0;
    p.prefs[kPrefSwitchingStatusInPlots] = 1;
    p.prefs[kPrefLargeReadouts] = 0;
    p.prefs[kPrefChartViewStyle] = 3;
    p.prefs[kPrefAutomaticBackup] = 1;
    p.session.TimedSaveINTERVAL = 36000;
    SetupReportOptions only = allOff();
    only.showDisplay = true;
    const std::vector<std::string> expected = {
        " • Screen display, audible signals, data backup, alarms:",
        "     Automatic repeat is ON",
        "     Custom time tics are ON;   sample beep is OFF",
        "     Zero lines are NOT SHOWN;    High-density grids are ON",
        "     Grid lines are SOLID",
        "     Switch status is SHOWN",
        "     Numeric readouts are NORMAL;        Slope trends are OFF",
        "     Screen scrolling is 75%",
        "      Audible timing signals are ON",
        "     Automatic data saving is ON and data are saved every 10 minutes",
    };
    EXPECT_EQ(section(p, only), expected);
    p.prefs[kPrefAutomaticBackup] = 0;
    p.prefs[kPrefChartViewStyle] = 0;
    p.view.CustomTic = 0.0;
    const auto lines = section(p, only);
    EXPECT_EQ(lines[2], "     Custom time tics are OFF;   sample beep is OFF");
    EXPECT_EQ(lines[7], "     Screen scrolling is 100%");
    EXPECT_EQ(lines[9], "     Automatic data saving is OFF");
}

TEST(SetupReport, AlarmSection) {
    Program p = demo();
    for (auto& r : p.alarm.alarms) {
        r.fill(0.0f);
    }
    SetupReportOptions only = allOff();
    only.showAlarms = true;
    EXPECT_EQ(section(p, only), std::vector<std::string>{"•  Alarms are NOT SET"});
    p.alarm.alarms[1] = {1, 1, 1, 0, 20, 30};
    p.alarm.alarms[3] = {1, 0, 1, 1, 0, 5.5f};
    p.alarm.alarms[4] = {1, 0, 0, 1};
    const std::vector<std::string> expected = {
        "•  Alarms are ACTIVATED for the following channel(s) and conditions:",
        "     channel 1   less than 20   more than 30",
        "     channel 3   more than 5.5   OVERRANGE",
        "     channel 4   OVERRANGE",
    };
    EXPECT_EQ(section(p, only), expected);
}

TEST(SetupReport, SectionsComeInOrderAndLinesEndWithCarriageReturns) {
    const Program p = demo();
    const auto lines = setupReportLines(p, SetupReportOptions{}, "");
    const auto index = [&](const std::string& start) {
        return std::find_if(lines.begin(), lines.end(),
                            [&](const std::string& l) { return l.starts_with(start); }) -
               lines.begin();
    };
    EXPECT_LT(index("• Triggering"), index("• Device switching"));
    EXPECT_LT(index("• Device switching"), index(" • Screen display"));
    EXPECT_LT(index(" • Screen display"), index("•  Alarms"));
    EXPECT_LT(index("•  Alarms"), static_cast<long>(lines.size()));
    const std::string text = setupReportText(p, SetupReportOptions{}, "");
    EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\r')), lines.size());
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.back(), '\r');
}

}  // namespace
}  // namespace trindel
