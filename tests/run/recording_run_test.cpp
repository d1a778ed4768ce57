// The one recording run as each front end configures it, on virtual time, and its lateness
// statistics.
#include "run/recording_run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "chart_fixture.h"
#include "run/recording_setup.h"
#include "run/run_driver.h"
#include "run/speed_limits.h"

namespace trindel {
namespace {

using testing::RecordingHooks;

constexpr double kInterval = 0.002;
constexpr int32_t kSamples = 200;  // 201 scans

// One pass that runs 5.25 intervals long, right after the 50th scan.
void stallOnce(RecordingHooks& hooks, VirtualClock& clock) {
    hooks.onAlertSounds = [&clock, stalled = false](Program& p) mutable {
        if (!stalled && p.session.Sample == 50) {
            stalled = true;
            clock.advanceBy(5.25 * kInterval);
        }
    };
}

// The desktop program's windows, answered for a 16-channel run at 0.002 s.
struct DesktopWindows : RunWindows {
    StartChoice startWindow(Program&, int&) override { return StartChoice::Demonstration; }
    bool modesAndChannels(Program&, ModesChannelsModel& m) override {
        m.chooseTab(1);
        return m.chooseCountButton(ModesChannelsModel::kFirstCountButton + 15);
    }
    bool chartInterval(Program&, IntervalDialog& d) override {
        d.pressIntervalButton(68);  // 1/500 s
        d.pressSamples(SamplesButton::Min);
        d.pressSamples(SamplesButton::Tenth);
        d.pressSamples(SamplesButton::Tenth);
        while (d.maxSamples() + 10 <= kSamples) {
            d.pressSamples(SamplesButton::Plus10);
        }
        return true;
    }
    int optionsWindow(Program&, const std::string&, const std::vector<OptionsButtonInfo>&,
                      const SampleRateReport& r) override {
        shown = r;
        return kOptionsQuit;
    }
    bool possibleDataLoss(const std::string&) override { return true; }
    bool saveFiles(Program&) override { return true; }
    void sampleRateWindow(const SampleRateReport&) override {}
    SampleRateReport shown;
};

TEST(RecordingRun, BothFrontEndsConfigurationsRecordAndReportTheSameLateness) {
    // The command-line tool's configuration: flags, no set-up file.
    VirtualPlatform cliVp;
    Platform cliIo = cliVp.platform();
    Program cli;
    RecordSettings settings;
    settings.channels = 16;
    settings.interval = kInterval;
    settings.samples = kSamples + 1;
    std::string error;
    ASSERT_EQ(prepareRecording(cli, settings, 1024, 768, 7, error), kSamples + 1) << error;
    RecordingHooks cliHooks;
    stallOnce(cliHooks, cliVp.clock);
    int progressCalls = 0;
    RunFrontEnd progress;
    progress.scanTaken = [&](const Program&, const PassOutcome& out) {
        ++progressCalls;
        EXPECT_GE(out.scanTime, out.scanDue);
    };
    const RunResult cliRun = RecordingRun(cli, cliIo, cliHooks).record(progress);

    // The desktop program's configuration: the run driver and its windows.
    VirtualPlatform deskVp;
    deskVp.canvas.keepOps = false;
    Platform deskIo = deskVp.platform();
    Program desk;
    DesktopWindows windows;
    RecordingHooks deskHooks;
    stallOnce(deskHooks, deskVp.clock);
    RunDriver driver(desk, deskIo, windows, deskHooks);
    driver.SetDefaultValues({1280, 1024});

    ASSERT_EQ(desk.session.nChan, 16);
    ASSERT_DOUBLE_EQ(desk.session.ChartINTERVALinSECONDS, kInterval);
    EXPECT_EQ(cliRun.stop, StopReason::SampleLimit);
    EXPECT_EQ(cli.session.Sample, kSamples + 1);
    EXPECT_EQ(desk.session.nSamples, kSamples + 1);
    EXPECT_EQ(progressCalls, kSamples + 1);
    EXPECT_EQ(cliRun.scans, kSamples + 1);
    // The stall does not move the schedule: 201 scans span 201 intervals.
    EXPECT_NEAR(cliRun.scanSpan(kInterval), (kSamples + 1) * kInterval, 1e-9);

    // After the stall the five scans it covered are taken at once: 4.25, 3.25, 2.25, 1.25 and
    // 0.25 intervals late; every other scan is on time.
    const ScanLateness& a = cliRun.lateness;
    const ScanLateness& b = windows.shown.lateness;
    ASSERT_TRUE(a.known());
    ASSERT_TRUE(b.known());
    for (const ScanLateness* l : {&a, &b}) {
        EXPECT_EQ(l->scans, kSamples + 1);
        EXPECT_DOUBLE_EQ(l->p50, 0.0);
        EXPECT_NEAR(l->p99, 2.25 * kInterval, 1e-9);  // the 199th of 201
        EXPECT_NEAR(l->max, 4.25 * kInterval, 1e-9);
        EXPECT_EQ(l->late, 4);  // over 1 ms
        EXPECT_DOUBLE_EQ(l->threshold, 0.001);
    }
    EXPECT_DOUBLE_EQ(driver.lastRateReport().lateness.max, b.max);
}

TEST(RecordingRun, AStopWantedByTheFrontEndEndsTheRunAsTheStopButton) {
    testing::ChartFixture f(2, 1.0, 100);
    RunFrontEnd frontEnd;
    frontEnd.stopWanted = [&] { return f.p.session.Sample >= 7; };
    const RunResult r = RecordingRun(f.p, f.io, f.hooks).record(frontEnd);
    EXPECT_EQ(r.stop, StopReason::StopButton);
    // The pass asked to stop still takes the scan that is due, as with the Stop button.
    EXPECT_EQ(f.p.session.Sample, 8);
    EXPECT_EQ(r.scans, 8);
}

TEST(RecordingRun, RateCheckKeepsTheIntervalOfRunsThatCaughtUpAndMeasuresRunsThatFellBehind) {
    struct Case {
        int32_t scans;
        double firstDelay;  // intervals the first scan is late
        double scanCost;    // intervals each scan takes
        bool kept;          // the requested interval stands
        double measured;    // in intervals, when not kept
    };
    const std::vector<Case> cases = {
        {3, 2.4, 0.0, true, 1.0},      // late start, all three scans in one burst
        {25, 2.4, 0.0, true, 1.0},     // late start, caught up, then on time
        {25, 0.0, 0.0, true, 1.0},     // on time throughout
        {25, 0.0, 0.5, true, 1.0},     // busy but within the interval
        {20, 0.0, 1.5, false, 1.425},  // slower than the interval: 19 × 0.5 behind, less one
    };
    constexpr double kStep = 0.01;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.scans << " scans, delay " << c.firstDelay << ", cost " << c.scanCost);
        testing::ChartFixture f(2, kStep, c.scans - 1);
        f.p.session.ChartSampleInterval = static_cast<float>(kStep);
        RunFrontEnd frontEnd;
        frontEnd.stopWanted = [&, delayed = false]() mutable {
            if (!delayed) {
                delayed = true;
                // The first scan is due 0.1 s after the run begins.
                f.vp.clock.advanceBy(0.1 + c.firstDelay * kStep);
            }
            return false;
        };
        frontEnd.scanTaken = [&](const Program&, const PassOutcome&) {
            f.vp.clock.advanceBy(c.scanCost * kStep);
        };
        const RunResult r = RecordingRun(f.p, f.io, f.hooks).record(frontEnd);
        ASSERT_EQ(r.scans, c.scans);
        CHECKSAMPLERATE(f.p, r.scanSpan(kStep));
        if (c.kept) {
            EXPECT_FLOAT_EQ(f.p.session.SampleInterval, static_cast<float>(kStep));
        } else {
            EXPECT_NEAR(f.p.session.SampleInterval, c.measured * kStep, 1e-6);
        }
    }
}

TEST(ScanLateness, NearestRankPercentilesMaxAndLateCount) {
    struct Case {
        std::vector<double> values;
        double threshold;
        double p50, p99, max;
        int32_t late;
    };
    std::vector<double> thousand;
    for (int i = 1000; i >= 1; --i) {
        thousand.push_back(i * 1e-6);  // given in falling order
    }
    const std::vector<Case> cases = {
        {thousand, 0.0005, 500e-6, 990e-6, 1000e-6, 500},
        {{0.003}, 0.001, 0.003, 0.003, 0.003, 1},
        // A value equal to the threshold is not late.
        {{0.002, 0.001}, 0.001, 0.001, 0.002, 0.002, 1},
        {{0.0, 0.0, 0.0, 0.009}, 0.001, 0.0, 0.009, 0.009, 1},
    };
    for (const Case& c : cases) {
        std::vector<double> v = c.values;
        const ScanLateness l = summariseLateness(v, c.threshold);
        EXPECT_EQ(l.scans, static_cast<int32_t>(c.values.size()));
        EXPECT_NEAR(l.p50, c.p50, 1e-12) << c.values.size();
        EXPECT_NEAR(l.p99, c.p99, 1e-12) << c.values.size();
        EXPECT_NEAR(l.max, c.max, 1e-12) << c.values.size();
        EXPECT_EQ(l.late, c.late) << c.values.size();
    }
    std::vector<double> none;
    EXPECT_FALSE(summariseLateness(none, 0.001).known());
}

TEST(ScanLateness, ThresholdAndTheRateWindowLine) {
    EXPECT_DOUBLE_EQ(lateScanThreshold(1.0), 0.001);
    EXPECT_DOUBLE_EQ(lateScanThreshold(0.002), 0.001);
    EXPECT_DOUBLE_EQ(lateScanThreshold(0.0005), 0.00025);
    std::vector<double> v = {0.0001, 0.0002, 0.0025};
    SampleRateReport r;
    r.samples = 3;
    r.lateness = summariseLateness(v, 0.001);
    const auto lines = sampleRateLines(r);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "scan lateness: median 0.200 ms, 99% 2.500 ms, max 2.500 ms");
}

}  // namespace
}  // namespace trindel
