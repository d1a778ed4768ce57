#include "control/feedback.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(FeedbackLaw, ProportionalAroundTheSetpointAndClamped) {
    struct Case {
        float x;
        bool negative;
        float out;
    } cases[] = {
        {20.0f, true, 2.5f},   {19.5f, true, 3.75f}, {19.0f, true, 5.0f}, {17.0f, true, 5.0f},
        {20.5f, true, 1.25f},  {21.0f, true, 0.0f},  {30.0f, true, 0.0f}, {19.5f, false, 1.25f},
        {20.5f, false, 3.75f}, {25.0f, false, 5.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(feedbackOutput(20.0f, 1.0f, 0.0f, 5.0f, c.negative, c.x), c.out)
            << c.x << (c.negative ? " negative" : " positive");
    }
    // Another band and control range: midpoint 2, ±3 V over ±2 units.
    EXPECT_FLOAT_EQ(feedbackOutput(10.0f, 2.0f, -1.0f, 5.0f, true, 9.0f), 3.5f);
    // A zero band switches at the setpoint.
    EXPECT_FLOAT_EQ(feedbackOutput(10.0f, 0.0f, 0.0f, 5.0f, true, 9.9f), 5.0f);
    EXPECT_FLOAT_EQ(feedbackOutput(10.0f, 0.0f, 0.0f, 5.0f, true, 10.1f), 0.0f);
}

FeedbackState threeSteps() {
    FeedbackState fb;
    int loop = 0;
    for (float m : {10.0f, 5.0f, 20.0f}) {
        feedbackAddStep(fb, {m * 2.0f, 1.0f, 5.0f, 0.0f, m}, loop);  // setpoint = 2 × minutes
    }
    EXPECT_EQ(loop, 4);
    return fb;
}

TEST(FeedbackSchedule, SetpointTimeline) {
    FeedbackState fb = threeSteps();
    feedbackLoopTo(fb, 2);
    EXPECT_EQ(fb.Feedback[3][6], 2.0f);
    EXPECT_EQ(feedbackLoopTarget(fb), 2);
    feedbackClose(fb, 0);
    BeginFdBk(fb, 0);
    std::vector<std::pair<int, float>> changes;
    float last = -1.0f;
    for (int32_t t = 0; t <= 61 * 3600; ++t) {
        checkFEEDBACKLoop(fb, t);
        if (fb.setpoint != last) {
            changes.emplace_back(t / 3600, fb.setpoint);
            last = fb.setpoint;
        }
    }
    const std::vector<std::pair<int, float>> want{{0, 20.0f},  {10, 10.0f}, {15, 40.0f},
                                                  {35, 10.0f}, {40, 40.0f}, {60, 10.0f}};
    EXPECT_EQ(changes, want);
}

TEST(FeedbackSchedule, UpdatesOnlyAtTheInterval) {
    FeedbackState fb = threeSteps();
    fb.FeedbackUpdateInterval = 120;
    feedbackClose(fb, 0);
    BeginFdBk(fb, 0);
    int updates = 0;
    float out = 0.0f;
    for (int32_t t = 0; t < 1200; ++t) {
        updates += feedbackPass(fb, t, 19.0f, out) ? 1 : 0;
    }
    EXPECT_EQ(updates, 10);
    EXPECT_FLOAT_EQ(out, 5.0f);  // 19 is a whole band below the setpoint 20
}

TEST(FeedbackSchedule, RunOutKeepsLastStepAndMarkerAppliesEndState) {
    FeedbackState fb = threeSteps();
    fb.FeedbackEndMode = 3;
    feedbackClose(fb, 0);
    BeginFdBk(fb, 0);
    for (int32_t t = 0; t <= 40 * 3600; t += 30) {
        checkFEEDBACKLoop(fb, t);
    }
    EXPECT_FLOAT_EQ(fb.setpoint, 40.0f);  // step 3 stays in force after the schedule ends
    feedbackMarker(fb, 40 * 3600, 'x');   // not this end mode
    EXPECT_FLOAT_EQ(fb.setpoint, 40.0f);
    feedbackMarker(fb, 40 * 3600, 'Q');
    float out = 0.0f;
    EXPECT_TRUE(feedbackPass(fb, 40 * 3600, 0.0f, out));
    EXPECT_FLOAT_EQ(fb.setpoint, 20.0f);
    EXPECT_FLOAT_EQ(out, 5.0f);
}

TEST(FeedbackSchedule, DeleteModifyAndClear) {
    FeedbackState fb = threeSteps();
    EXPECT_TRUE(feedbackDeleteStep(fb, 1));
    EXPECT_EQ(feedbackStepCount(fb), 2);
    EXPECT_EQ(fb.Feedback[1][6], 2.0f);
    EXPECT_EQ(fb.Feedback[2][6], 3.0f);
    EXPECT_FLOAT_EQ(fb.Feedback[1][5], 5.0f);
    EXPECT_FALSE(feedbackDeleteStep(fb, 3));
    EXPECT_TRUE(feedbackModifyStep(fb, 2, {7.0f, 1.0f, 5.0f, 0.0f, 3.0f}));
    EXPECT_FLOAT_EQ(fb.Feedback[2][1], 7.0f);
    feedbackClose(fb, 100);
    EXPECT_EQ(fb.FeedbackON, 1);
    EXPECT_EQ(fb.NextFeedbackUpdateTime, 100 + fb.FeedbackUpdateInterval);
    feedbackClear(fb);
    feedbackClose(fb, 0);
    EXPECT_EQ(fb.FeedbackON, 0);
    EXPECT_EQ(fb.DoFeedback, 0);
    EXPECT_EQ(feedbackIntervalItem(300), 5);
    EXPECT_EQ(feedbackIntervalItem(7), 3);
}

}  // namespace
}  // namespace trindel
