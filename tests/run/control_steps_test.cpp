#include "run/control_steps.h"

#include <gtest/gtest.h>

#include "control/feedback.h"
#include "control/script_editor.h"
#include "devices/serial/serial_port.h"
#include "run/chart_fixture.h"
#include "run/recording_run.h"

namespace trindel {
namespace {

using testing::ChartFixture;

// A serial line that notes the tick at which each command was sent.
class TimedLine final : public SerialLine {
  public:
    explicit TimedLine(Clock& clock) : clock_(clock) {}
    std::vector<std::pair<int32_t, std::string>> sent;
    bool open(const std::string&, int32_t, std::string&) override { return open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool send(std::string_view bytes) override {
        sent.emplace_back(clock_.TickCount(), std::string(bytes));
        return true;
    }
    size_t available() override { return 0; }
    std::string read(size_t) override { return {}; }
    bool waitForInput(double) override { return false; }
    bool failed() const override { return false; }

  private:
    Clock& clock_;
    bool open_ = false;
};

TEST(ControlRun, UI2ScriptCommandsGoThroughThePortAtTheirTimes) {
    ChartFixture f(2, 1.0, 200);
    f.p.device.External_AD = 1;
    f.p.device.DemonstrationMODE = 0;
    ScriptEditor ed(f.p.analogOutput, 1, 1);
    ed.addStep({2.5f, 1.0f, false});
    ed.addStep({1.0f, 1.0f, false});
    ed.close(0.0f, 0.0f, 1, 1, 1);
    TimedLine line(f.vp.clock);
    SerialPort port(line);
    std::string error;
    ASSERT_TRUE(port.open("sim", 9600, error));
    RecordingRun run(f.p, f.io, f.hooks);
    run.setSwitchPort(&port);
    run.record();
    const int32_t start = f.p.session.TimeAtStart;
    ASSERT_EQ(line.sent.size(), 3u);
    EXPECT_EQ(line.sent[0], (std::pair<int32_t, std::string>{start, {'D', '\xFF', 7, 0, 0, '\r'}}));
    // Each step ends on the first pass after its minute: passes come once a second here.
    EXPECT_GT(line.sent[1].first, start + 3600);
    EXPECT_LE(line.sent[1].first, start + 3600 + 61);
    EXPECT_EQ(line.sent[1].second,
              std::string({'D', static_cast<char>(819 & 0xFF), 3, 0, 0, '\r'}));
    EXPECT_GT(line.sent[2].first, start + 7200);
    EXPECT_EQ(line.sent[2].second, std::string({'D', 0, 0, 0, 0, '\r'}));  // end volts 0
    EXPECT_EQ(run.control().outputs().size(), 3u);
}

TEST(ControlRun, DemonstrationFeedbackFollowsTheLawAndIsNotSent) {
    ChartFixture f(2, 0.5, 400);
    FeedbackState& fb = f.p.feedback;
    int loopField = 0;
    feedbackAddStep(fb, {0.6f, 0.2f, 5.0f, 0.0f, 60.0f}, loopField);
    fb.FeedbackChan = 1;
    fb.FeedbackUpdateInterval = 60;
    feedbackClose(fb, 0);
    ChartLoop loop(f.p, f.io, f.hooks);
    loop.begin();
    size_t seen = 0;
    int checked = 0;
    while (!loop.pass().finished) {
        const auto& out = loop.control().outputs();
        for (; seen < out.size(); ++seen) {
            ASSERT_EQ(out[seen].channel, 2);
            EXPECT_TRUE(out[seen].bytes.empty());  // no output device in the demonstration
            const float x = f.p.store.get(1, f.p.session.Sample - 1);
            EXPECT_FLOAT_EQ(fb.lastInput, x);
            EXPECT_FLOAT_EQ(out[seen].volts, feedbackOutput(0.6f, 0.2f, 0.0f, 5.0f, true, x));
            ++checked;
        }
        f.vp.clock.waitUntil(loop.nextDueTime());
    }
    // One update a second over 200 s (the first comes with the first sample).
    EXPECT_NEAR(checked, 200, 2);
    EXPECT_NE(loop.control().statusText().find("(not sent)"), std::string::npos);
}

TEST(ControlRun, TriggerWaitsBeforeTheFirstSampleAndEscapeRecordsNothing) {
    ChartFixture f(2, 1.0, 10);
    f.p.trigger.TriggerON = 1;
    f.p.trigger.TriggerChan = 1;
    f.p.trigger.triggerval = 2.0f;  // the demonstration input reaches 5 V now and then
    const RunResult r = RecordingRun(f.p, f.io, f.hooks).record();
    EXPECT_FALSE(r.triggerCancelled);
    EXPECT_EQ(r.scans, 11);
    ChartFixture g(2, 1.0, 10);
    g.p.trigger.TriggerON = 1;
    g.p.trigger.TriggerChan = 1;
    g.p.trigger.triggerval = 100.0f;  // never reached
    g.vp.events.schedule(3.0, UserEvent{kEventKey, 27});
    const RunResult c = RecordingRun(g.p, g.io, g.hooks).record();
    EXPECT_TRUE(c.triggerCancelled);
    EXPECT_EQ(c.scans, 0);
    EXPECT_GE(g.vp.clock.GetCurrentTimeInSeconds(), 3.0);
}

}  // namespace
}  // namespace trindel
