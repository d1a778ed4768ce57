#include "control/switching_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/switching_schedule.h"

namespace trindel {
namespace {

// One switch as the outside sees it: when, which device ("R" for the reference), the marker.
struct Switch {
    int32_t tick;
    std::string device;
    bool operator==(const Switch&) const = default;
};

struct Recorder : SwitchEffects {
    std::vector<std::string> sent;
    std::vector<int> markers;
    int ticks = 0;
    std::string send(const SwitchCommand& c) override {
        sent.push_back(c.bytes);
        return c.answer == SwitchAnswer::OneByte ? std::string(1, char(0x55)) : std::string();
    }
    void tickSound() override { ++ticks; }
    void insertMarker(int code) override { markers.push_back(code); }
};

struct SwitchingRig {
    Program p;
    Recorder fx;
    std::vector<Switch> log;
    SwitchingRig(int mode, float refint, float switchint) {
        p.session.SwitchingMode = static_cast<int16_t>(mode);
        p.session.nChan = 4;
        p.session.MaxSamples = 7200;  // two hours at 1 s
        p.session.ChartINTERVALinSECONDS = 1.0;
        p.switching.refint = refint;
        p.switching.switchint = switchint;
        p.switching.RefChan = 1;
        p.prefs[kPrefMarkerAtDeviceSwitch] = 1;
        p.device.External_AD = kSwitchDT800;
    }
    void device(int row, float d) { p.channels.Nvar[static_cast<size_t>(row)][kDeviceNumber] = d; }
    // The run driver's reference, the start of the recording at tick 1000, then one pass a tick.
    void run(int32_t until) {
        SWITCHTOREFERENCE(p, fx);
        note(995);
        startSwitchingSchedule(p, 1000, 59.999f, false);
        for (int32_t t = 1000; t <= until; ++t) {
            step(t);
        }
    }
    void step(int32_t t) {
        switchingPass(p, fx, t);
        note(t);
    }
    void note(int32_t t) {
        const std::string now =
            p.switching.RefIsON != 0 ? "R" : std::to_string(p.switching.DeviceInUse);
        if (log.empty() || log.back().device != now) {
            log.push_back({t, now});
        }
    }
};

constexpr int32_t kMin = 3600;

TEST(SwitchingSchedule, PeriodicReferencesCycleThroughTheChannels) {
    SwitchingRig r(5, 1.0f, 2.0f);
    r.p.session.nChan = 3;
    r.device(1, 2);
    r.device(2, 3);
    r.device(3, 4);
    r.run(1000 + 12 * kMin);
    const std::vector<Switch> want = {
        {995, "R"},
        {1000 + kMin, "2"},
        {1000 + 3 * kMin, "R"},
        {1000 + 4 * kMin, "3"},
        {1000 + 6 * kMin, "R"},
        {1000 + 7 * kMin, "4"},
        {1000 + 9 * kMin, "R"},
        {1000 + 10 * kMin, "2"},
        {1000 + 12 * kMin, "R"},
    };
    EXPECT_EQ(r.log, want);
    EXPECT_EQ(r.fx.markers, (std::vector<int>{'S', 'R', 'S', 'R', 'S', 'R', 'S', 'R'}));
    // The DT800 lines of the first sample device.
    EXPECT_EQ(r.fx.sent[1], "1DSO=0\r2DSO=1\r3DSO=0\r4DSO=0\r");
}

TEST(SwitchingSchedule, StartAndEndSwitchesOnceEachWay) {
    SwitchingRig r(3, 2.0f, 0.0f);
    r.device(2, 5);
    r.p.session.MaxSamples = 600;  // ten minutes
    r.run(1000 + 30 * kMin);
    const int32_t end = static_cast<int32_t>(1000.0f + 600.0f * 59.999f - 2.0f * 3600.0f);
    const std::vector<Switch> want = {{995, "R"}, {1000 + 2 * kMin, "5"}, {end, "R"}};
    EXPECT_EQ(r.log, want);
    EXPECT_EQ(r.fx.markers, (std::vector<int>{'S', 'R'}));
    EXPECT_EQ(r.p.switching.RefOffTime, kNeverTicks);
}

TEST(SwitchingSchedule, TimedReferenceReturnsByItselfOnlyInMode7) {
    for (const int mode : {7, 1}) {
        SwitchingRig r(mode, 2.0f, 0.0f);
        r.device(1, 3);
        SWITCHTOREFERENCE(r.p, r.fx);
        startSwitchingSchedule(r.p, 1000, 59.999f, false);
        if (mode == 1) {
            KeyboardSampleON(r.p, r.fx);  // keyboard control starts on the user's "+"
        }
        for (int32_t t = 1000; t < 1000 + 10 * kMin; ++t) {
            r.step(t);
        }
        ASSERT_EQ(r.p.switching.RefIsON, 0) << mode;
        referenceKey(r.p, r.fx, 1000 + 10 * kMin);
        r.note(1000 + 10 * kMin);
        for (int32_t t = 1000 + 10 * kMin; t <= 1000 + 20 * kMin; ++t) {
            r.step(t);
        }
        const Switch last = r.log.back();
        if (mode == 7) {
            EXPECT_EQ(last, (Switch{1000 + 12 * kMin, "3"}));
        } else {
            EXPECT_EQ(last, (Switch{1000 + 10 * kMin, "R"}));
        }
    }
}

TEST(SwitchingSchedule, SequentialDevicesWithAndWithoutReferencesBetween) {
    for (const int skip : {1, 0}) {
        SwitchingRig r(10, 1.0f, 2.0f);
        r.p.session.nChan = 1;
        r.device(1, 1);
        r.device(3, 1);
        r.device(5, 1);
        r.p.switching.SkipRefsBetweenChannels = static_cast<int16_t>(skip);
        r.run(1000 + 16 * kMin);
        std::vector<std::string> devices;
        for (const Switch& s : r.log) {
            devices.push_back(s.device);
        }
        devices.resize(skip != 0 ? 8 : 7);
        r.fx.markers.resize(7);
        if (skip != 0) {
            EXPECT_EQ(devices, (std::vector<std::string>{"R", "1", "3", "5", "R", "1", "3", "5"}));
            // Each skipped reference costs one pass.
            EXPECT_EQ(r.log[2].tick, 1000 + 3 * kMin + 1);
            EXPECT_EQ(r.fx.markers, (std::vector<int>{'1', '3', '5', 'R', '1', '3', '5'}));
        } else {
            EXPECT_EQ(devices, (std::vector<std::string>{"R", "1", "R", "3", "R", "5", "R"}));
            EXPECT_EQ(r.log[3].tick, 1000 + 4 * kMin);
        }
    }
}

TEST(SwitchingSchedule, DeviceNumberMarkers) {
    SwitchingRig r(5, 1.0f, 1.0f);
    r.p.switching.ShowSwitchDeviceAsMarker = 1;
    r.p.session.nChan = 1;
    r.device(1, 3);
    r.run(1000 + 3 * kMin);
    EXPECT_EQ(r.fx.markers, (std::vector<int>{'3', '1', '3'}));
}

TEST(SwitchingSchedule, AutorepeatInMode9TakesTheNextDevice) {
    SwitchingRig r(9, 1.0f, 0.0f);
    r.device(2, 1);
    r.device(4, 1);
    startSwitchingSchedule(r.p, 1000, 59.999f, false);
    EXPECT_EQ(r.p.switching.SampleValve, 2);
    startSwitchingSchedule(r.p, 9000, 59.99f, true);
    EXPECT_EQ(r.p.switching.SampleValve, 4);
    startSwitchingSchedule(r.p, 9000, 59.99f, true);
    EXPECT_EQ(r.p.switching.SampleValve, 2);
    startSwitchingSchedule(r.p, 9000, 59.99f, false);  // a new recording starts over
    EXPECT_EQ(r.p.switching.SampleValve, 2);
}

TEST(SwitchingEngine, SelectNextValveStopsAfterOnePassWhenNothingQualifies) {
    SwitchingRig r(5, 1.0f, 1.0f);
    r.p.switching.SampleValve = 7;
    r.p.switching.PresentChan = 2;
    SELECTNEXTVALVE(r.p);
    EXPECT_EQ(r.p.switching.SampleValve, 7);
    EXPECT_EQ(r.p.switching.PresentChan, 2);
}

TEST(SwitchingEngine, TwoGroupsSelectOnePerGroup) {
    SwitchingRig r(6, 1.0f, 1.0f);
    r.p.switching.nGroups = 2;
    r.device(1, 2);
    r.device(2, 6);
    r.device(3, 3);
    SELECTNEXTVALVE(r.p);
    EXPECT_EQ(r.p.switching.SampleValve, 2);
    EXPECT_EQ(r.p.switching.SampleValve2, 6);
    SELECTNEXTVALVE(r.p);
    EXPECT_EQ(r.p.switching.SampleValve, 3);
    EXPECT_EQ(r.p.switching.SampleValve2, 6);
    // On the RMS ADC-1 group 2 begins at device 4.
    r.p.device.External_AD = kSwitchADC1;
    r.device(4, 4);
    r.p.switching.PresentChan2 = 0;
    SELECTNEXTVALVE(r.p);
    EXPECT_EQ(r.p.switching.SampleValve2, 6);
    SELECTNEXTVALVE(r.p);
    EXPECT_EQ(r.p.switching.SampleValve2, 4);
}

TEST(SwitchingEngine, TimeSumsAreTruncated32BitFloat) {
    // 16777217 is not a float: the sum starts from 16777216.
    EXPECT_EQ(addMinutesAsTicks(16777217, 0.5f), 16779016);
    EXPECT_EQ(addMinutesAsTicks(100, 0.01f), 136);    // 36.0000...
    EXPECT_EQ(addMinutesAsTicks(100, 0.001f), 103);   // 103.6 truncated, not rounded
    EXPECT_EQ(addMinutesAsTicks(-100, 0.001f), -96);  // toward zero, not down
    EXPECT_EQ(addMinutesAsTicks(kNeverTicks, 1.0f), kNeverTicks);
    EXPECT_EQ(addMinutesAsTicks(2147400000, 100.0f), kNeverTicks);
}

TEST(SwitchingEngine, UnreadChannelsDuringSampleAndReference) {
    SwitchingRig r(5, 1.0f, 1.0f);
    r.device(1, 2);
    r.device(2, 3);
    r.p.switching.OldChan = 2;
    EXPECT_FALSE(channelDeviceUnread(r.p, 1));
    EXPECT_TRUE(channelDeviceUnread(r.p, 2));
    EXPECT_FALSE(channelDeviceUnread(r.p, 3));  // no device
    r.p.switching.RefIsON = 1;
    EXPECT_FALSE(channelDeviceUnread(r.p, 2));
    r.p.switching.RefIsON = 0;
    r.p.session.SwitchingMode = 7;
    EXPECT_FALSE(channelDeviceUnread(r.p, 2));
    r.p.session.SwitchingMode = 4;
    r.p.switching.OldChan2 = 3;
    EXPECT_FALSE(channelDeviceUnread(r.p, 2));
}

TEST(SwitchingEngine, TimeToNextReferenceTexts) {
    SwitchingRig r(5, 1.0f, 1.0f);
    const struct {
        int32_t left;
        const char* text;
    } cases[] = {
        {45 * kMin + 30 * 60, "Next reference in 45.50 minutes"},
        {30 * 60, "Next reference in 30 seconds"},
        {150 * kMin, "Next reference in  2.50 hours"},
        {110 * kMin, "Next reference in 110.00 minutes"},
    };
    for (const auto& c : cases) {
        r.p.switching.RefOnTime = 5000 + c.left;
        EXPECT_EQ(TimeNextREF(r.p, 5000).value_or(""), c.text);
    }
    r.p.session.SwitchingMode = 2;
    EXPECT_FALSE(TimeNextREF(r.p, 5000).has_value());
}

TEST(SwitchingEngine, DirectKeysAndDevicesOutputs) {
    SwitchingRig r(1, 1.0f, 0.0f);
    r.p.device.External_AD = kSwitchUI2;
    DIRECTSWITCH(r.p, r.fx, 3);
    EXPECT_TRUE(r.fx.sent.empty());  // the UI2 is not driven by the direct keys
    r.p.device.External_AD = kSwitchADAM;
    DIRECTSWITCH(r.p, r.fx, 3);
    EXPECT_EQ(r.fx.sent.back(), "#020005\r");
    r.p.switching.nGroups = 2;
    DIRECTSWITCH(r.p, r.fx, 4);
    EXPECT_EQ(r.fx.sent.size(), 1u);  // nothing with two groups
    TURNVALVESOFF(r.p, r.fx);
    EXPECT_EQ(r.fx.sent.back(), "#020007\r");
    // The ADC-1 keeps its answer; the UI2 reference forces the three-bit word from then on.
    r.p.switching.nGroups = 0;
    r.p.device.External_AD = kSwitchADC1;
    r.p.switching.SampleValve = 3;
    KeyboardSampleON(r.p, r.fx);
    EXPECT_EQ(r.fx.sent.back(), std::string(1, char(68)));
    EXPECT_EQ(r.p.switching.chx, 0x55);
    r.p.device.External_AD = kSwitchUI2;
    r.p.switching.RefChan = 2;
    SWITCHTOREFERENCE(r.p, r.fx);
    EXPECT_EQ(r.fx.sent.back(), std::string("o") + char(1) + "\r");
    EXPECT_EQ(r.p.prefs[kPrefDigitalControlMode], 1);
    // The demonstration mode sends nothing but keeps the bookkeeping.
    r.p.device.DemonstrationMODE = 1;
    const size_t before = r.fx.sent.size();
    KeyboardSampleON(r.p, r.fx);
    EXPECT_EQ(r.fx.sent.size(), before);
    EXPECT_EQ(r.p.switching.OldChan, 3);
}

}  // namespace
}  // namespace trindel
