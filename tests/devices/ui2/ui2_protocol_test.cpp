#include "devices/ui2/ui2_protocol.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trindel {
namespace {

using M = UI2TempMode;

TEST(UI2Protocol, CommandBytes) {
    struct Case {
        int input;
        M mode;
        int byte;  // -1: none
    };
    const Case cases[] = {
        {1, M::Celsius, 144},  {3, M::Volts, 146},    {8, M::Ohms, 151},    {9, M::Celsius, 176},
        {12, M::Celsius, 179}, {9, M::Volts, 180},    {12, M::Ohms, 183},   {10, M::Ohms, 181},
        {13, M::Celsius, 99},  {14, M::Celsius, 193}, {15, M::Celsius, -1}, {0, M::Celsius, -1},
        {16, M::Volts, -1},
    };
    for (const Case& c : cases) {
        const auto b = ui2CommandByte(c.input, c.mode);
        if (c.byte < 0) {
            EXPECT_FALSE(b.has_value()) << c.input;
        } else {
            ASSERT_TRUE(b.has_value()) << c.input;
            EXPECT_EQ(*b, c.byte) << c.input;
        }
    }
}

TEST(UI2Protocol, ReplyScaling) {
    struct Case {
        int input;
        M mode;
        int low, high;
        bool newFirmware;
        double want;
        double tolerance;
    };
    const Case cases[] = {
        {3, M::Celsius, 0, 128, false, 0.0, 0.0},                // 32768 is zero
        {3, M::Celsius, 255, 255, false, 32767 / 6553.5, 1e-5},  // ≈ 5.0 V
        {3, M::Celsius, 255, 255, true, 32767 / 6399.9, 1e-5},   // ≈ 5.12 V
        {1, M::Celsius, 0, 0, false, -32768 / 6553.5, 1e-5},     // ≈ -5.0 V
        {9, M::Celsius, 5000 % 256, 5000 / 256, false, 0.0, 1e-6},
        {10, M::Celsius, 30000 % 256, 30000 / 256, false, 25.0, 1e-4},
        {11, M::Volts, 65535 % 256, 65535 / 256, false, 65535 * 7.6295e-5, 1e-5},
        {13, M::Celsius, 0x34, 0x12, false, 0x1234, 0.0},
        {14, M::Celsius, 0, 128, false, 32768 * 7.6295e-5, 1e-5},
        {14, M::Celsius, 0, 128, true, 32768 * 7.812608e-5, 1e-5},
    };
    for (const Case& c : cases) {
        const auto v = ui2ReplyValue(c.input, c.mode, static_cast<uint8_t>(c.low),
                                     static_cast<uint8_t>(c.high), c.newFirmware);
        ASSERT_TRUE(v.has_value());
        EXPECT_NEAR(*v, c.want, c.tolerance) << c.input << " " << c.low << "," << c.high;
    }
    EXPECT_NEAR(*ui2ReplyValue(3, M::Celsius, 255, 255, false), 5.0, 1e-3);
    EXPECT_NEAR(*ui2ReplyValue(3, M::Celsius, 255, 255, true), 5.12, 1e-3);
    EXPECT_FALSE(ui2ReplyValue(15, M::Celsius, 1, 2, false).has_value());
}

// Ohms at 2.5 V: the raw count that reads 2.5 V gives 100000 ohms.
TEST(UI2Protocol, OhmsAtHalfScale) {
    const int raw = static_cast<int>(2.5 / 7.6295e-5 + 0.5);
    const float ohms = *ui2ReplyValue(12, M::Ohms, static_cast<uint8_t>(raw % 256),
                                      static_cast<uint8_t>(raw / 256), false);
    EXPECT_NEAR(ohms, 100000.0, 10.0);
    EXPECT_EQ(ui2TempMode(7), M::Celsius);  // a damaged stored mode reads as temperature
}

TEST(UI2Protocol, ContactAndFirmware) {
    EXPECT_TRUE(ui2ContactAnswered("210\r"));
    EXPECT_TRUE(ui2ContactAnswered("106"));
    EXPECT_FALSE(ui2ContactAnswered("105"));
    EXPECT_FALSE(ui2ContactAnswered("xyz"));
    EXPECT_EQ(ui2StartupVersion("210\r\n"), "210");
    EXPECT_EQ(ui2FirmwareVersion("210\r\n"), "210\r");
    EXPECT_TRUE(ui2NewFirmware("200"));
    EXPECT_FALSE(ui2NewFirmware("199"));
    const auto wide = ui2FirmwareLines("210");
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_EQ(wide[0], "The UI2 firmware version is 210");
    EXPECT_EQ(wide[1], "\xA5  channels 1-8:  \xB1 5.12 V");
    EXPECT_EQ(wide[2], "\xA5  channels T1-T4:  degrees C, or zero to 5.12 V");
    const auto narrow = ui2FirmwareLines("150");
    EXPECT_EQ(narrow[1], "\xA5  channels 1-8:  \xB1 5.00 V");
}

TEST(UI2Protocol, SerialFieldOfTheInstrumentText) {
    const std::string text = "FoxBox,20.95 %,0.0312:x,12.5mV,,7\r\n";
    struct Case {
        int field;
        bool has;
        float want;
    };
    const Case cases[] = {{1, true, 20.95f}, {2, true, 0.0312f}, {3, true, 12.5f}, {4, false, 0.0f},
                          {5, true, 7.0f},   {6, false, 0.0f},   {0, true, 20.95f}};
    for (const Case& c : cases) {
        const auto v = ui2SerialField(text, c.field);
        EXPECT_EQ(v.has_value(), c.has) << c.field;
        if (c.has && v) {
            EXPECT_FLOAT_EQ(*v, c.want) << c.field;
        }
    }
}

TEST(UI2Protocol, AnalogOutCommand) {
    EXPECT_EQ(ui2AnalogOutCommand(2.5f, 0.0f), std::string("D\xFF\x07\x00\x00\r", 6));
    // Negative is 0 V; above 5 V is held at 4095 rather than wrapping.
    EXPECT_EQ(ui2AnalogOutCommand(-1.0f, 9.0f), std::string("D\x00\x00\xFF\x0F\r", 6));
    EXPECT_EQ(ui2AnalogOutCommand(std::nanf(""), 5.0f), std::string("D\x00\x00\xFF\x0F\r", 6));
}

}  // namespace
}  // namespace trindel
