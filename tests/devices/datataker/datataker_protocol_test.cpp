#include "devices/datataker/datataker_protocol.h"

#include <gtest/gtest.h>

#include "devices/device_setup.h"

namespace trindel {
namespace {

using M = DataTakerModel;

DataTakerInput input(int16_t kind, int16_t tcType, int16_t wiring, int16_t counter = 0) {
    return {kind, static_cast<int16_t>(kind == 0 ? 1 : 0), tcType, wiring, counter};
}

TEST(DataTakerProtocol, ChannelSpecificationTexts) {
    struct Case {
        DataTakerInput fields;
        int n;
        M model;
        bool high;
        const char* text;
    };
    const Case cases[] = {
        {input(1, 0, 1), 3, M::DT500, false, "3 + V"},   // single-ended on "+"
        {input(1, 0, 0), 12, M::DT500, false, "1:12V"},  // expansion module
        {input(1, 0, 0), 11, M::DT50, false, "1:11V"},
        {input(1, 0, 0), 12, M::DT800, false, "12V"},  // no expansion prefix on the DT800
        {input(1, 0, 0), 7, M::DT800, true, "7VNC"},
        {input(1, 0, 0), 7, M::DT500, true, "7V"},  // high speed is the DT800's alone
        {input(1, 0, 0, 1), 5, M::DT800, false, "5C"},
        {input(1, 0, 2, 1), 5, M::DT500, false, "5HSC"},  // a counter ignores the other fields
        {input(0, 2, 2), 2, M::DT500, false, "2-TJ"},
        {input(0, 3, 3), 4, M::DT800, false, "4*TK"},
        {input(0, 1, 0), 1, M::DT500, false, "1TT"},
        {input(0, 0, 0), 1, M::DT500, false, "1TT"},
        {input(2, 0, 1), 4, M::DT800, true, "4 + R(2W)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(channelSpecification(c.fields, c.n, c.model, c.high), c.text);
    }
    EXPECT_TRUE(answersInMillivolts(input(1, 0, 0)));
    EXPECT_FALSE(answersInMillivolts(input(1, 0, 0, 1)));
    EXPECT_FALSE(answersInMillivolts(input(0, 2, 0)));
    EXPECT_FALSE(answersInMillivolts(input(2, 0, 0)));
}

TEST(DataTakerProtocol, CommandSequences) {
    using V = std::vector<std::string>;
    EXPECT_EQ(dt500SetupCommands(), (V{"CLEAR", "/u/n/e", "1DSO=1", "2DSO=1", "3DSO=1", "4DSO=1"}));
    const V dt800 = dt800SetupCommands();
    ASSERT_EQ(dt800.size(), 29u);
    EXPECT_EQ(dt800.front(), "RESET");
    EXPECT_EQ(dt800[7], "/k");
    EXPECT_EQ(dt800[11], "/k");
    EXPECT_EQ(dt800.back(), "1SSPWR=1");
    EXPECT_EQ(dt800SpeedCommands(true, false, 60),
              (V{"CLEAR", "P11=60", "P46=16", "P60=100", "P57=1", "P58=100"}));
    EXPECT_EQ(dt800SpeedCommands(true, true, 60)[1], "P11=1000");
    EXPECT_EQ(dt800SpeedCommands(false, true, 50),
              (V{"CLEAR", "P11=50", "P46=80", "P60=50", "P57=5", "P58=10"}));
    EXPECT_EQ(counterPresetCommand(3, 100), "3HSC= 100");
}

TEST(DataTakerProtocol, BurstCommand) {
    const std::tuple<double, int, const char*> cases[] = {
        {0.004, 500, "RX;BURST(2000,2000) 1VNC"},  {0.001, 500, "RX;BURST(500,2000) 1VNC"},
        {0.0002, 400, "RX;BURST(400,10000) 1VNC"}, {0.0005, 400, "RX;BURST(400,4000) 1VNC"},
        {0.002, 300, "RX;BURST(600,2000) 1VNC"},   {0.0001, 300, "RX;BURST(300,1000) 1VNC"},
        {0.01, 100, "RX;BURST(800,2000) 1VNC"}};
    for (const auto& [interval, max, text] : cases) {
        EXPECT_EQ(burstCommand(interval, max, 1), text) << interval;
    }
}

TEST(DataTakerProtocol, ReadingReplies) {
    const std::pair<const char*, std::optional<double>> cases[] = {{"1500", 1500.0},
                                                                   {" -1.5E+2", -150.0},
                                                                   {"3V 1500.0 mV", 1500.0},
                                                                   {"1500 mV", 1500.0},
                                                                   {"1500mV", 1500.0},
                                                                   {"  +0012.50  ", 12.5},
                                                                   {"1V=2.5", 2.5},
                                                                   {"1:12V 3.25 mV", 3.25},
                                                                   {"\n21.7", 21.7},
                                                                   {"E4 SYNTAX ERROR", {}},
                                                                   {"#@!?~xQ%", {}},
                                                                   {"", {}},
                                                                   {"3V mV", {}},
                                                                   {"nan", {}}};
    for (const auto& [reply, value] : cases) {
        EXPECT_EQ(parseReading(reply), value) << reply;
    }
}

TEST(DataTakerProtocol, FirmwareAndSelfTestTexts) {
    EXPECT_EQ(dt500FirmwareText("DT500 V4.02 ROM OK\r\n"), "DT500 V4.02 ROM OK");
    EXPECT_EQ(dt500FirmwareText("x"), "");
    EXPECT_EQ(dt800FirmwareText("aaT800 V6"), "T800 V6");
    EXPECT_EQ(dt800FirmwareWindowText("T800 V6 F1.06"), "\xA5  dT800 V\r\tF1.06");
    EXPECT_EQ(diagnosticsLine("RAM PASS"), " RAM PASS");
    EXPECT_EQ(diagnosticsLine("\nRAM PASS"), " RAM PASS");
    EXPECT_TRUE(diagnosticsFailed("Clock  FAIL\n"));
    EXPECT_FALSE(diagnosticsFailed("FAIL Clock PASS"));
    EXPECT_EQ(dataTakerSubmenuItems(M::DT50)[1], "    DT50 Firmware\xC9");
}

// The DT500 always opens at 4800; the fall-back speeds apply only when no speed was chosen, so
// the DT50's table speed (9600) is kept.
TEST(DataTakerProtocol, OpeningSpeeds) {
    EXPECT_EQ(openingSpeed(2, 9600), 4800);
    EXPECT_EQ(openingSpeed(3, 9600), 9600);
    EXPECT_EQ(openingSpeed(3, 0), 4800);
    EXPECT_EQ(openingSpeed(4, 0), 57600);
    EXPECT_EQ(openingSpeed(4, 57600), 57600);
    EXPECT_EQ(openingSpeed(1, 0), 9600);
}

}  // namespace
}  // namespace trindel
