#include "control/trigger.h"

#include <gtest/gtest.h>

#include <deque>

#include "platform/virtual_platform.h"

namespace trindel {
namespace {

TEST(TriggerCondition, LevelIsInclusiveInBothModes) {
    const auto v = triggerValueFromVolts(0.0f, 1.0f, 0.0f, 1, 2.0f, 2.0f);
    ASSERT_TRUE(v);
    EXPECT_TRUE(triggerConditionMet(0, 2.0f, *v));  // exactly 2.0 V starts
    EXPECT_FALSE(triggerConditionMet(0, 2.0f, 1.999f));
    EXPECT_TRUE(triggerConditionMet(1, 2.0f, 2.0f));
    EXPECT_FALSE(triggerConditionMet(1, 2.0f, 2.001f));
    // a = −9999 gives the level itself: the trigger starts at once in either mode.
    const auto at = triggerValueFromVolts(-9999.0f, 1.0f, 1.0f, 1, 0.3f, 7.5f);
    EXPECT_TRUE(triggerConditionMet(0, 7.5f, *at));
    EXPECT_TRUE(triggerConditionMet(1, 7.5f, *at));
    EXPECT_FALSE(triggerValueFromVolts(9999.0f, 1.0f, 1.0f, 1, 0.3f, 1.0f));
    EXPECT_FLOAT_EQ(*triggerValueFromVolts(1.0f, 2.0f, 3.0f, 1, 2.0f, 0.0f), 17.0f);
    EXPECT_FLOAT_EQ(*triggerValueFromVolts(1.0f, 2.0f, 2.0f, 0, 3.0f, 0.0f), 19.0f);
    EXPECT_FLOAT_EQ(*triggerValueFromVolts(1.0f, 2.0f, 0.5f, 0, -4.0f, 0.0f), 0.0f);
}

TEST(TriggerSetup, GainRawInputAndBadLevel) {
    const struct {
        float level;
        int16_t gain;
    } gains[] = {{0.3f, 10}, {3.0f, 1}, {0.01f, 100}, {-0.05f, 50}, {1.0f, 2}, {0.6f, 5}};
    for (const auto& g : gains) {
        EXPECT_EQ(triggerDisplayGain(g.level), g.gain) << g.level;
    }
    TriggerState t;
    ChannelTable table;
    TriggerSetupModel m = openTriggerSetup(t, 4, table);
    EXPECT_EQ(m.channel, kRawTriggerRow);  // channel 0 is shown as the raw input
    m.rawInput = 20;
    m.level = "0.3";
    m.on = 1;
    EXPECT_TRUE(applyTriggerSetup(m, t, table));
    EXPECT_EQ(table.Nvar[16][kInputNumber], 16.0f);
    EXPECT_EQ(table.Nvar[16][kCoeffB], 1.0f);
    EXPECT_EQ(t.TriggerGain, 10);
    EXPECT_EQ(t.TriggerON, 1);
    m.level = "abc";
    EXPECT_FALSE(applyTriggerSetup(m, t, table));
    EXPECT_FLOAT_EQ(t.triggerval, 0.3f);
    EXPECT_EQ(triggerWaitText(t, 4, table), " Waiting for A-D #16 to exceed 0.3");
    t.TriggerChan = 2;
    t.TriggerMode = 1;
    t.triggerval = 2.0f;
    EXPECT_EQ(triggerWaitText(t, 4, table), " Waiting for channel2 to fall below 2.0  ");
}

struct Wait : ::testing::Test {
    VirtualPlatform vp;
    TriggerState t;
    std::deque<float> values;
    std::vector<std::pair<int, std::string>> shown;
    int reads = 0;
    TriggerWait wait;

    void SetUp() override {
        t.TriggerON = 1;
        t.triggerval = 2.0f;
        wait.readValue = [this]() -> std::optional<float> {
            ++reads;
            if (values.empty()) {
                return 0.0f;
            }
            const float v = values.front();
            values.pop_front();
            return v;
        };
        wait.show = [this](int line, const std::string& s) { shown.emplace_back(line, s); };
    }
    int run(int16_t mode = 1, bool autorepeat = false) {
        return RUNTRIGGER(t, mode, autorepeat, vp.clock, vp.events, wait, "cond");
    }
};

TEST_F(Wait, StartsWhenTheLevelIsReachedAndSleepsBetweenReadings) {
    values = {1.0f, 1.5f, 1.99f, 2.0f, 5.0f};
    EXPECT_EQ(run(), kTriggerMet);
    EXPECT_EQ(reads, 4);
    EXPECT_NEAR(vp.clock.GetCurrentTimeInSeconds(), 3.0 / 60.0, 1e-9);
    EXPECT_EQ(shown.front(), (std::pair<int, std::string>{0, "cond"}));
    EXPECT_EQ(shown[1].second, "     Click mouse to start");
    EXPECT_EQ(shown.back(), (std::pair<int, std::string>{2, ""}));
    EXPECT_EQ(t.TriggerON, 1);
}

TEST_F(Wait, EscapeCancelsCloseStartsReturnOnlyInScope) {
    vp.events.schedule(0.5, UserEvent{kEventKey, 13});
    vp.events.schedule(1.0, UserEvent{kEventKey, 27});
    EXPECT_EQ(run(1), kTriggerEscape);  // Return does nothing in chart mode
    EXPECT_GE(vp.clock.GetCurrentTimeInSeconds(), 1.0);
    vp.events.schedule(1.5, UserEvent{kEventKey, 13});
    EXPECT_EQ(run(2), kTriggerReturn);
    vp.events.schedule(2.0, UserEvent{kEventClose, 0});
    EXPECT_EQ(run(2, true), kTriggerMet);
    EXPECT_EQ(t.TriggerON, 0);  // autorepeat does not wait again
}

TEST_F(Wait, FrontEndCancel) {
    int asked = 0;
    wait.cancelWanted = [&] { return ++asked == 3; };
    EXPECT_EQ(run(), kTriggerEscape);
    EXPECT_EQ(reads, 2);
}

}  // namespace
}  // namespace trindel
