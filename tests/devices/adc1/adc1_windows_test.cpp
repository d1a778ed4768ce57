#include "devices/adc1/adc1_windows.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(Adc1Windows, InputAndGainSelection) {
    Program p;
    p.session.nChan = 2;
    p.channels.Nvar[1][kInputNumber] = 4;
    p.channels.Nvar[2][kInputNumber] = 0;  // not set yet: the channel's own number
    Adc1InputModel m(p, 2);
    EXPECT_EQ(m.title(), "Input Selection For Chart Channel 2");
    EXPECT_EQ(m.selected(), 2);
    EXPECT_EQ(m.useText(4), " in use");
    EXPECT_EQ(m.useText(2), " available");
    EXPECT_EQ(m.gain(), 1);
    m.select(17);
    EXPECT_EQ(m.selected(), 2);
    m.select(16);
    m.chooseGain(4);
    EXPECT_EQ(m.gain(), 1);
    m.chooseGain(3);
    m.finish(p);
    EXPECT_EQ(p.channels.Nvar[2][kInputNumber], 16.0f);
    EXPECT_EQ(p.device.GainSet, 3);
}

}  // namespace
}  // namespace trindel
