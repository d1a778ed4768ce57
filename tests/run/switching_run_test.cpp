// Valve switching inside the one recording run, on the demonstration source and virtual time:
// the schedule's switches, their markers and the unread-channel values in the store.
#include <gtest/gtest.h>

#include <vector>

#include "chart_fixture.h"
#include "control/switching_engine.h"
#include "run/recording_run.h"

namespace trindel {
namespace {

struct SwitchLog : testing::RecordingHooks {
    struct Entry {
        int32_t tick;
        int device;
        bool reference;
    };
    std::vector<Entry> switches;
    std::vector<std::string> referenceTimes;
    int closed = 0;
    void deviceSwitched(const Program& p, int32_t tick) override {
        switches.push_back({tick, p.switching.DeviceInUse, p.switching.RefIsON != 0});
    }
    void showReferenceTime(std::string_view text) override { referenceTimes.emplace_back(text); }
    void closeReferenceTime() override { ++closed; }
};

TEST(SwitchingRun, PeriodicReferencesSwitchOnTimeWithMarkersAndUnreadValues) {
    testing::ChartFixture f(3, 1.0, 90);
    SwitchLog hooks;
    Program& p = f.p;
    p.session.SwitchingMode = 5;
    p.switching.RefChan = 1;
    p.switching.refint = 0.1f;     // 6 s
    p.switching.switchint = 0.2f;  // 12 s
    p.switching.DeviceSwitchZeroValue = -5.0f;
    p.prefs[kPrefMarkerAtDeviceSwitch] = 1;
    for (int c = 1; c <= 3; ++c) {
        p.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber] = static_cast<float>(c + 1);
    }
    RecordingRun(p, f.io, hooks).record();

    ASSERT_GE(hooks.switches.size(), 8u);
    const int32_t start = p.session.TimeAtStart + 5;
    // R at the start, then devices 2, 3, 4, 2 with a reference between each, one pass late at most.
    const int devices[] = {1, 2, 1, 3, 1, 4, 1, 2};
    int32_t due = start;
    for (size_t k = 0; k < 8; ++k) {
        const auto& s = hooks.switches[k];
        EXPECT_EQ(s.device, devices[k]) << k;
        EXPECT_EQ(s.reference, k % 2 == 0) << k;
        if (k > 0) {
            EXPECT_GE(s.tick, due) << k;
            EXPECT_LT(s.tick, due + 60) << k;
        }
        due = s.tick + (k % 2 == 0 ? 360 : 720);
    }

    // Markers S, R, S, R, ... and, between them, the unread channels hold -5.
    ASSERT_GE(p.Markers.Nmarkers, 7);
    for (int m = 1; m <= 7; ++m) {
        EXPECT_EQ(p.Markers.rows[static_cast<size_t>(m)].code, m % 2 == 1 ? 'S' : 'R') << m;
    }
    for (int m = 1; m < 7; ++m) {
        // A marker's slot is the next sample to be stored: the first of the new phase.
        const int32_t from = p.Markers.rows[static_cast<size_t>(m)].slot;
        const int32_t to = p.Markers.rows[static_cast<size_t>(m + 1)].slot - 1;
        const int live = hooks.switches[static_cast<size_t>(m)].device;  // device of this phase
        for (int32_t sample = from; sample <= to; ++sample) {
            for (int c = 1; c <= 3; ++c) {
                const bool unread = m % 2 == 1 && c + 1 != live;
                EXPECT_EQ(p.store.get(c, sample) == -5.0f, unread)
                    << "marker " << m << " sample " << sample << " channel " << c;
            }
        }
    }
}

TEST(SwitchingRun, TimeToReferenceKeyShowsAndClosesTheReadout) {
    testing::ChartFixture f(1, 1.0, 30);
    SwitchLog hooks;
    Program& p = f.p;
    p.session.SwitchingMode = 3;
    p.switching.RefChan = 1;
    p.switching.refint = 0.1f;
    p.channels.Nvar[1][kDeviceNumber] = 2;
    f.vp.events.schedule(5.0, UserEvent{kEventControl, kToolbarTimeToRef});
    RecordingRun(p, f.io, hooks).record();
    ASSERT_EQ(hooks.referenceTimes.size(), 1u);
    EXPECT_EQ(hooks.referenceTimes[0].rfind("Next reference in ", 0), 0u);
    EXPECT_EQ(hooks.closed, 1);
}

}  // namespace
}  // namespace trindel
