#include "control/switching_setup.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

struct Rig {
    Program p;
    SwitchEffects fx;
    SwitchingSetupModel m{p, fx};
    Rig() {
        p.session.nChan = 4;
        p.session.RecordingMODE = 1;
        p.device.External_AD = kSwitchDT800;
    }
};

TEST(SwitchingSetup, SetupOkFollowsTheModeRequirements) {
    Rig r;
    EXPECT_TRUE(r.m.setupOk());  // no switching needs nothing
    r.m.chooseScheme(5);
    ASSERT_EQ(r.m.mode(), 5);
    r.m.pressReferenceDevice(1);
    r.m.pressChannelDevice(1, 2);
    r.m.setIntervals(1.0f, 0.0f);
    EXPECT_FALSE(r.m.setupOk());  // mode 5 needs a sequence interval
    EXPECT_FALSE(r.m.close().closed);
    r.m.chooseScheme(4);
    EXPECT_TRUE(r.m.setupOk());  // mode 3 ignores it
    r.m.chooseScheme(5);
    r.m.setIntervals(1.0f, 2.0f);
    EXPECT_TRUE(r.m.setupOk());
    r.m.pressChannelDevice(1, 0);
    EXPECT_FALSE(r.m.setupOk());  // no channel has a device
    r.m.pressChannelDevice(1, 2);
    r.m.toggleTwoGroups();
    EXPECT_EQ(r.m.mode(), 6);
    EXPECT_FALSE(r.m.setupOk());  // group 2 has no reference yet
    r.m.pressReferenceDevice(5);
    EXPECT_EQ(r.p.switching.RefChan2, 5);
    EXPECT_EQ(r.p.switching.RefChan, 1);
    EXPECT_TRUE(r.m.setupOk());
    const SwitchingSetupClose c = r.m.close();
    EXPECT_TRUE(c.closed);
    EXPECT_EQ(r.p.switching.RefIsON, 1);
}

TEST(SwitchingSetup, ThreeBitWordEndsTwoGroups) {
    Rig r;
    r.m.chooseScheme(4);
    r.m.toggleTwoGroups();
    ASSERT_EQ(r.m.mode(), 4);
    r.m.chooseOutputCode(1);
    EXPECT_EQ(r.m.mode(), 3);
    EXPECT_EQ(r.p.switching.nGroups, 0);
    EXPECT_FALSE(r.m.twoGroupsEnabled());
    r.m.toggleTwoGroups();
    EXPECT_EQ(r.m.mode(), 3);
    EXPECT_EQ(r.m.switchPattern(6), "101");
    r.m.chooseOutputCode(0);
    EXPECT_EQ(r.m.switchPattern(2), "00000010");
}

TEST(SwitchingSetup, OneChannelModesUseDeviceRowsAndTheSwitchedChannel) {
    Rig r;
    r.m.chooseScheme(3);
    r.m.pressChannelDevice(2, 6);
    r.m.chooseScheme(10);
    EXPECT_EQ(r.m.mode(), 10);
    EXPECT_EQ(r.m.channelDevice(2), 0);  // the per-channel devices do not carry over
    EXPECT_EQ(r.p.prefs[kPrefAutorepeat], 0);
    r.m.toggleDeviceInUse(6);
    EXPECT_TRUE(r.m.deviceInUse(6));
    r.m.chooseSwitchedChannel(2);
    EXPECT_EQ(r.m.switchedChannel(), 2);
    r.m.pressReferenceDevice(1);
    r.m.setIntervals(1.0f, 1.0f);
    r.p.session.nChan = 1;  // a device above the channel count still counts here
    EXPECT_TRUE(r.m.setupOk());
    r.m.chooseScheme(8);
    EXPECT_EQ(r.p.prefs[kPrefAutorepeat], 1);
    EXPECT_TRUE(r.m.close().askSequenceLabels);
    r.m.chooseScheme(4);
    EXPECT_FALSE(r.m.deviceInUse(6));
    EXPECT_EQ(r.p.prefs[kPrefAutorepeat], 0);
}

TEST(SwitchingSetup, DeviceCountsAndScopePlusChart) {
    Rig r;
    r.p.device.External_AD = kSwitchDT500;
    EXPECT_EQ(r.m.referenceButtonCount(), 4);
    r.p.device.External_AD = kSwitchADC1;
    EXPECT_EQ(r.m.referenceButtonCount(), 6);
    EXPECT_EQ(r.m.twoGroupsLabel(), "Use Two Device Groups (1 to 3 and 4 to 6)");
    r.m.chooseScheme(3);
    r.m.toggleTwoGroups();
    r.m.pressReferenceDevice(4);
    EXPECT_EQ(r.p.switching.RefChan2, 4);
    r.p.session.RecordingMODE = 3;
    r.m.chooseScheme(5);
    EXPECT_EQ(r.m.mode(), 3);
    EXPECT_FALSE(r.m.twoGroupsEnabled());
}

TEST(SwitchingSetup, LabelsAndZeroLinks) {
    Rig r;
    setSequenceLabel(r.p.switching, 2, "a label longer than twenty characters");
    EXPECT_EQ(sequenceLabel(r.p.switching, 2), "a label longer than ");
    setSequenceLabel(r.p.switching, 3, "rat");
    EXPECT_EQ(sequenceLabel(r.p.switching, 3), "rat                 ");
    EXPECT_EQ(r.p.switching.prefix.size(), 160u);

    r.p.channels.Nvar[1][kDeviceNumber] = 2;
    ZeroLinkModel z(r.p);
    z.pick(1, 3);
    z.pick(2, 1);  // channel 2 has no device
    z.apply(r.p.switching);
    EXPECT_EQ(r.p.switching.zerolink[3][2], 1);
    EXPECT_EQ(z.choice(2), 0);
    z.pick(1, 3);  // again: removed
    z.apply(r.p.switching);
    EXPECT_EQ(r.p.switching.zerolink[3][2], 0);
}

}  // namespace
}  // namespace trindel
