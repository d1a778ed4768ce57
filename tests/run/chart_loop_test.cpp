#include "run/chart_loop.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chart_fixture.h"
#include "run/chart_actions.h"
#include "run/recording_run.h"

namespace trindel {
namespace {

using testing::ChartFixture;

// Records one run and the clock time of every scan.
std::vector<double> scanTimes(ChartFixture& f, RunResult* result = nullptr) {
    std::vector<double> times;
    RunFrontEnd frontEnd;
    frontEnd.scanTaken = [&](const Program&, const PassOutcome& out) {
        times.push_back(out.scanTime);
    };
    const RunResult r = RecordingRun(f.p, f.io, f.hooks).record(frontEnd);
    if (result != nullptr) {
        *result = r;
    }
    return times;
}

// Records one run.
RunResult record(ChartFixture& f) {
    return RecordingRun(f.p, f.io, f.hooks).record();
}

TEST(ChartLoop, StopsAfterMaxSamplesPlusOneScansOnSchedule) {
    ChartFixture f(4, 0.5, 20);
    RunResult result;
    const auto times = scanTimes(f, &result);
    EXPECT_EQ(result.stop, StopReason::SampleLimit);
    EXPECT_EQ(f.p.session.Sample, 21);
    // The recording's comment starts with the run's date and time.
    EXPECT_EQ(f.p.notes.CommentContainer.rfind("\xA5  Recorded ", 0), 0u);
    ASSERT_EQ(times.size(), 21u);
    for (size_t k = 0; k < times.size(); ++k) {
        EXPECT_NEAR(times[k], 0.1 + 0.5 * static_cast<double>(k), 1e-9) << k;
    }
}

TEST(ChartLoop, CatchesUpWithoutSkippingOrDriftingWhenBehind) {
    ChartFixture f(4, 0.01, 200);
    bool stalled = false;
    // One pass takes 0.105 s (ten and a half intervals) once, at the 50th scan.
    f.hooks.onAlertSounds = [&](Program& p) {
        if (!stalled && p.session.Sample == 50) {
            stalled = true;
            f.vp.clock.advanceBy(0.105);
        }
    };
    const auto times = scanTimes(f);
    ASSERT_EQ(times.size(), 201u);
    // Scans after the stall are taken back to back until the schedule is met again.
    // The stall ends at 0.695 s, when the scans due at 0.60 to 0.69 are all late.
    int atStallEnd = 0;
    for (double t : times) {
        atStallEnd += std::fabs(t - 0.695) < 1e-9 ? 1 : 0;
    }
    EXPECT_EQ(atStallEnd, 10);
    EXPECT_NEAR(times[60], 0.70, 1e-9);
    // The schedule did not move: the due times stay start + 0.1 + k x interval.
    EXPECT_NEAR(f.p.session.TimeOfNextChartSample, 0.1 + 201 * 0.01, 1e-9);
    EXPECT_NEAR(times.back(), 0.1 + 200 * 0.01, 1e-9);
}

TEST(ChartLoop, DemonstrationValuesAreStoredInRangeAndDrawn) {
    ChartFixture f(3, 1.0, 50);
    record(f);
    for (int c = 1; c <= 3; ++c) {
        for (int s = 0; s <= 50; ++s) {
            const float v = f.p.store.get(c, s);
            EXPECT_TRUE(v >= 0.2005f && v <= 1.0005f) << c << " " << s << " " << v;
        }
    }
    EXPECT_EQ(f.vp.canvas.counts[CanvasOp::Kind::Line], 3 * 51);
    EXPECT_EQ(f.hooks.readouts.size(), 3u * 51u);
}

TEST(ChartLoop, ZeroValueIsStoredAsZero) {
    ChartFixture f(2, 1.0, 5);
    f.p.store.set(2, 3, 42.0f);            // left from an earlier, longer recording
    f.p.channels.Nvar[2][kCoeffB] = 0.0f;  // channel 2 converts every reading to 0
    record(f);
    EXPECT_EQ(f.p.store.get(2, 3), 0.0f);
    bool sawZeroText = false;
    for (const auto& [c, text] : f.hooks.readouts) {
        sawZeroText = sawZeroText || (c == 2 && text == "   zero");
    }
    EXPECT_TRUE(sawZeroText);
}

TEST(ChartLoop, PauseResumesAtOnceWithoutFillingTheGap) {
    ChartFixture f(2, 1.0, 10);
    f.hooks.onPause = [&](Program&) {
        f.vp.clock.advanceBy(300.0);  // five minutes in the pause window
        PauseOutcome out;
        out.note = "fed the animal";
        return out;
    };
    f.vp.events.schedule(3.2, UserEvent{kEventControl, kToolbarPause});
    const auto times = scanTimes(f);
    ASSERT_EQ(times.size(), 11u);
    // Scans at 0.1, 1.1, 2.1, 3.1; pause from 3.2 to 303.2; then at once and every second.
    EXPECT_NEAR(times[3], 3.1, 1e-9);
    EXPECT_NEAR(times[4], 303.2, 1e-9);
    EXPECT_NEAR(times[5], 304.2, 1e-9);
    EXPECT_NEAR(f.p.session.totalPauseDuration, 5.0, 0.01);
    // The pause mark sits at the slot of the first scan after resuming.
    ASSERT_EQ(f.p.Markers.Nmarkers, 1);
    EXPECT_EQ(f.p.Markers[1].code, kPauseMarkCode);
    EXPECT_EQ(f.p.Markers[1].slot, 4);
    const std::string& record = f.p.notes.CumulativePauseContainer;
    EXPECT_NE(record.find("   ----------\r *  Acquisition paused for 5 minutes at case 4\r"),
              std::string::npos)
        << record;
    EXPECT_NE(record.find("fed the animal\r"), std::string::npos);
}

TEST(ChartLoop, SampleRateChangedDuringPauseIsTakenOverAndRecorded) {
    ChartFixture f(1, 1.0, 10);
    f.hooks.onPause = [](Program&) {
        PauseOutcome out;
        out.sampleRateItem = 7;  // 0.1 s
        return out;
    };
    f.vp.events.schedule(1.5, UserEvent{kEventControl, kToolbarPause});
    const auto times = scanTimes(f);
    EXPECT_DOUBLE_EQ(f.p.session.ChartINTERVALinSECONDS, 0.1);
    EXPECT_EQ(f.p.session.SampleRateChanged, 1);
    EXPECT_NEAR(times[3] - times[2], 0.1, 1e-9);
    EXPECT_NE(f.p.notes.CumulativePauseContainer.find("CAUTION:  old sample interval =  1 sec"),
              std::string::npos);
}

TEST(ChartLoop, KeyMarkersOnePerScanWithHoldOff) {
    ChartFixture f(1, 0.1, 100);
    // Two letter keys within one scan: only the first places a marker.
    f.vp.events.schedule(0.5, UserEvent{kEventKey, 'a'});
    f.vp.events.schedule(0.51, UserEvent{kEventKey, 'b'});
    // Well after the hold-off and in another scan: placed.
    f.vp.events.schedule(2.05, UserEvent{kEventKey, 'c'});
    record(f);
    ASSERT_EQ(f.p.Markers.Nmarkers, 2);
    EXPECT_EQ(f.p.Markers[1].code, 'a');
    EXPECT_EQ(f.p.Markers[2].code, 'c');
    EXPECT_EQ(f.p.Markers[2].slot, 20);
    EXPECT_EQ(f.hooks.firstMarkers, 1);
}

TEST(ChartLoop, MarkerListIsCappedAt3200) {
    ChartFixture f(1, 1.0, 10);
    for (int i = 0; i < kMaxMarkers; ++i) {
        ASSERT_TRUE(InsertMarker(f.p, f.io, f.hooks, 'm', 34));
        f.p.chart.markerFlag = 0;
    }
    EXPECT_FALSE(InsertMarker(f.p, f.io, f.hooks, 'm', 34));
    EXPECT_EQ(f.p.Markers.Nmarkers, kMaxMarkers);
}

TEST(ChartLoop, StopButtonEscapeAndCommandQStop) {
    for (auto [event, command, reason] :
         {std::tuple{UserEvent{kEventControl, kToolbarStop}, false, StopReason::StopButton},
          std::tuple{UserEvent{kEventKey, 27}, false, StopReason::Escape},
          std::tuple{UserEvent{kEventKey, 'q'}, true, StopReason::CommandQ}}) {
        ChartFixture f(1, 1.0, 100);
        f.vp.events.setKeyDown(Key::Command, command);
        f.vp.events.schedule(5.5, event);
        EXPECT_EQ(record(f).stop, reason);
        EXPECT_EQ(f.p.session.Sample, 6);
        EXPECT_EQ(f.p.Markers.Nmarkers, 0);
    }
}

TEST(ChartLoop, CommandLettersActAndLeaveKeyboardLevelAtZero) {
    ChartFixture f(1, 1.0, 20);
    f.p.chart.ASCIIvalue = 5;
    f.vp.events.setKeyDown(Key::Command, true);
    f.vp.events.schedule(2.5, UserEvent{kEventKey, 'b'});
    record(f);
    EXPECT_EQ(f.hooks.timedBackups, 1);
    EXPECT_EQ(f.p.chart.ASCIIvalue, 0);
    EXPECT_EQ(f.p.Markers.Nmarkers, 0);
}

TEST(ChartLoop, ArrowsAndDigitsSetKeyboardLevel) {
    ChartFixture f(1, 1.0, 20);
    f.vp.events.schedule(2.5, UserEvent{kEventKey, '7'});
    f.vp.events.schedule(4.5, UserEvent{kEventKey, 30});
    f.vp.events.schedule(6.5, UserEvent{kEventKey, 30});
    f.vp.events.schedule(8.5, UserEvent{kEventKey, 28});
    record(f);
    EXPECT_EQ(f.p.chart.ASCIIvalue, 8);
    EXPECT_EQ(f.p.Markers.Nmarkers, 1);  // the digit also places its marker
}

TEST(ChartLoop, AddTimeExtendsByOneWindowWidthOnce) {
    ChartFixture f(1, 1.0, 10);
    f.vp.events.schedule(2.5, UserEvent{kEventControl, kToolbarAddTime});
    record(f);
    EXPECT_EQ(f.p.session.MaxSamples, 10 + f.p.prefs[kPrefWindowWidth]);
    EXPECT_EQ(f.p.session.Sample, f.p.session.MaxSamples + 1);
}

TEST(ChartLoop, ContinuousLastChannelAveragesReadsBetweenScans) {
    ChartFixture f(2, 0.1, 30);
    f.p.channels.Nvar[2][kSamplesToAverage] = 0.0f;
    record(f);
    // The averaged channel varies far less than a single demonstration reading does.
    double lo = 2.0, hi = 0.0;
    for (int s = 2; s <= 30; ++s) {
        lo = std::min<double>(lo, f.p.store.get(2, s));
        hi = std::max<double>(hi, f.p.store.get(2, s));
        EXPECT_TRUE(std::isfinite(f.p.store.get(2, s)));
    }
    EXPECT_GT(lo, 0.45);
    EXPECT_LT(hi, 0.75);
}

TEST(ChartLoop, ContinuousLastChannelWithoutReadsBetweenScansNeverDividesByZero) {
    ChartFixture f(1, 0.0001, 5);
    f.p.channels.Nvar[1][kSamplesToAverage] = 0.0f;
    f.p.conversion.AbsVal = 1;
    f.p.channels.Nvar[1][kCoeffB] = -1.0f;
    ChartLoop loop(f.p, f.io, f.hooks);
    loop.begin();
    for (int i = 0; i < 3; ++i) {
        f.vp.clock.advanceBy(1.0);
        loop.pass();
    }
    EXPECT_LE(f.p.store.get(1, 0), -0.2f);  // absolute value converted by -1
}

TEST(ChartLoop, ContinuousScanningAveragesManyDeviceScans) {
    ChartFixture f(2, 0.1, 10);
    f.p.prefs[kPrefContinuousScanning] = 1;
    record(f);
    EXPECT_EQ(f.p.session.Sample, 11);
    EXPECT_GT(f.p.session.TotalScans, 11 * 50);
    for (int s = 1; s <= 10; ++s) {
        EXPECT_NEAR(f.p.store.get(1, s), 0.6, 0.1);
    }
}

TEST(ChartLoop, DayLongRecordingAtOneSecondRunsOnVirtualTime) {
    ChartFixture f(16, 1.0, 86400);
    record(f);
    EXPECT_EQ(f.p.session.Sample, 86401);
    EXPECT_NEAR(f.vp.clock.GetCurrentTimeInSeconds(), 0.1 + 86400.0, 1e-6);
    EXPECT_GT(f.hooks.newScreens, 80);
}

TEST(ChartLoop, StatusFieldTexts) {
    Session s;
    s.Sample = 250;
    s.MaxSamples = 1000;
    s.ChartINTERVALinSECONDS = 1.0;
    auto t = statusTexts(s, 100.0 / 1000);
    EXPECT_EQ(t.sample, " Sample 250");
    EXPECT_EQ(t.done, " 25.00 % done");
    EXPECT_EQ(t.left, " 12.5 min left");
    s.MaxSamples = 2000000;
    s.Sample = 1000001;
    t = statusTexts(s, 100.0 / 2000000);
    EXPECT_EQ(t.sample, " # 1000001");
    EXPECT_EQ(t.left, "  11.6 days left");
    s.Sample = 1999900;
    EXPECT_EQ(statusTexts(s, 0).left, " 100 sec left");
    // A fractional interval leaves no binary noise in the text.
    s.ChartINTERVALinSECONDS = 0.05f;
    s.MaxSamples = 3000;
    s.Sample = 0;
    EXPECT_EQ(statusTexts(s, 0).left, " 150 sec left");
    s.Sample = 1;
    EXPECT_EQ(statusTexts(s, 0).left, " 149.95 sec left");
    s.ChartINTERVALinSECONDS = 0.05;
    EXPECT_EQ(statusTexts(s, 0).left, " 149.95 sec left");
}

TEST(ChartLoop, HeldCommandPPausesAndMarksTheResume) {
    ChartFixture f(1, 1.0, 6);
    f.hooks.keys.set(vk::Command);
    f.hooks.keys.set(vk::P);
    int pauses = 0;
    f.hooks.onPause = [&](Program& p) {
        ++pauses;
        f.hooks.keys = KeyMap{};  // released while paused
        EXPECT_EQ(p.session.HavePaused, 1);
        return PauseOutcome{};
    };
    record(f);
    EXPECT_EQ(pauses, 1);
    ASSERT_EQ(f.p.Markers.Nmarkers, 1);
    EXPECT_EQ(f.p.Markers[1].code, kPauseMarkCode);
}

TEST(ChartLoop, HeldKeyRepeatsOnlyAfterTheHoldOff) {
    ChartFixture f(1, 0.1, 20);  // 2 s
    f.hooks.keys.set(vk::A);
    record(f);
    // Held for the whole run: a marker at most every 30 ticks (0.5 s).
    EXPECT_GE(f.p.Markers.Nmarkers, 3);
    EXPECT_LE(f.p.Markers.Nmarkers, 5);
    for (int m = 2; m <= f.p.Markers.Nmarkers; ++m) {
        EXPECT_GE(f.p.Markers[m].slot - f.p.Markers[m - 1].slot, 5);
    }
}

TEST(ChartToolbar, PressPositionsByMode) {
    EXPECT_EQ(toolbarButtonAt(39, 20, 1), kToolbarStop);
    EXPECT_EQ(toolbarButtonAt(40, 20, 1), 0);  // between buttons
    EXPECT_EQ(toolbarButtonAt(60, 20, 2), kToolbarSaveScope);
    EXPECT_EQ(toolbarButtonAt(400, 20, 1), kToolbarSample);
    EXPECT_EQ(toolbarButtonAt(420, 20, 1), 0);  // chart toolbar is 404 wide
    EXPECT_EQ(toolbarButtonAt(420, 20, 3), kToolbarSaveScope);
    EXPECT_EQ(toolbarButtonAt(100, 20, 2), 0);  // scope toolbar is 81 wide
    EXPECT_EQ(toolbarButtonAt(60, 40, 1), 0);
}

TEST(ChartPause, RefreshShowsConvertedMeansOfDemonstrationReadings) {
    ChartFixture f(2, 1.0, 10);
    f.p.channels.Nvar[2][kCoeffB] = 10.0f;
    for (int i = 0; i < 50; ++i) {
        const auto v = pauseRefreshValues(f.p, f.io);
        EXPECT_TRUE(v[1] >= 0.3f && v[1] <= 1.1f) << v[1];
        EXPECT_TRUE(v[2] >= 3.0f && v[2] <= 11.0f) << v[2];
    }
}

TEST(ChartMarkers, DrawnAtThePenColumnWithTheirLabel) {
    ChartFixture f(1, 1.0, 10);
    f.vp.canvas.keepOps = true;
    f.p.session.NscrnCASEs = 40;
    f.p.session.ChartView = 2.0f;
    f.p.session.Sample = 7;
    f.p.prefs[kPrefDashedMarkerLines] = 1;
    ASSERT_TRUE(InsertMarker(f.p, f.io, f.hooks, 'A', 34));
    ASSERT_TRUE(InsertMarker(f.p, f.io, f.hooks, 205, 34));
    ASSERT_EQ(f.vp.canvas.ops.size(), 4u);
    const CanvasOp& line = f.vp.canvas.ops[0];
    EXPECT_EQ(line.rect, (Rect{20, 34, 20, f.vp.canvas.height() - 2}));
    EXPECT_EQ(line.style, PenStyle::Dashed);
    EXPECT_EQ(f.vp.canvas.ops[1].text, "A");
    EXPECT_EQ(f.vp.canvas.ops[3].text, "5");  // 200 + n shows the number n
    EXPECT_EQ(f.p.Markers[1].slot, 7);
    // The pause mark's stems reach below the base line and must stay inside the window.
    ASSERT_TRUE(InsertMarker(f.p, f.io, f.hooks, kPauseMarkCode, 34));
    EXPECT_LE(f.vp.canvas.ops.back().rect.top + 3, f.vp.canvas.height() - 5);
}

TEST(ChartMarkers, SwitchMarkerShowsTheDeviceWhenAsked) {
    ChartFixture f(1, 1.0, 10);
    f.p.switching.DeviceInUse = 3;
    InsertDeviceSwitchMarker(f.p, f.io, f.hooks, 'S', 34);
    f.p.switching.ShowSwitchDeviceAsMarker = 1;
    InsertDeviceSwitchMarker(f.p, f.io, f.hooks, 'R', 34);
    EXPECT_EQ(f.p.Markers[1].code, 'S');
    EXPECT_EQ(f.p.Markers[2].code, '3');
}

}  // namespace
}  // namespace trindel
