#include "devices/adam/adam_windows.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(AdamWindows, KeysPickRows) {
    const std::pair<char, int> cases[] = {{'1', 1},  {'9', 9},  {'0', 10}, {'!', 11},
                                          {'@', 12}, {'^', 16}, {'a', 0},  {'&', 0}};
    for (const auto& [key, row] : cases) {
        EXPECT_EQ(adamRowForKey(key), row) << key;
    }
}

TEST(AdamWindows, SensorTypesStoreTypesRangesAndPaddedLabels) {
    Program p;
    p.session.nChan = 3;
    p.device.ADsensorType[2] = 10;
    p.channels.Nvar[1][kDisplayMax] = 99;
    AdamSensorTypesModel m(p);
    EXPECT_EQ(m.rows(), 3);
    EXPECT_EQ(m.type(1), 5);  // 0 shows as ±5
    EXPECT_EQ(m.type(2), 10);
    m.choose(1, 101);
    m.choose(3, 2);
    m.choose(2, 7);  // not a type of the dialog: ignored
    m.editLabel(3, "O2 in");
    m.finish(p);
    EXPECT_EQ(p.device.ADsensorType[1], 101);
    EXPECT_EQ(p.device.ADsensorType[2], 10);
    EXPECT_EQ(p.device.ADsensorType[3], 2);
    EXPECT_EQ(p.channels.Nvar[1][kDisplayMin], -5.0f);
    EXPECT_EQ(p.channels.Nvar[1][kDisplayMax], 45.0f);
    EXPECT_EQ(p.channels.Nvar[3][kDisplayMax], 2.5f);
    EXPECT_EQ(p.channels.label(3), "O2 in" + std::string(25, ' '));
}

TEST(AdamWindows, InputSelectionRows) {
    Program p;
    p.session.nChan = 2;
    p.channels.Nvar[1][kInputNumber] = 1;
    p.channels.Nvar[2][kInputNumber] = 2;
    p.device.ADsensorType[1] = 100;
    {
        AdamChannelsModel m(p, 2);
        EXPECT_EQ(m.inputs(), 8);
        EXPECT_EQ(m.heading(), "ADAM-4019 signal connections");
        EXPECT_EQ(m.useText(1), " in use");
        EXPECT_EQ(m.useText(2), "     available ");  // the channel's own input
        EXPECT_EQ(m.type(1), 100);
        EXPECT_EQ(m.selected(), 2);
        m.select(9);  // beyond the inputs of one module
        EXPECT_EQ(m.selected(), 2);
    }
    p.prefs[kPrefAdamModule] = 10;
    AdamChannelsModel m(p, 2);
    EXPECT_EQ(m.inputs(), 16);
    EXPECT_EQ(m.heading(), "ADAM-4019 + 4017* signal connections");
    EXPECT_EQ(m.inputText(9), "Input 9*");
    EXPECT_EQ(m.choices(3), (std::vector<int16_t>{10, 5, 2, 1, 100, 101, 102}));
    EXPECT_EQ(m.choices(9), (std::vector<int16_t>{10, 5, 1}));
    m.choose(9, 2);  // no ±2.5 on a 4017
    EXPECT_EQ(m.selected(), 2);
    m.choose(9, 10);
    EXPECT_EQ(m.selected(), 9);
    m.finish(p);
    EXPECT_EQ(p.channels.Nvar[2][kInputNumber], 9.0f);
    EXPECT_EQ(p.device.ADsensorType[2], 10);
    EXPECT_EQ(p.channels.Nvar[2][kDisplayMin], -10.0f);
}

TEST(AdamWindows, AddressWindowAndCheckTexts) {
    AdamAddressModel m;
    EXPECT_FALSE(m.command());
    m.chooseModule(AdamModuleChoice::Adam4050);
    EXPECT_EQ(m.command(), "%01020F0600");
    m.setOriginalAddress("x");
    EXPECT_FALSE(m.command());
    const auto ok = addressCheckLines("%01020F0600", "!02", true);
    ASSERT_EQ(ok.size(), 4u);
    EXPECT_EQ(ok[1], "response received:   !02");
    EXPECT_EQ(ok[2], "Re-addressing apparently successful! ");
    const auto bad = addressCheckLines("%01020F0600", "?01", false);
    EXPECT_EQ(bad.back(), "Possible error (invalid command)! ");
    EXPECT_EQ(addressResetLine(3), "3");
    EXPECT_EQ(addressResetLine(8), "OK to proceed");
}

}  // namespace
}  // namespace trindel
