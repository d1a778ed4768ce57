#include "run/speed_limits.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

struct RateRun {
    Program p;
    RateRun(int32_t samples, double interval) {
        p.session.Sample = samples;
        p.session.ChartINTERVALinSECONDS = interval;
        p.session.ChartSampleInterval = static_cast<float>(interval);
    }
};

TEST(CHECKSAMPLERATE, WithinToleranceKeepsTheRequestedInterval) {
    RateRun r(100, 1.0);
    const RateCheck c = CHECKSAMPLERATE(r.p, 102.0);
    EXPECT_NEAR(c.measured, 1.02, 1e-9);
    EXPECT_FLOAT_EQ(r.p.session.SampleInterval, 1.0f);
}

TEST(CHECKSAMPLERATE, BeyondToleranceRecordsTheMeasuredInterval) {
    RateRun r(100, 1.0);
    CHECKSAMPLERATE(r.p, 104.0);
    EXPECT_FLOAT_EQ(r.p.session.SampleInterval, 1.04f);
    RateRun fast(100, 1.0);
    CHECKSAMPLERATE(fast.p, 96.0);
    EXPECT_FLOAT_EQ(fast.p.session.SampleInterval, 0.96f);
    RateRun strict(100, 1.0);
    strict.p.session.SampRateError = 0.01f;
    CHECKSAMPLERATE(strict.p, 102.0);
    EXPECT_FLOAT_EQ(strict.p.session.SampleInterval, 1.02f);
}

TEST(CHECKSAMPLERATE, PausesDoNotCount) {
    RateRun r(300, 1.0);
    r.p.session.totalPauseDuration = 5.0f;  // minutes
    const RateCheck c = CHECKSAMPLERATE(r.p, 600.0);
    EXPECT_NEAR(c.recordingSeconds, 300.0, 1e-9);
    EXPECT_NEAR(c.ratio, 1.0, 1e-9);
    EXPECT_FLOAT_EQ(r.p.session.SampleInterval, 1.0f);
}

TEST(SHOWSAMPLERATE, Texts) {
    RateRun r(100, 0.5);
    RateCheck c = CHECKSAMPLERATE(r.p, 60.0);  // 0.6 s measured for 0.5 s
    RateDisplay d = SHOWSAMPLERATE(r.p, c, 0.5, true);
    EXPECT_TRUE(d.shown);
    EXPECT_EQ(d.lines[1], "83.33");
    EXPECT_EQ(d.lines[6], "requested: 2/sec");
    EXPECT_EQ(d.lines[7], " measured: 1.66667/sec");
    EXPECT_TRUE(d.bzot);
    EXPECT_EQ(d.barEnd, 14 + 181);
    r.p.session.SampleRateChanged = 1;
    d = SHOWSAMPLERATE(r.p, c, 0.5, true);
    EXPECT_EQ(d.lines[2], "Sample rate was changed,");
    RateRun few(1, 1.0);
    EXPECT_FALSE(SHOWSAMPLERATE(few.p, CHECKSAMPLERATE(few.p, 1.0), 1.0, true).shown);
}

TEST(SpeedLimits, MaxAverage) {
    EXPECT_EQ(MAXAVERAGE(1.0, 4, true), 1);  // 0.3 / 0.35 -> 0 -> 1
    EXPECT_EQ(MAXAVERAGE(10.0, 4, true), 8);
    EXPECT_EQ(MAXAVERAGE(1.0, 4, false), 20);  // (0.3 - 0.012) / 0.014 = 20.57
    EXPECT_EQ(MAXAVERAGE(0.002, 16, false), 1);
}

TEST(SpeedLimits, MaxDurationUnits) {
    EXPECT_EQ(MaxDURATION(2000000, 0.0002), "Maximum time = 400 seconds");
    EXPECT_EQ(MaxDURATION(2000000, 0.002), "Maximum time = 66.7 minutes");
    EXPECT_EQ(MaxDURATION(2000000, 0.05), "Maximum time = 27.8 hours");
    EXPECT_EQ(MaxDURATION(2000000, 0.1), "Maximum time = 2.31 days");
    EXPECT_EQ(MaxDURATION(2000000, 1.0), "Maximum time = 23.1 days");
}

TEST(SpeedLimits, SpeedFigureAndVerdicts) {
    EXPECT_EQ(freeRunSpeed(23, false), 1700);
    EXPECT_EQ(freeRunSpeed(23, true), 3400);
    EXPECT_EQ(speedVerdict(150), " sluglike...");
    EXPECT_EQ(speedVerdict(151), "  kinda slow...");
    EXPECT_EQ(SPEEDWARN(1).back(), "for 1 channel !");
    EXPECT_EQ(SPEEDWARN(3).back(), "for 3 channels !");
}

TEST(SHOWSAMPLERATE, ScopeRateInScopeModes) {
    Program p;
    p.session.RecordingMODE = 2;
    p.session.ScopeINTERVALinSECONDS = 0.01;  // 100/sec requested
    p.session.ScopeMax = 1000;
    p.session.LastScopeDur = 720.0f;  // 12 s for 1,000 samples: 83/sec
    RateDisplay d = SHOWSAMPLERATE(p, RateCheck{}, 1.0, true);
    EXPECT_TRUE(d.bzot);
    EXPECT_EQ(d.scopeBarEnd, 13 + 182);
    EXPECT_EQ(d.lines.back(), "Requested scope rate: 100/sec");
    EXPECT_EQ(d.lines[d.lines.size() - 2], "      Scope sample rate: 83/sec");
    p.session.LastScopeDur = 0.0f;
    d = SHOWSAMPLERATE(p, RateCheck{}, 1.0, true);
    EXPECT_EQ(d.lines.front(), " ** Cannot calculate rate **");
    p.prefs[kPrefFastScope] = 1;
    d = SHOWSAMPLERATE(p, RateCheck{}, 1.0, true);
    EXPECT_EQ(d.lines.size(), 1u);
}

}  // namespace
}  // namespace trindel
