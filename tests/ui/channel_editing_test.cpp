// Cutting, adding and re-ordering channels: every per-channel record moves with its channel.
#include "ui/channel_editing.h"
#include "ui/menu_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trindel {
namespace {

// Each channel's records carry its own number in every field, so a test can see where each
// record went: value = channel x 100 + element.
void stamp(Program& p, int channels) {
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.session.RecordingMODE = 1;
    p.session.nChan = static_cast<int16_t>(channels);
    for (int c = 1; c <= kMaxChannels; ++c) {
        const auto n = static_cast<size_t>(c);
        const float base = static_cast<float>(c * 100);
        p.channels.Nvar[0][n] = base;
        for (size_t e = 1; e < 18; ++e) {
            p.channels.Nvar[n][e] = base + static_cast<float>(e);
        }
        p.channels.Nvar[n][kBandHeight] = 100;
        p.channels.Nvar[n][kDeviceNumber] = 0;
        p.channels.setLabel(c, "label " + std::to_string(c));
        for (size_t e = 0; e < 24; ++e) {
            p.alarm.alarms[n][e] = base + static_cast<float>(e);
        }
        for (size_t e = 0; e < 5; ++e) {
            p.device.DataTakerChannels[n][e] = static_cast<int16_t>(c * 100 + static_cast<int>(e));
        }
        for (size_t e = 0; e < 22; ++e) {
            p.conversion.SpecialOps[n][e] = base + static_cast<float>(e);
        }
        for (size_t e = 0; e < 23; ++e) {
            p.conversion.BPconvert[n][e] = base + static_cast<float>(e);
        }
        for (size_t e = 0; e < 8; ++e) {
            p.conversion.polyarray[n][e] = base + static_cast<float>(e);
        }
        p.device.GainArray[n] = static_cast<int16_t>(c);
        p.conversion.SpikeFilterArray[n] = base;
    }
}

// New channel k must hold everything old channel `old` held.
void expectChannelFrom(const Program& p, int k, int old) {
    SCOPED_TRACE("new " + std::to_string(k) + " from old " + std::to_string(old));
    const auto n = static_cast<size_t>(k);
    const float base = static_cast<float>(old * 100);
    EXPECT_EQ(p.channels.Nvar[0][n], base);
    for (size_t e = 1; e < 18; ++e) {
        // The band layout is laid out afresh; the device number is set per test.
        if ((e < kBandHeight || e > kLastPenRow) && e != kDeviceNumber) {
            EXPECT_EQ(p.channels.Nvar[n][e], base + static_cast<float>(e)) << e;
        }
    }
    EXPECT_EQ(p.channels.label(k).substr(0, 8),
              ("label " + std::to_string(old) + "  ").substr(0, 8));
    for (size_t e = 0; e < 23; ++e) {
        EXPECT_EQ(p.alarm.alarms[n][e], base + static_cast<float>(e)) << e;
    }
    for (size_t e = 0; e < 5; ++e) {
        EXPECT_EQ(p.device.DataTakerChannels[n][e], old * 100 + static_cast<int>(e)) << e;
    }
    EXPECT_EQ(p.conversion.SpecialOps[n][17], base + 17);
    EXPECT_EQ(p.conversion.BPconvert[n][21], base + 21);
    EXPECT_EQ(p.conversion.polyarray[n][7], base + 7);
    EXPECT_EQ(p.device.GainArray[n], old);
    EXPECT_EQ(p.conversion.SpikeFilterArray[n], base);
}

TEST(ChannelEditing, CutMovesWholeRecordsOfKeptChannels) {
    struct Case {
        int mode, channels;
        std::vector<int> cut, kept;
    };
    for (const Case& c : {Case{1, 5, {2, 4}, {1, 3, 5}}, Case{1, 3, {1}, {2, 3}},
                          Case{3, 4, {2}, {1, 3, 4}}, Case{1, 16, {16}, {}}}) {
        Program p;
        stamp(p, c.channels);
        p.session.RecordingMODE = static_cast<int16_t>(c.mode);
        CutChannelsModel model(p);
        for (int ch : c.cut) {
            ASSERT_TRUE(model.toggle(ch));
        }
        const ChannelEditOutcome out = model.done(p);
        EXPECT_TRUE(out.changed);
        EXPECT_TRUE(out.playRip);
        std::vector<int> kept = c.kept;
        if (kept.empty()) {
            for (int k = 1; k < c.channels; ++k) {
                kept.push_back(k);
            }
        }
        ASSERT_EQ(p.session.nChan, static_cast<int>(kept.size()));
        for (size_t k = 0; k < kept.size(); ++k) {
            expectChannelFrom(p, static_cast<int>(k) + 1, kept[k]);
        }
        for (int k = p.session.nChan + 1; k <= kMaxChannels; ++k) {
            EXPECT_EQ(p.channels.Nvar[static_cast<size_t>(k)][kInputNumber], 0.0f);
            EXPECT_EQ(p.channels.conversionType(k), 0.0f);
        }
    }
}

TEST(ChannelEditing, CuttingEveryOfferedChannelChangesNothing) {
    for (int mode : {1, 3}) {
        Program p;
        stamp(p, 3);
        p.session.RecordingMODE = static_cast<int16_t>(mode);
        const Program before = p;
        CutChannelsModel model(p);
        for (int ch : model.offered()) {
            model.toggle(ch);
        }
        const ChannelEditOutcome out = model.done(p);
        EXPECT_TRUE(out.playBzot);
        EXPECT_FALSE(out.changed);
        EXPECT_TRUE(sameStateExceptStore(p, before));
    }
    Program p;
    stamp(p, 3);
    p.session.RecordingMODE = 3;
    CutChannelsModel model(p);
    EXPECT_FALSE(model.toggle(1));  // the scope channel is not offered
    EXPECT_EQ(model.offered(), (std::vector<int>{2, 3}));
}

TEST(ChannelEditing, CutSwitchingConsequences) {
    Program p;
    stamp(p, 3);
    p.session.SwitchingMode = 2;
    p.switching.PresentChan = 3;
    p.switching.nGroups = 2;
    p.channels.Nvar[3][kDeviceNumber] = 6;
    CutChannelsModel model(p);
    model.toggle(3);
    ChannelEditOutcome out = model.done(p);
    EXPECT_EQ(p.switching.PresentChan, 0);
    EXPECT_EQ(p.switching.nGroups, 1);  // the channel on device 6 is gone
    EXPECT_TRUE(out.openSwitchingSetup);
    EXPECT_TRUE(out.selectNextValve);
    EXPECT_FALSE(out.dataTakerInputStatus);

    Program q;
    stamp(q, 3);
    q.session.SwitchingMode = 9;
    q.switching.PresentChan = 2;
    q.device.External_AD = 4;
    q.channels.Nvar[1][kDeviceNumber] = 1;
    CutChannelsModel m2(q);
    m2.toggle(2);
    out = m2.done(q);
    EXPECT_EQ(q.switching.PresentChan, 2);
    EXPECT_FALSE(out.openSwitchingSetup);
    EXPECT_TRUE(out.dataTakerInputStatus);
}

TEST(ChannelEditing, MenuEnabling) {
    Program p;
    stamp(p, 1);
    struct Case {
        int mode, channels;
        bool cut, add;
    };
    for (const Case c : {Case{1, 1, false, true}, Case{1, 2, true, true}, Case{1, 15, true, true},
                         Case{1, 16, true, false}, Case{3, 2, false, true}, Case{3, 3, true, true},
                         Case{3, 5, true, false}, Case{2, 3, false, false}}) {
        p.session.RecordingMODE = static_cast<int16_t>(c.mode);
        p.session.nChan = static_cast<int16_t>(c.channels);
        EXPECT_EQ(cutChannelsEnabled(p), c.cut) << c.mode << " " << c.channels;
        EXPECT_EQ(addChannelEnabled(p), c.add) << c.mode << " " << c.channels;
        // The menu items follow the same rules, and never during a run.
        EXPECT_EQ(menuItemEnabled(p, 4, 20, false, false), c.cut) << c.mode << " " << c.channels;
        EXPECT_EQ(menuItemEnabled(p, 4, 21, false, false), c.add) << c.mode << " " << c.channels;
        EXPECT_EQ(menuItemEnabled(p, 2, 2, false, false), c.mode != 2 && c.channels > 1)
            << c.mode << " " << c.channels;
        EXPECT_FALSE(menuItemEnabled(p, 4, 20, false, true));
        EXPECT_FALSE(menuItemEnabled(p, 2, 2, false, true));
    }
}

TEST(ChannelEditing, AddedChannelStartsClean) {
    Program p;
    stamp(p, 2);  // row 3 still holds an old channel's records
    ChannelEditOutcome out = ADD_a_CHANNEL(p, 7);
    ASSERT_TRUE(out.changed);
    EXPECT_EQ(p.session.nChan, 3);
    const auto& row = p.channels.Nvar[3];
    EXPECT_EQ(row[kInputNumber], 7.0f);
    EXPECT_EQ(p.channels.conversionType(3), 1.0f);
    EXPECT_EQ(row[kCoeffA], 0.0f);
    EXPECT_EQ(row[kCoeffB], 1.0f);
    EXPECT_EQ(row[kCoeffC], 0.0f);
    EXPECT_EQ(row[kDisplayMax], 5.0f);
    EXPECT_EQ(row[kDisplayMin], -5.0f);
    EXPECT_EQ(row[kSamplesToAverage], 1.0f);
    EXPECT_EQ(p.channels.label(3), std::string(30, ' '));
    EXPECT_EQ(p.alarm.alarms[3][5], 0.0f);
    EXPECT_EQ(p.conversion.BPconvert[3][4], 0.0f);
    EXPECT_EQ(p.device.DataTakerChannels[3][0], 1);
    expectChannelFrom(p, 2, 2);  // the others are untouched
    p.device.External_AD = 6;
    ADD_a_CHANNEL(p, 1);
    EXPECT_EQ(p.channels.Nvar[4][kDisplayMax], 0.42f);
    EXPECT_EQ(p.channels.Nvar[4][kDisplayMin], -0.42f);
    p.session.nChan = 16;
    EXPECT_FALSE(ADD_a_CHANNEL(p, 1).changed);
    EXPECT_EQ(p.session.nChan, 16);
}

TEST(ChannelEditing, RearrangeMovesRecordsAndXYAndDropsTheRest) {
    Program p;
    stamp(p, 5);
    p.view.XY[12] = 3;
    p.view.XY[13] = 5;
    p.view.ShowXYPlot = 1;
    p.switching.zerolink[2][1] = 5;
    RearrangeModel model(p);
    for (int c : {5, 3, 2}) {
        ASSERT_TRUE(model.place(c));
    }
    EXPECT_FALSE(model.place(3));  // placed already
    EXPECT_FALSE(model.buttonEnabled(5));
    ASSERT_TRUE(model.apply(p).changed);
    EXPECT_EQ(p.session.nChan, 3);
    expectChannelFrom(p, 1, 5);
    expectChannelFrom(p, 2, 3);
    expectChannelFrom(p, 3, 2);
    EXPECT_EQ(p.view.XY[12], 2.0f);  // old 3 against old 5 is now 2 against 1
    EXPECT_EQ(p.view.XY[13], 1.0f);
    EXPECT_EQ(p.view.ShowXYPlot, 1);
    EXPECT_EQ(p.switching.zerolink[3][1], 1);  // old 2 linked to old 5, now 3 to 1
    EXPECT_EQ(p.events.Action, 99);
    // Bands: heights 100 each scaled to fill 1024 - 60 rows (prefs hold the window height).
    const float h =
        std::trunc(100.0f * static_cast<float>(p.prefs[kPrefWindowHeight] - 60) / 300.0f);
    float top = 35;
    for (int c = 1; c <= 3; ++c) {
        const auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        EXPECT_EQ(row[kBandHeight], h);
        EXPECT_EQ(row[kReadoutRow], top);
        EXPECT_EQ(row[kBandBottom], top + h);
        EXPECT_EQ(row[kLabelRow], top + h - 2);
        EXPECT_EQ(row[kLastPenRow], top + h);
        top += h + 1;
    }
}

TEST(ChannelEditing, RearrangeDroppingAnXYChannelSwitchesThePlotOff) {
    Program p;
    stamp(p, 3);
    p.view.XY[12] = 1;
    p.view.XY[13] = 3;
    p.view.ShowXYPlot = 1;
    RearrangeModel model(p);
    model.place(1);
    model.place(2);
    model.apply(p);
    EXPECT_EQ(p.view.XY[13], 0.0f);
    EXPECT_EQ(p.view.ShowXYPlot, 0);
}

TEST(ChannelEditing, RearrangeInScopePlusChartKeepsChannelOneFirst) {
    Program p;
    stamp(p, 4);
    p.session.RecordingMODE = 3;
    RearrangeModel model(p);
    EXPECT_EQ(model.order(), (std::vector<int>{1}));
    EXPECT_FALSE(model.buttonEnabled(1));
    const Program before = p;
    EXPECT_FALSE(model.apply(p).changed);  // only the scope channel placed
    EXPECT_TRUE(sameStateExceptStore(p, before));
    model.place(4);
    model.place(2);
    model.arrangeAgain();
    EXPECT_EQ(model.order(), (std::vector<int>{1}));
    model.place(3);
    model.place(2);
    ASSERT_TRUE(model.apply(p).changed);
    expectChannelFrom(p, 1, 1);
    expectChannelFrom(p, 2, 3);
    expectChannelFrom(p, 3, 2);
    EXPECT_EQ(p.session.nChan, 3);
}

}  // namespace
}  // namespace trindel
