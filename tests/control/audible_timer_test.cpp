#include "control/audible_timer.h"

#include <gtest/gtest.h>

#include "platform/virtual_platform.h"

namespace trindel {
namespace {

struct Timer : ::testing::Test {
    AudibleTimerState a;
    AlarmState cues;
    VirtualSounds sounds;
    std::vector<std::pair<int, std::string>> heard;  // minute (rounded down), sound

    void runMinutes(int32_t from, int32_t to, int markerMinute = -1, int markerCode = 0) {
        for (int32_t t = from * 3600; t <= to * 3600; ++t) {
            const size_t before = sounds.log.size();
            if (markerMinute >= 0 && t == markerMinute * 3600) {
                alertFirstMarker(a, t);
                alertMarker(a, cues, markerCode, sounds);
            }
            HandleAlertSounds(a, cues, t, sounds);
            for (size_t i = before; i < sounds.log.size(); ++i) {
                heard.emplace_back(t / 3600, sounds.log[i]);
            }
        }
    }
};

TEST_F(Timer, StartContinuingAndStopByCount) {
    a.StartALERT = 1;
    a.StartAlertMODE = 1;
    cues.StartAlertInt = 1.0f;
    a.ContinueALERT = 1;
    a.ContinueAlertInt = 2.0f;
    a.maxalerts = 3;
    a.AlertSOUNDS = 1;
    startAudibleTimer(a, cues, 0);
    runMinutes(0, 20);
    const std::vector<std::pair<int, std::string>> want{
        {1, "start"}, {3, "now"}, {5, "now"}, {7, "stop"}};
    EXPECT_EQ(heard, want);
}

TEST_F(Timer, StopTenMinutesFromTheStartCue) {
    a.StartALERT = 1;
    a.StartAlertMODE = 1;
    cues.StartAlertInt = 5.0f;
    a.StopALERTx = 1;
    a.StopAlertMODE = 0;
    a.StopAlertCASE = 1;
    a.StopAlertInt = 10.0f;
    cues.StopAlertSound = 2;
    startAudibleTimer(a, cues, 0);
    runMinutes(0, 30);
    const std::vector<std::pair<int, std::string>> want{{5, "start"}, {15, "end"}};
    EXPECT_EQ(heard, want);
}

TEST_F(Timer, AtFirstMarkerWaitsForTheMarker) {
    a.StartALERT = 1;
    a.StartAlertMODE = 3;
    cues.StartAlertSound = 3;
    startAudibleTimer(a, cues, 0);
    runMinutes(0, 4);
    EXPECT_TRUE(heard.empty());
    runMinutes(5, 6, 5, '1');
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], (std::pair<int, std::string>{5, "go"}));
}

TEST_F(Timer, StopPlaysOncePerRecordingAndUntilMarkerX) {
    a.StartALERT = 1;
    a.StartAlertMODE = 1;
    cues.StartAlertInt = 1.0f;
    a.ContinueALERT = 1;
    a.ContinueAlertInt = 1.0f;
    a.ContAlertEnd = 1;  // "Until Marker 'x'"
    a.maxalerts = 2;
    a.StopALERTx = 1;
    a.StopAlertMODE = 2;  // "At Marker 'x'"
    startAudibleTimer(a, cues, 0);
    runMinutes(0, 10, 4, 'x');
    const std::vector<std::pair<int, std::string>> want{
        {1, "start"}, {2, "now"}, {3, "now"}, {4, "stop"}};
    EXPECT_EQ(heard, want);
}

TEST(TimerSetup, RepairsOnOpenAndArmsOnDone) {
    AudibleTimerState a;
    AlarmState cues;
    cues.StartAlertSound = 40;
    AudibleTimerModel m = openAudibleTimer(a, cues, 2.0f, 100000);
    EXPECT_EQ(a.maxalerts, 2);
    EXPECT_EQ(a.StopAlertCount, 32767);  // 0.75 × 100,000 does not fit the field
    EXPECT_EQ(cues.StartAlertSound, 1);
    EXPECT_EQ(m.maxAlerts, "2");
    m.StartALERT = 1;
    m.StartAlertMODE = 2;
    m.startSamples = "30";
    m.StopALERTx = 1;
    m.StopAlertMODE = 1;
    m.stopSamples = "90";
    audibleTimerDone(m, a, cues, 2.0f, 1000);
    EXPECT_FLOAT_EQ(cues.StartAlertInt, 1.0f);  // 30 samples of 2 s
    EXPECT_FLOAT_EQ(a.StopAlertInt, 3.0f);
    EXPECT_EQ(a.StartAlertTime, 1000 + 3600);
    EXPECT_EQ(a.AlertSOUNDS, 1);
    EXPECT_STREQ(alertSoundName(AlertCue::Continue, 12), "ni!");
    EXPECT_STREQ(alertSoundName(AlertCue::Stop, 5), "stop");
}

}  // namespace
}  // namespace trindel
