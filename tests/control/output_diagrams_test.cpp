#include "control/output_diagrams.h"

#include <gtest/gtest.h>

#include "control/feedback.h"
#include "control/script_editor.h"

namespace trindel {
namespace {

TEST(Diagrams, ScriptRampAndLoopArrow) {
    AnalogOutputState ao;
    ScriptEditor ed(ao, 1, 1);
    ed.addStep({1.0f, 2.0f, false});
    ed.addStep({3.0f, 4.0f, true});
    ed.addStep({0.0f, 2.0f, false});
    ed.loopTo(2);
    const OutputDiagram d = aoDiagram(ao, 1, 1);
    ASSERT_EQ(d.boundaries.size(), 3u);
    EXPECT_EQ(d.boundaries[1].x1, 139);  // 2 of 8 minutes over 555 pixels
    // Step 2 is one sloped line from 1 V to 3 V (13.6 pixels a volt around the middle).
    EXPECT_EQ(d.trace[1].y1, 75 - 14);
    EXPECT_EQ(d.trace[1].y2, 75 - 41);
    EXPECT_EQ(d.trace[1].x2, 416);
    ASSERT_TRUE(d.loop);
    EXPECT_EQ(d.loop->x2, 139);
    EXPECT_EQ(aoDiagram(ao, 1, 4).trace[0].y1, 75 - 7);  // the DT800 scale
}

TEST(Diagrams, FeedbackLoopFromStepThreeToTwo) {
    FeedbackState fb;
    int loop = 0;
    feedbackAddStep(fb, {20.0f, 1.0f, 5.0f, 0.0f, 10.0f}, loop);
    feedbackAddStep(fb, {30.0f, 1.0f, 5.0f, 0.0f, 5.0f}, loop);
    feedbackAddStep(fb, {25.0f, 1.0f, 5.0f, 0.0f, 20.0f}, loop);
    EXPECT_EQ(feedbackDiagram(fb).note, "no loop");
    feedbackLoopTo(fb, 2);
    const OutputDiagram d = feedbackDiagram(fb);
    ASSERT_TRUE(d.loop);
    EXPECT_EQ(d.loop->x1, 349);
    EXPECT_EQ(d.loop->x2, 100);  // 10 of 35 minutes
    EXPECT_EQ(d.high, "30");
    EXPECT_EQ(d.low, "20");
    EXPECT_EQ(d.trace[0].y1, 95);  // the lowest setpoint at the bottom
}

}  // namespace
}  // namespace trindel
