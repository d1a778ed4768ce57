#include "run/scope_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "files/recording_file_reader.h"
#include "run/save_scope.h"
#include "scope_fixture.h"

namespace trindel {
namespace {

using testing::ScopeFixture;

// Takes scope samples one pass at a time on the virtual clock until `samples` were taken.
void takeSamples(ScopeFixture& f, ScopeLoop& loop, int32_t samples) {
    while (f.p.scope.run.TotScopeSample < samples) {
        f.vp.clock.advanceTo(std::max(f.vp.clock.GetCurrentTimeInSeconds(), loop.nextDueTime()));
        ASSERT_FALSE(loop.pass().finished);
    }
}

// Trace segments in the colour: lines that advance across the band (the band's edges and ticks
// are vertical, and the frame shares the trace's colour).
std::vector<CanvasOp> linesIn(const RecordingCanvas& c, RGBColor colour) {
    std::vector<CanvasOp> out;
    std::copy_if(c.ops.begin(), c.ops.end(), std::back_inserter(out), [&](const CanvasOp& op) {
        return op.kind == CanvasOp::Kind::Line && op.color == colour &&
               op.rect.left != op.rect.right;
    });
    return out;
}

// Scope mode takes the burst path below 0.016 s, so the normal path is tested at 0.02 s.
TEST(ScopeLoop, WrapErasesTheOldestTracePointByPoint) {
    ScopeFixture f(2, 1, 10, 0.02);
    ScopeLoop loop(f.p, f.io, f.hooks);
    loop.begin();
    takeSamples(f, loop, 10);
    EXPECT_EQ(f.p.scope.run.ScSample, 10);
    EXPECT_TRUE(linesIn(f.vp.canvas, f.p.colours.ScopeBackgroundColor).empty())
        << "the first sweep has nothing to erase";
    std::vector<float> firstRows(11);
    for (int i = 1; i <= 10; ++i) {
        firstRows[static_cast<size_t>(i)] = f.p.scope.scope(2, i);
    }
    f.vp.canvas.ops.clear();
    takeSamples(f, loop, 11);
    EXPECT_EQ(f.p.scope.run.ScSample, 1) << "the sweep wraps to the left edge";
    takeSamples(f, loop, 13);
    const auto erased = linesIn(f.vp.canvas, f.p.colours.ScopeBackgroundColor);
    ASSERT_EQ(erased.size(), 2u);
    const int x1 = 0, x2 = static_cast<int>(f.p.scope.run.scopeXfactor);
    EXPECT_EQ(erased[0].rect,
              (Rect{x1, static_cast<int>(firstRows[1]), x2, static_cast<int>(firstRows[2])}));
    EXPECT_EQ(erased[1].rect.top, static_cast<int>(firstRows[2]));
    EXPECT_EQ(erased[1].rect.bottom, static_cast<int>(firstRows[3]));
    const auto drawn = linesIn(f.vp.canvas, f.p.colours.ScopeDataColor);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].rect.top, static_cast<int>(f.p.scope.scope(2, 1)));
    EXPECT_EQ(drawn[1].rect.bottom, static_cast<int>(f.p.scope.scope(2, 3)));
}

TEST(ScopeLoop, DueTimesAdvanceByExactlyOneIntervalAndCatchUp) {
    ScopeFixture f(2, 1, 100, 0.02);
    ScopeLoop loop(f.p, f.io, f.hooks);
    loop.begin();
    EXPECT_FALSE(loop.fastPath());
    const double first = f.p.scope.run.NextScopeTimeInSeconds;
    f.vp.clock.advanceTo(first + 0.111);  // five and a half intervals late
    for (int i = 0; i < 6; ++i) {
        loop.pass();
    }
    EXPECT_EQ(f.p.scope.run.TotScopeSample, 6);
    EXPECT_NEAR(f.p.scope.run.NextScopeTimeInSeconds, first + 0.12, 1e-12);
    loop.pass();
    EXPECT_EQ(f.p.scope.run.TotScopeSample, 6) << "not due yet";
}

TEST(ScopeLoop, SavedSweepListsTheOldestSampleFirst) {
    ScopeFixture f(2, 1, 10, 0.02);
    ScopeLoop loop(f.p, f.io, f.hooks);
    loop.begin();
    takeSamples(f, loop, 10);
    std::vector<float> slots;
    for (int i = 1; i <= 10; ++i) {
        slots.push_back(f.p.scope.scope(1, i));
    }
    EXPECT_EQ(scopeSweepToSave(f.p, false), slots) << "a whole sweep lists slots 1..ScopeMax";
    takeSamples(f, loop, 13);
    std::vector<float> expected;
    for (int i = 4; i <= 10; ++i) {
        expected.push_back(f.p.scope.scope(1, i));
    }
    for (int i = 1; i <= 3; ++i) {
        expected.push_back(f.p.scope.scope(1, i));
    }
    EXPECT_EQ(scopeSweepToSave(f.p, false), expected);
    const ScopeSaveResult saved = SaveSCOPE(f.p, false, "12:00:00");
    ASSERT_TRUE(saved.write.ok) << saved.write.error;
    EXPECT_EQ(f.p.files.ScopeCount, 1);
    EXPECT_EQ(saved.readout, " next: 'Scope 2'  ");
    const ReadResult back = readRecordingFile(saved.path);
    ASSERT_TRUE(back.ok) << back.error;
    const auto row = back.file.recording.data.at(0);
    EXPECT_EQ(std::vector<float>(row.begin(), row.end()), expected);
}

TEST(ScopeLoop, SaveIntervalFollowsTheMeasuredRateBeyondTheTolerance) {
    // 1,000 samples at 1 ms: a sweep of 60 ticks is on time.
    const std::pair<float, float> cases[] = {
        {60.0f, 0.001f},         // exact
        {61.0f, 0.001f},         // 984 per second: 1.6 % off, within 3 %
        {63.0f, 1.0f / 952.0f},  // 952 per second: 5 % off
        {0.0f, 0.001f},          // no sweep timed
    };
    for (const auto& [ticks, interval] : cases) {
        Session s;
        s.ScopeMax = 1000;
        s.scopeinterval = 0.001f;
        s.SampRateError = 0.03f;
        s.LastScopeDur = ticks;
        EXPECT_FLOAT_EQ(scopeSaveInterval(s, false), interval) << ticks;
        EXPECT_FLOAT_EQ(scopeSaveInterval(s, true), 0.001f) << "the fast path keeps the set one";
    }
}

TEST(ScopeLoop, TenthPointDrawsATenthAndSavesAll) {
    ScopeFixture f(2, 1, 100, 0.02);
    f.p.view.ScopeViewSTEP = 10;
    const RunResult r = f.record(1);
    EXPECT_EQ(r.stop, StopReason::SampleLimit);
    // Points 1, 10, 20 ... 100: ten segments, each erasing nothing in the first sweep.
    EXPECT_EQ(linesIn(f.vp.canvas, f.p.colours.ScopeDataColor).size(), 10u);
    ASSERT_EQ(f.scopeHooks.paths.size(), 1u);
    const ReadResult back = readRecordingFile(f.scopeHooks.paths[0]);
    ASSERT_TRUE(back.ok) << back.error;
    ASSERT_EQ(back.file.recording.sampleCount, 100);
    const auto row = back.file.recording.data.at(0);
    for (int i = 1; i <= 100; ++i) {
        EXPECT_EQ(row[static_cast<size_t>(i - 1)], f.p.scope.scope(1, i)) << i;
    }
    EXPECT_FLOAT_EQ(back.file.recording.sampleInterval, 0.02f) << "a sweep on time keeps 0.02 s";
}

TEST(ScopeLoop, SweepsSaveAsNumberedFilesAndEscapeStops) {
    ScopeFixture f(2, 1, 50, 0.002);  // bursts
    const RunResult r = f.record(3);
    EXPECT_EQ(r.stop, StopReason::SampleLimit);
    ASSERT_EQ(f.scopeHooks.paths.size(), 3u);
    EXPECT_EQ(f.scopeHooks.paths[2], f.folder.string() + "/Scope 3");
    EXPECT_EQ(r.lateness.max, 0.0) << "virtual time is never late";

    ScopeFixture g(2, 1, 50, 0.02);
    g.vp.events.schedule(0.5, UserEvent{kEventKey, 27});
    const RunResult stopped = g.record();
    EXPECT_EQ(stopped.stop, StopReason::Escape);
    EXPECT_TRUE(g.scopeHooks.paths.empty());
}

TEST(ScopeLoop, TabAndToolbarSaveTheSweepOnTheScreen) {
    ScopeFixture f(2, 1, 50, 0.02);
    f.vp.events.schedule(0.31, UserEvent{kEventKey, 9});
    f.vp.events.schedule(0.52, UserEvent{kEventControl, kToolbarSaveScope});
    f.vp.events.schedule(0.9, UserEvent{kEventControl, kToolbarStop});
    const RunResult r = f.record();
    EXPECT_EQ(r.stop, StopReason::StopButton);
    EXPECT_EQ(f.scopeHooks.paths.size(), 2u);
    EXPECT_EQ(f.p.files.ScopeCount, 2);
}

TEST(ScopeLoop, SavedSweepsGoOnPastFilesOfAnEarlierSession) {
    ScopeFixture f(2, 1, 50, 0.02);
    const std::string earlier = f.folder.string() + "/Scope 1";
    std::ofstream(earlier) << "earlier sweep";
    f.vp.events.schedule(0.31, UserEvent{kEventKey, 9});
    f.vp.events.schedule(0.9, UserEvent{kEventControl, kToolbarStop});
    f.record();
    ASSERT_EQ(f.scopeHooks.paths.size(), 1u);
    EXPECT_EQ(f.scopeHooks.paths[0], f.folder.string() + "/Scope 2");
    EXPECT_EQ(f.p.files.ScopeCount, 2);
    std::ifstream in(earlier);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "earlier sweep");
}

TEST(ScopeLoop, TriggerGateRunsAtEverySweepStartAndCanCancel) {
    ScopeFixture f(2, 1, 20, 0.02);
    int asked = 0;
    const RunResult r =
        f.record(0, [&](Program&) { return ++asked < 3 ? SweepStart::Go : SweepStart::Cancelled; });
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(f.p.scope.run.TotScopeSample, 40) << "two sweeps ran, the third was cancelled";
    EXPECT_EQ(r.stop, StopReason::StopButton);
}

TEST(ScopePlusChart, StopsWhenSampleReachesMaxSamples) {
    ScopeFixture f(3, 3, 100, 0.01);
    f.p.session.ChartINTERVALinSECONDS = 0.1;
    f.p.session.MaxSamples = 20;
    const RunResult r = f.record();
    EXPECT_EQ(r.stop, StopReason::SampleLimit);
    EXPECT_EQ(f.p.session.Sample, 20) << "not one beyond, as chart mode does";
    for (int c = 2; c <= 3; ++c) {
        for (int i = 1; i <= 20; ++i) {
            const float v = f.p.store.get(c, i);
            EXPECT_GE(v, 0.2f) << c << " " << i;  // means of demonstration readings
            EXPECT_LE(v, 1.0f) << c << " " << i;
        }
        EXPECT_EQ(f.p.store.get(c, 0), f.p.store.get(c, 2)) << "slot 2 copied to 0";
        EXPECT_EQ(f.p.store.get(c, 1), f.p.store.get(c, 2)) << "slot 2 copied to 1";
    }
    EXPECT_EQ(f.p.store.get(1, 5), 0.0f) << "channel 1 is the scope's";
    EXPECT_GE(f.p.scope.run.TotScopeSample, 190) << "the scope ran beside the chart";
}

// The rate check after the run times the chart samples: scope samples after the last chart
// sample must not make a short run look slow (and be saved with a longer interval).
TEST(ScopePlusChart, RunTimeEndsAtTheLastChartSample) {
    ScopeFixture f(3, 3, 100, 0.02);
    f.p.session.ChartINTERVALinSECONDS = 0.1;
    f.p.session.MaxSamples = 1000;
    f.vp.events.schedule(2.58, UserEvent{kEventControl, kToolbarStop});
    f.record();
    const Session& s = f.p.session;
    ASSERT_GE(s.Sample, 20);
    EXPECT_NEAR(chartRunSeconds(f.p.session), s.Sample * 0.1, 1.5 / 60);
}

TEST(ScopePlusChart, ChartCommandsServeMarkersPauseAddedTimeAndSwitching) {
    ScopeFixture f(3, 3, 50, 0.02);
    Program& p = f.p;
    p.session.ChartINTERVALinSECONDS = 0.1;
    p.session.MaxSamples = 40;
    p.session.SwitchingMode = 3;
    p.switching.RefChan = 1;
    p.switching.refint = 0.1f;
    p.channels.Nvar[2][kDeviceNumber] = 2;
    p.prefs[kPrefMarkerAtDeviceSwitch] = 1;
    int pauses = 0;
    f.hooks.onPause = [&](Program&) {
        ++pauses;
        return PauseOutcome{};
    };
    // Keys within half a second of a command are not read, so the presses are spaced wider.
    f.vp.events.schedule(0.35, UserEvent{kEventKey, 'a'});
    f.vp.events.schedule(0.75, UserEvent{kEventKey, 9});
    f.vp.events.schedule(1.05, UserEvent{kEventControl, kToolbarPause});
    f.vp.events.schedule(1.65, UserEvent{kEventControl, kToolbarSample});
    f.vp.events.schedule(2.35, UserEvent{kEventKey, 13});
    f.vp.events.schedule(3.0, UserEvent{kEventControl, kToolbarStop});
    const RunResult r = f.record();

    EXPECT_EQ(r.stop, StopReason::StopButton);
    EXPECT_EQ(pauses, 1) << "the pause button pauses; it does not save the sweep";
    EXPECT_EQ(f.scopeHooks.paths.size(), 1u) << "Tab saved one sweep";
    EXPECT_GT(p.session.MaxSamples, 40) << "return added time";
    std::vector<int> codes;
    for (int m = 1; m <= p.Markers.Nmarkers; ++m) {
        codes.push_back(p.Markers.rows[static_cast<size_t>(m)].code);
    }
    for (int code : {int{'a'}, int{kPauseMarkCode}, int{'S'}}) {
        EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << code;
    }
    EXPECT_EQ(std::find(codes.begin(), codes.end(), 9), codes.end()) << "Tab is no marker";
    // Marker lines stand on the chart bands, never across the scope band.
    const int scopeBottom = static_cast<int>(p.channels.Nvar[1][kBandBottom]);
    int markerLines = 0;
    for (const CanvasOp& op : f.vp.canvas.ops) {
        if (op.kind == CanvasOp::Kind::Line && op.color == p.colours.Markwhite &&
            op.rect.left == op.rect.right) {
            ++markerLines;
            EXPECT_GT(op.rect.top, scopeBottom);
        }
    }
    EXPECT_GE(markerLines, 3);
}

TEST(ScopeBurst, DemonstrationBurstTakesItsTimeAndConverts) {
    ScopeFixture f(2, 1, 600, 0.001);
    f.p.prefs[kPrefFastScope] = 1;
    f.p.prefs[kPrefSimulateDownload] = 1;
    const RunResult r = f.record(2);
    EXPECT_EQ(r.stop, StopReason::SampleLimit);
    EXPECT_EQ(f.p.scope.run.FastScopeCount, 2);
    // Each burst: 0.6 s sampling, a quarter more, and 200 ticks of simulated download.
    const double perBurst = 0.6 + 0.15 + 200.0 / 60.0;
    EXPECT_NEAR(f.vp.clock.GetCurrentTimeInSeconds(), 2 * perBurst, 0.01);
    for (int i = 1; i <= 600; ++i) {
        const float v = f.p.scope.scope(1, i);
        ASSERT_GE(v, 0.3f);
        ASSERT_LE(v, 2.1f);
    }
    EXPECT_NE(std::find(f.scopeHooks.status.begin(), f.scopeHooks.status.end(), " SAMPLING..."),
              f.scopeHooks.status.end());
    EXPECT_EQ(f.scopeHooks.progress.front(), 0);
    EXPECT_EQ(f.scopeHooks.progress.back(), 100);
    ASSERT_EQ(f.scopeHooks.paths.size(), 2u);
    const ReadResult back = readRecordingFile(f.scopeHooks.paths[1]);
    ASSERT_TRUE(back.ok);
    const auto row = back.file.recording.data.at(0);
    for (int i = 1; i <= 600; ++i) {
        ASSERT_EQ(row[static_cast<size_t>(i - 1)], f.p.scope.scope(1, i)) << i;
    }
}

}  // namespace
}  // namespace trindel
