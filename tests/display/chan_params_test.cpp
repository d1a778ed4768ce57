#include <gtest/gtest.h>

#include "display/chart_screen.h"

namespace trindel {
namespace {

TEST(ChanParams, EvenBandsFillTheWindow) {
    Program p;
    p.session.nChan = 4;
    p.prefs[kPrefWindowHeight] = 700;
    p.scope.scope(1, 5) = 3.0f;
    SetChanParams(p, 700, 0);
    for (int c = 1; c <= 4; ++c) {
        const auto& row = p.channels.Nvar[c];
        EXPECT_EQ(row[kBandHeight], 160.0f);
        EXPECT_EQ(row[kBandBottom], c * 160.0f + 34.0f);
        EXPECT_EQ(row[kReadoutRow], row[kBandBottom] - 160.0f);
        EXPECT_EQ(row[kLabelRow], row[kBandBottom] - 2.0f);
        EXPECT_EQ(row[kLastPenRow], row[kBandBottom]);
    }
    EXPECT_EQ(p.scope.scope(1, 5), 0.0f);  // the sweep start is cleared
    SetChanParams(p, 0, 0);                // no height known: a 768-pixel window
    EXPECT_EQ(p.channels.Nvar[1][kBandHeight], 177.0f);
}

TEST(ChanParams, RescaleKeepsProportionsAndStacksBands) {
    Program p;
    p.session.nChan = 2;
    p.channels.Nvar[1][kBandHeight] = 100.0f;
    p.channels.Nvar[2][kBandHeight] = 300.0f;
    p.prefs[kPrefWindowHeight] = 860;  // from 460: bands double
    SetChanParams(p, 460, 1);
    EXPECT_EQ(p.channels.Nvar[1][kBandHeight], 200.0f);
    EXPECT_EQ(p.channels.Nvar[1][kBandBottom], 235.0f);
    EXPECT_EQ(p.channels.Nvar[2][kReadoutRow], 236.0f);
    EXPECT_EQ(p.channels.Nvar[2][kBandHeight], 600.0f);
    EXPECT_EQ(p.channels.Nvar[2][kBandBottom], 836.0f);
    EXPECT_EQ(p.channels.Nvar[2][kLabelRow], 834.0f);
}

TEST(ChanParams, NoChannelsOrUnusablePreviousHeightDoNotDivideByZero) {
    Program p;
    p.session.nChan = 0;
    SetChanParams(p, 700, 0);
    p.session.nChan = 2;
    p.prefs[kPrefWindowHeight] = 660;
    p.channels.Nvar[2][kBandHeight] = 50.0f;
    SetChanParams(p, 60, 1);  // no usable previous height: the bands stay as they were
    EXPECT_EQ(p.channels.Nvar[2][kBandHeight], 50.0f);
}

}  // namespace
}  // namespace trindel
