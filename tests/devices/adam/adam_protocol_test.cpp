#include "devices/adam/adam_protocol.h"

#include <gtest/gtest.h>

#include "control/switching_commands.h"

namespace trindel {
namespace {

TEST(AdamProtocol, CommandsByInputAndSensorType) {
    struct Case {
        int input;
        int16_t type;
        const char* range;
        const char* read;
    };
    const Case cases[] = {
        {3, 5, "$017C2R09", "#012"},
        {1, 10, "$017C0R08", "#010"},
        {8, 2, "$017C7R05", "#017"},
        {9, 1, "$037C0R04", "#030"},
        {16, 5, "$037C7R09", "#037"},
        {2, 100, "$017C1R0E", "#011"},
        {4, 101, "$017C3R0F", "#013"},
        {5, 102, "$017C4R10", "#014"},
        {6, 0, "$017C5R09", "#015"},
        {7, 77, "$017C6R09", "#016"},
        {0, 5, "", ""},
        {17, 5, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(adamRangeCommand(c.input, c.type), c.range);
        EXPECT_EQ(adamReadCommand(c.input), c.read);
    }
}

TEST(AdamProtocol, DisplayRangesOfTheSensorTypes) {
    struct Case {
        int16_t type;
        float minimum, maximum;
    };
    const Case cases[] = {{10, -10, 10}, {5, -5, 5},    {0, -5, 5},    {2, -2.5f, 2.5f},
                          {1, -1, 1},    {100, -5, 45}, {101, -5, 45}, {102, -5, 45}};
    for (const Case& c : cases) {
        const AdamSensorRow* row = adamSensorRow(c.type);
        ASSERT_NE(row, nullptr) << c.type;
        EXPECT_EQ(row->minimum, c.minimum);
        EXPECT_EQ(row->maximum, c.maximum);
    }
    EXPECT_EQ(adamSensorRow(3), nullptr);
    EXPECT_EQ(adamRangeCode(3), "09");
}

// Replies keep their sign after the marker: below-zero thermocouples and cold junctions.
TEST(AdamProtocol, ReplyValues) {
    struct Case {
        const char* reply;
        std::optional<double> value;
    };
    const Case cases[] = {
        {">+001.234", 1.234},  {">-0012.5", -12.5}, {">+0025.4", 25.4},
        {">-4.9999", -4.9999}, {"\n>+2.5", 2.5},    {">10", 10.0},
        {"?01", {}},           {">", {}},           {"", {}},
        {"+1.0", {}},          {">abc", {}},        {"!01", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        const auto v = adamReplyValue(c.reply);
        ASSERT_EQ(v.has_value(), c.value.has_value());
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.value);
        }
    }
}

TEST(AdamProtocol, WhoseReplyItIs) {
    EXPECT_TRUE(adamReplyFrom("!014019", 1));
    EXPECT_TRUE(adamReplyFrom("!03", 3));
    EXPECT_FALSE(adamReplyFrom("!024050", 1));
    EXPECT_FALSE(adamReplyFrom(">+001.000", 1));
    EXPECT_FALSE(adamReplyFrom("!0", 0));
    EXPECT_TRUE(adamValueReply(">+001.000"));
    EXPECT_TRUE(adamValueReply("?01"));
    EXPECT_FALSE(adamValueReply("!01"));
    EXPECT_FALSE(adamValueReply(""));
}

TEST(AdamProtocol, SecondModuleFromItsNameReply) {
    EXPECT_EQ(adamSecondModuleCode("!034019"), 11);
    EXPECT_EQ(adamSecondModuleCode("!034017"), 10);
    EXPECT_EQ(adamSecondModuleCode("!034019P"), 11);
    EXPECT_EQ(adamSecondModuleCode("!034050"), 0);
    EXPECT_EQ(adamSecondModuleCode("!03"), 0);
    EXPECT_EQ(adamReplyText("!01A1.05", 3), "A1.05");
    EXPECT_EQ(adamReplyText("!0", 3), "");
}

// The digital-output command agrees with the bytes valve switching sends for valves 1..8, and
// the all-off call (15) gives 07.
TEST(AdamProtocol, DigitalOutputs) {
    for (int k = 1; k <= 8; ++k) {
        const std::string c = adamDigitalOutputCommand(k);
        EXPECT_EQ(c, "#02000" + std::to_string(8 - k));
        EXPECT_EQ(c + "\r", adam4050SwitchCommand(k).bytes);
    }
    EXPECT_EQ(adamDigitalOutputCommand(15), "#020007");
}

TEST(AdamProtocol, AddressCommands) {
    using M = AdamModuleChoice;
    EXPECT_EQ(adamAddressCommand("1", M::Adam4050), "%01020F0600");
    EXPECT_EQ(adamAddressCommand("1", M::SecondAnalogue), "%0103090600");
    EXPECT_EQ(adamAddressCommand("05", M::Primary), "%0501090600");
    EXPECT_EQ(adamAddressCommand(" 7 ", M::Primary), "%0701090600");
    EXPECT_FALSE(adamAddressCommand("1", M::None));
    EXPECT_FALSE(adamAddressCommand("", M::Adam4050));
    EXPECT_FALSE(adamAddressCommand("x1", M::Adam4050));
    EXPECT_FALSE(adamAddressCommand("123", M::Adam4050));
    EXPECT_TRUE(adamAddressAccepted("!03"));
    EXPECT_FALSE(adamAddressAccepted("?01"));
    EXPECT_FALSE(adamAddressAccepted(""));
}

}  // namespace
}  // namespace trindel
