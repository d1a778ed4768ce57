#include "platform/virtual_platform.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(VirtualClock, WaitJumpsToTheDeadlineWhenNoEventIsDue) {
    VirtualPlatform vp;
    EXPECT_FALSE(vp.clock.waitUntil(86400.0));
    EXPECT_DOUBLE_EQ(vp.clock.GetCurrentTimeInSeconds(), 86400.0);
    EXPECT_EQ(vp.clock.TickCount(), 86400 * 60);
}

TEST(VirtualClock, WaitEndsEarlyAtAScheduledEvent) {
    VirtualPlatform vp;
    vp.events.schedule(2.5, UserEvent{kEventKey, 'm'});
    EXPECT_FALSE(vp.events.hasPendingEvent());
    EXPECT_TRUE(vp.clock.waitUntil(10.0));
    EXPECT_DOUBLE_EQ(vp.clock.GetCurrentTimeInSeconds(), 2.5);
    auto e = vp.events.nextEvent();
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->action, kEventKey);
    EXPECT_EQ(e->eventId, 'm');
    EXPECT_FALSE(vp.events.nextEvent().has_value());
    EXPECT_FALSE(vp.clock.waitUntil(10.0));
    EXPECT_DOUBLE_EQ(vp.clock.GetCurrentTimeInSeconds(), 10.0);
}

TEST(VirtualClock, NeverRunsBackwards) {
    VirtualPlatform vp;
    vp.clock.advanceTo(5.0);
    EXPECT_FALSE(vp.clock.waitUntil(1.0));
    EXPECT_DOUBLE_EQ(vp.clock.GetCurrentTimeInSeconds(), 5.0);
    vp.clock.delayMilliseconds(250);
    EXPECT_DOUBLE_EQ(vp.clock.GetCurrentTimeInSeconds(), 5.25);
}

TEST(RecordingCanvas, CountsEvenWhenNotKeepingOps) {
    RecordingCanvas c;
    c.keepOps = false;
    Canvas& canvas = c;
    canvas.line(0, 0, 1, 1, {});
    canvas.line(0, 0, 1, 1, {});
    EXPECT_TRUE(c.ops.empty());
    EXPECT_EQ(c.counts[CanvasOp::Kind::Line], 2);
}

}  // namespace
}  // namespace trindel
