#include "control/analog_output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "control/analog_output_commands.h"
#include "control/script_editor.h"

namespace trindel {
namespace {

std::string text(const std::vector<uint8_t>& b) {
    return std::string(b.begin(), b.end());
}

TEST(AOCommands, UI2BytesAndDT800Millivolts) {
    EXPECT_EQ(ui2AnalogOutputCommand(2.5f, 0.0f), (std::vector<uint8_t>{'D', 255, 7, 0, 0, '\r'}));
    EXPECT_EQ(ui2AnalogOutputCommand(-1.0f, 5.0f),
              (std::vector<uint8_t>{'D', 0, 0, 0xFF, 0x0F, '\r'}));  // 5 V is 4095
    EXPECT_EQ(ui2AnalogOutputCommand(9.0f, 0.0f)[2], 0x0F);          // never above 12 bits
    EXPECT_EQ(dt800AnalogOutputCommand(1.5f), "VO=1500\r");
    EXPECT_EQ(dt800AnalogOutputCommand(-0.25f), "VO=-250\r");
    EXPECT_EQ(dt800AnalogOutputCommand(0.0f), "VO=0\r");
    EXPECT_FALSE(dt800AnalogOutputCommand(40.0f));  // 40,000 mV is not a 16-bit value
    EXPECT_FALSE(dt800AnalogOutputCommand(NAN));
}

TEST(SetAOvolts, DT800SendsChannelOneOnceForEachNewValue) {
    AnalogOutputState ao;
    SetAOvolts(ao, 4, 100, 1, 1.5f);
    SetAOvolts(ao, 4, 200, 1, 1.5f);
    SetAOvolts(ao, 4, 300, 2, 3.0f);
    ASSERT_EQ(ao.outbox.size(), 3u);
    EXPECT_EQ(text(ao.outbox[0].bytes), "VO=1500\r");
    EXPECT_TRUE(ao.outbox[1].bytes.empty());  // the same value again
    EXPECT_TRUE(ao.outbox[2].bytes.empty());  // the DT800 has no channel 2
    EXPECT_FLOAT_EQ(ao.AO2volts, 3.0f);
}

TEST(SetAOvolts, ValueWithinThirtyTicksWaitsAndIsSentWhenItsTurnComes) {
    AnalogOutputState ao;
    SetAOvolts(ao, 1, 100, 1, 1.0f);
    SetAOvolts(ao, 1, 110, 1, 2.0f);
    SetAOvolts(ao, 1, 120, 2, 4.0f);
    for (int32_t t = 111; t < 130; ++t) {
        flushPendingAO(ao, 1, t);
    }
    ASSERT_EQ(ao.outbox.size(), 1u);
    flushPendingAO(ao, 1, 130);
    // One UI2 command carries both waiting values.
    ASSERT_EQ(ao.outbox.size(), 2u);
    EXPECT_EQ(ao.outbox[1].tick, 130);
    const auto& b = ao.outbox[1].bytes;
    EXPECT_EQ(b[1] | b[2] << 8, static_cast<int>(819 * 2.0f));
    EXPECT_EQ(b[3] | b[4] << 8, static_cast<int>(819 * 4.0f));
}

// 1 V for 2 min, a ramp to 3 V over 4 min, 0 V for 1 min, then 5 V.
AnalogOutputState exampleScript() {
    AnalogOutputState ao;
    ScriptEditor ed(ao, 1, 1);
    ed.addStep({1.0f, 2.0f, false});
    ed.addStep({3.0f, 4.0f, true});
    ed.addStep({0.0f, 1.0f, false});
    ed.close(0.0f, 5.0f, 1, 1, 1);
    return ao;
}

TEST(AOScript, ExampleGivesTheRightOutputAtEachHalfSecond) {
    AnalogOutputState ao = exampleScript();
    const int32_t start = 1000;
    startAOForRecording(ao, 1, start);
    auto expected = [](double minutes) {
        if (minutes < 2.0)
            return 1.0;
        if (minutes < 6.0)
            return 1.0 + (minutes - 2.0) / 4.0 * 2.0;
        if (minutes < 7.0)
            return 0.0;
        return 5.0;
    };
    int checked = 0;
    for (int32_t t = start; t <= start + 9 * 3600; ++t) {
        checkAOscript(ao, 1, t);
        const int32_t since = t - start;
        if (since % 30 != 0) {
            continue;
        }
        // A change waits at most one 30-tick turn (and a step ends one tick after its time).
        bool nearBoundary = false;
        for (int32_t b : {2 * 3600, 6 * 3600, 7 * 3600}) {
            nearBoundary = nearBoundary || (since >= b && since <= b + 32);
        }
        if (nearBoundary) {
            continue;
        }
        const double m = since / 3600.0;
        // Along the ramp the output lags by at most one turn: 2 V / 14,400 ticks × 32 ticks.
        EXPECT_NEAR(ao.AO1volts, expected(m), 0.005) << "at minute " << m;
        ++checked;
    }
    EXPECT_GT(checked, 1000);
    EXPECT_EQ(ao.DoAO1, 0);
    EXPECT_FLOAT_EQ(ao.AO1volts, 5.0f);
    // The UI2 got a command for every accepted value: never two within 30 ticks.
    for (size_t i = 1; i < ao.outbox.size(); ++i) {
        EXPECT_GE(ao.outbox[i].tick - ao.outbox[i - 1].tick, kAOUpdateTicks);
    }
}

TEST(AOScript, LoopToStepTwoRepeatsTwoAndThree) {
    AnalogOutputState ao;
    ScriptEditor ed(ao, 2, 1);
    for (float v : {1.0f, 2.0f, 3.0f}) {
        ed.addStep({v, 1.0f, false});
    }
    ed.loopTo(2);
    ed.close(0, 0, 0, 1, 2);
    EXPECT_EQ(ed.stepNext(3), 2);
    startAOForRecording(ao, 1, 0);
    std::vector<int> visited{ao.AOstep[1]};
    for (int32_t t = 1; t <= 8 * 3600 + 100; ++t) {
        checkAOscript(ao, 1, t);
        if (ao.AOstep[1] != visited.back()) {
            visited.push_back(ao.AOstep[1]);
        }
    }
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 2, 3, 2, 3, 2, 3}));
    AOstopMarker(ao, 1, 9 * 3600, 'x');
    EXPECT_EQ(ao.DoAO2, 0);
}

TEST(AOScript, PulseStepLastsSixTicks) {
    AnalogOutputState ao;
    ScriptEditor ed(ao, 1, 0);
    ed.addStep({4.0f, 0.00167f, false});
    ed.addStep({0.0f, 1.0f, false});
    ed.close(0, 0, 0, 1, 1);
    startAOForRecording(ao, 0, 500);
    EXPECT_EQ(ao.NextAOtime[0] - 500, 6);
}

TEST(AOScript, StartModesAndStopMarkers) {
    AnalogOutputState ao;
    ScriptEditor one(ao, 1, 0), two(ao, 2, 0);
    one.addStep({1.0f, 5.0f, false});
    two.addStep({2.0f, 5.0f, false});
    one.close(0, 4.0f, 1, 3, 3);  // starts on "s", stops at "Q", end volts 4
    two.close(0, 3.0f, 0, 2, 2);  // starts at the first marker, stops at "X", keeps its volts
    startAOForRecording(ao, 0, 0);
    EXPECT_EQ(ao.DoAO1, 0);
    EXPECT_EQ(ao.DoAO2, 0);
    AOfirstMarker(ao, 0, 10);
    EXPECT_EQ(ao.DoAO1, 0);
    EXPECT_EQ(ao.DoAO2, 1);
    AOstartKey(ao, 0, 50);
    EXPECT_EQ(ao.DoAO1, 1);
    EXPECT_FLOAT_EQ(ao.AO1volts, 1.0f);
    AOstopMarker(ao, 0, 100, 'X');
    EXPECT_EQ(ao.DoAO2, 0);
    EXPECT_FLOAT_EQ(ao.AO2volts, 2.0f);  // "Keep Existing Voltage"
    EXPECT_EQ(ao.DoAO1, 1);
    AOstopMarker(ao, 0, 200, 'q');
    EXPECT_EQ(ao.DoAO1, 0);
    EXPECT_FLOAT_EQ(ao.AO1volts, 4.0f);
}

TEST(AOScript, EndOfRecordingGivesEndVoltsAtOnce) {
    AnalogOutputState ao;
    ScriptEditor ed(ao, 1, 4);
    ed.addStep({1.0f, 5.0f, false});
    ed.close(0, -2.0f, 0, 1, 2);
    startAOForRecording(ao, 4, 0);
    AOendOfRecording(ao, 4, 5);  // within the 30-tick turn of the start value
    EXPECT_FLOAT_EQ(ao.AO1volts, -2.0f);
    EXPECT_EQ(text(ao.outbox.back().bytes), "VO=-2000\r");
}

TEST(AOMenu, ItemsByDevice) {
    EXPECT_FALSE(AOmenuAdjust(2)[1]);
    EXPECT_FALSE(AOmenuAdjust(3)[7]);
    EXPECT_FALSE(AOmenuAdjust(8)[8]);
    const auto dt800 = AOmenuAdjust(4);
    EXPECT_TRUE(dt800[1] && dt800[2] && dt800[7] && dt800[8]);
    EXPECT_FALSE(dt800[4] || dt800[5]);
    const auto ui2 = AOmenuAdjust(1);
    EXPECT_TRUE(ui2[1] && ui2[4] && ui2[5] && ui2[8]);
}

TEST(ScriptEditor, DeleteInsertAndLimits) {
    AnalogOutputState ao;
    ScriptEditor ed(ao, 1, 1);
    for (int k = 1; k <= 5; ++k) {
        ed.addStep({static_cast<float>(k), 1.0f, false});
    }
    EXPECT_TRUE(ed.deleteStep(2));
    ASSERT_EQ(ed.steps(), 4);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(ed.stepNext(k), k + 1);
    }
    EXPECT_FLOAT_EQ(ed.stepVolts(2), 3.0f);
    EXPECT_FALSE(ed.deleteStep(5));
    EXPECT_FALSE(ed.insertStep(6, false, {1, 1, false}));  // beyond n + 1
    EXPECT_TRUE(ed.insertStep(1, false, {9.0f, 2.0f, true}));
    EXPECT_FLOAT_EQ(ed.stepVolts(1), 5.0f);  // limited to ±5 V on the UI2
    EXPECT_FLOAT_EQ(ed.stepMinutes(1), -2.0f);
    EXPECT_FLOAT_EQ(ed.totalMinutes(), 6.0f);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(ed.stepNext(k), k + 1);
    }
    ScriptStepFields f;
    EXPECT_TRUE(ed.goToStep(1, f));
    EXPECT_TRUE(f.ramp);
    EXPECT_FLOAT_EQ(f.minutes, 2.0f);
    ed.loopTo(9);
    EXPECT_EQ(ed.loopTarget(), 5);
    ed.deleteLoop();
    EXPECT_EQ(ed.loopTarget(), 0);
    while (ed.canAdd()) {
        ed.addStep({0, 1, false});
    }
    EXPECT_EQ(ed.steps(), 100);
    EXPECT_FALSE(ed.addStep({0, 1, false}));
    ed.clearAll();
    ed.close(0, 0, 1, 1, 1);
    EXPECT_EQ(ed.steps(), 0);
    EXPECT_EQ(ao.AO1on, 0);
}

}  // namespace
}  // namespace trindel
