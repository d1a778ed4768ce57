#include "control/switching_commands.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

struct DataTakerCase {
    int code, word3, d, d2;
    const char* bytes;
};

TEST(SwitchCommands, DataTakerLines) {
    const DataTakerCase cases[] = {
        {kSwitchDT800, 0, 2, 0, "1DSO=0\r2DSO=1\r3DSO=0\r4DSO=0\r"},
        {kSwitchDT500, 1, 6, 0, "1DSO=0\r2DSO=1\r3DSO=0\r"},  // k = 5 = 101, inverted
        {kSwitchDT50, 1, 1, 0, "1DSO=1\r2DSO=1\r3DSO=1\r"},   // all off, inverted
        {kSwitchDT800, 1, 8, 0, "1DSO=1\r2DSO=1\r3DSO=1\r"},
        {kSwitchDT800, 0, 1, 3, "1DSO=1\r2DSO=0\r3DSO=1\r4DSO=0\r"},  // two groups
        {kSwitchDT500, 0, 2, 0, "1DSO=1\r2DSO=0\r3DSO=1\r4DSO=1\r"},
        {kSwitchDT800, 0, 6, 0, "1DSO=0\r2DSO=0\r3DSO=0\r4DSO=0\r"},  // no line above 4
        {kSwitchDT800, 1, 3, 7, "1DSO=0\r2DSO=1\r3DSO=0\r"},          // group 2 not sent
    };
    for (const auto& c : cases) {
        const SwitchCommand cmd = dataTakerSwitchCommand(c.code, c.word3, c.d, c.d2);
        EXPECT_EQ(cmd.bytes, c.bytes) << c.code << " " << c.word3 << " " << c.d;
        EXPECT_EQ(cmd.answer, SwitchAnswer::None);
    }
}

TEST(SwitchCommands, SableUi2) {
    EXPECT_EQ(ui2SwitchCommand(0, 2, 6).bytes, std::string("o") + char(34) + "\r");
    EXPECT_EQ(ui2SwitchCommand(0, 8, 0).bytes, std::string("o") + char(128) + "\r");
    EXPECT_EQ(ui2SwitchCommand(1, 5, 0).bytes, std::string("o") + char(4) + "\r");
    EXPECT_EQ(ui2SwitchCommand(2, 5, 0).bytes, std::string("m") + char(4) + "\r");
    EXPECT_EQ(ui2SwitchCommand(0, 2, 6).answer, SwitchAnswer::AnyBytes);
}

TEST(SwitchCommands, AdamAndAdc1) {
    EXPECT_EQ(adam4050SwitchCommand(1).bytes, "#020007\r");
    EXPECT_EQ(adam4050SwitchCommand(8).bytes, "#020000\r");
    EXPECT_EQ(adam4050SwitchCommand(3).bytes, "#020005\r");
    std::array<int16_t, 17> cs{};
    cs[3] = 1;
    EXPECT_EQ(adc1SwitchCommand(cs).bytes, std::string(1, char(68)));
    cs[6] = 1;
    EXPECT_EQ(adc1SwitchCommand(cs).bytes, std::string(1, char(68 + 32)));
    EXPECT_EQ(adc1SwitchCommand(cs).answer, SwitchAnswer::OneByte);
}

TEST(SwitchCommands, ValvesOff) {
    EXPECT_EQ(turnValvesOffCommand(kSwitchADAM).bytes, "#020007\r");
    EXPECT_EQ(turnValvesOffCommand(kSwitchDT500).bytes, "1DSO=1\r2DSO=1\r3DSO=1\r4DSO=1\r");
    EXPECT_EQ(turnValvesOffCommand(kSwitchDT800).bytes,
              "1DSO=0\r2DSO=0\r3DSO=0\r4DSO=0\r5DSO=0\r6DSO=0\r7DSO=0\r8DSO=0\r");
    EXPECT_EQ(turnValvesOffCommand(kSwitchUI2).bytes, std::string("o") + '\0' + "\r");
    EXPECT_TRUE(turnValvesOffCommand(kSwitchADC1).bytes.empty());
    EXPECT_TRUE(turnValvesOffCommand(0).bytes.empty());
}

}  // namespace
}  // namespace trindel
