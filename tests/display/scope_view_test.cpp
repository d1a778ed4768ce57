#include "display/scope_view.h"

#include <gtest/gtest.h>

#include "display/scope_draw.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

TEST(ScopeView, TicksFollowTheSweepLength) {
    // samples, interval, width, span, pixels between ticks (worked by hand from the rule)
    const std::tuple<int32_t, double, int, float, float> cases[] = {
        {1000, 0.001, 1000, 10.0f, 100.0f},  // 1 s on 1 pixel per sample: a tick each 0.1 s
        {500, 0.004, 1000, 2.0f, 125.0f},    // 2 s: step 0.25, a tick each 0.25 s
    };
    for (const auto& [n, s, w, span, gap] : cases) {
        const ScopeTics t = COMPUTESCOPETICS(n, s, s, w, static_cast<double>(w) / n);
        EXPECT_FLOAT_EQ(t.span, span) << n << " at " << s;
        EXPECT_NEAR(t.scopeticgap, gap, gap * 1e-5) << n << " at " << s;
    }
    EXPECT_EQ(COMPUTESCOPETICS(0, 0.001, 0.001, 1000, 1.0).scopeticgap, 0.0f) << "no sweep";
    EXPECT_EQ(COMPUTESCOPETICS(100, 0.0, 0.0, 1000, 1.0).scopeticgap, 0.0f) << "no interval";
}

TEST(ScopeView, ModelChoosesStepsAndCustomTicks) {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.prefs[kPrefWindowWidth] = 1000;
    p.session.ScopeMax = 1000;
    p.session.scopeinterval = 0.001f;
    p.session.ScopeINTERVALinSECONDS = 0.001;
    ScopeViewModel m(p);
    m.chooseStep(10);
    EXPECT_EQ(m.step(), 10);
    m.chooseStep(7);
    EXPECT_EQ(m.step(), 10) << "7 is not offered";
    EXPECT_EQ(m.testPoints(), 20);
    EXPECT_TRUE(m.useCustomTic("0.05"));
    EXPECT_NEAR(m.customTic(), 0.5, 1e-6) << "0.05 s against the default 0.1 s";
    EXPECT_FALSE(m.useCustomTic("abc"));
    EXPECT_FALSE(m.useCustomTic("-1"));
    EXPECT_NEAR(m.customTic(), 0.5, 1e-6) << "refused input keeps the choice";
    m.apply(p);
    EXPECT_EQ(p.view.ScopeViewSTEP, 10);
    EXPECT_FLOAT_EQ(p.scope.run.scopeXfactor, 1.0f);
    EXPECT_NEAR(p.scope.run.CustomScopeTic, 0.5, 1e-6);
}

TEST(ScopeView, InformationLine) {
    Program p;
    p.session.ScopeMax = 1000;
    p.session.scopeinterval = 0.001f;
    p.view.ScopeViewSTEP = 2;
    EXPECT_EQ(scopeInfoLine(p, 900),
              (std::vector<std::string>{"hit 'TAB' to save", " 1 sec scope trace",
                                        "Scope width: 1000 samples; plot every 2nd Sample"}));
    EXPECT_EQ(scopeInfoLine(p, 700)[2], "Scope width: 1000 samples; plot every 2nd");
    EXPECT_EQ(scopeInfoLine(p, 600)[2], "Scope width: 1000 samples");
    EXPECT_EQ(ordinalSuffix(3), "rd");
    EXPECT_EQ(ordinalSuffix(12), "th");
    EXPECT_EQ(ordinalSuffix(20), "th");
}

TEST(ScopeDraw, LongBurstDrawsOneLinePerColumnKeepingPeaks) {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.prefs[kPrefWindowWidth] = 1000;
    p.session.ScopeMax = 16000;
    auto& row = p.channels.Nvar[1];
    row[kBandBottom] = 500;
    row[kBandHeight] = 400;
    row[kDisplayMax] = 10;
    row[kDisplayMin] = 0;
    setScopeGeometry(p);
    for (int i = 1; i <= 16000; ++i) {
        p.scope.scope(1, i) = i == 8005 ? 10.0f : 5.0f;  // one spike
    }
    RecordingCanvas c(1000, 768);
    drawBurst(p, c);
    long vertical = 0;
    int spikeTop = 1000;
    for (const auto& op : c.ops) {
        if (op.kind == CanvasOp::Kind::Line && op.rect.left == op.rect.right) {
            ++vertical;
            spikeTop = std::min(spikeTop, op.rect.top);
        }
    }
    // Sample k sits in column trunc(k x 1000 / 16000): columns 0 to 1000.
    EXPECT_EQ(vertical, 1001) << "one line per column";
    EXPECT_EQ(spikeTop, burstRow(p, 10.0f)) << "the single-sample spike is drawn";
}

}  // namespace
}  // namespace trindel
