#include "files/ao_data_file.h"

#include <gtest/gtest.h>

#include "files/setup_fixture.h"

namespace trindel {
namespace {

using testing::TempPath;
using testing::writeBytes;

void fill(AnalogOutputState& ao, FeedbackState& fb) {
    for (int row = 0; row <= 100; ++row) {
        for (int col = 0; col <= 6; ++col) {
            ao.script(row, col) = static_cast<float>(row * 10 + col) + 0.25f;
        }
    }
    ao.script(0, 1) = 3.0f;  // channel 1: three steps
    ao.script(0, 4) = 0.0f;  // channel 2: off
    for (int row = 0; row <= 100; ++row) {
        for (int col = 0; col <= 6; ++col) {
            fb.Feedback[row][col] = static_cast<float>(row * 100 + col);
        }
    }
    fb.FeedbackChan = 3;
    fb.FeedbackUpdateInterval = 1800;
    fb.NegativeFEEDBACK = 0;
    fb.FeedbackEndMode = 2;
    fb.FdBkEndSetpoint = 21.5f;
    fb.FdBkEndRange = 0.5f;
    fb.FdBkEndMinV = -1.0f;
    fb.FdBkEndMaxV = 4.5f;
}

TEST(AODataFile, LayoutIs5682BytesWithFeedbackSettingsAtTheEnd) {
    AnalogOutputState ao;
    FeedbackState fb;
    fill(ao, fb);
    const auto d = aoDataFileBytes(ao, fb);
    ASSERT_EQ(d.size(), 5682u);
    EXPECT_EQ((d[5656] << 8) | d[5657], 3);                                         // FeedbackChan
    EXPECT_EQ((d[5658] << 24) | (d[5659] << 16) | (d[5660] << 8) | d[5661], 1800);  // interval
    EXPECT_EQ((d[5664] << 8) | d[5665], 2);                                         // end mode
    // Row 0 column 1 of the scripts (3.0f) at offset 4.
    EXPECT_EQ(d[4], 0x40);
    EXPECT_EQ(d[5], 0x40);
}

TEST(AODataFile, RoundTripSwitchesScriptsAndFeedbackOn) {
    AnalogOutputState ao;
    FeedbackState fb;
    fill(ao, fb);
    TempPath path("ao");
    ASSERT_EQ(writeAODataFile(ao, fb, path.str()), "");

    AnalogOutputState loadedAO;
    FeedbackState loadedFB;
    loadedAO.AO2on = 1;
    const auto r = loadAODataFile(loadedAO, loadedFB, path.str(), 5000);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(loadedAO.AOscript, ao.AOscript);
    EXPECT_EQ(loadedFB.Feedback, fb.Feedback);
    EXPECT_EQ(loadedFB.FdBkEndMaxV, 4.5f);
    EXPECT_EQ(loadedFB.FeedbackUpdateInterval, 1800);
    EXPECT_EQ(loadedAO.AO1on, 1);
    EXPECT_EQ(loadedAO.AO2on, 0);
    EXPECT_EQ(loadedFB.FeedbackON, 1);
    EXPECT_EQ(loadedFB.NextFeedbackUpdateTime, 6800);
}

TEST(AODataFile, EmptyScheduleLeavesFeedbackOff) {
    AnalogOutputState ao;
    FeedbackState fb;
    fill(ao, fb);
    for (auto& row : fb.Feedback) {
        row[6] = 0.0f;
    }
    fb.Feedback[41][6] = 5.0f;  // beyond row 40: not counted
    ao.script(0, 4) = 1.0f;
    TempPath path("ao-off");
    ASSERT_EQ(writeAODataFile(ao, fb, path.str()), "");
    AnalogOutputState loadedAO;
    FeedbackState loadedFB;
    loadedFB.FeedbackON = 1;
    ASSERT_TRUE(loadAODataFile(loadedAO, loadedFB, path.str(), 0).ok);
    EXPECT_EQ(loadedFB.FeedbackON, 0);
    EXPECT_EQ(loadedAO.AO2on, 1);
}

TEST(AODataFile, WrongSizeChangesNothing) {
    AnalogOutputState ao;
    FeedbackState fb;
    fill(ao, fb);
    const auto good = aoDataFileBytes(ao, fb);
    TempPath path("ao-bad");
    auto longer = good;
    longer.push_back(0);
    for (const auto& bytes :
         {std::vector<uint8_t>{}, std::vector<uint8_t>(good.begin(), good.begin() + 2828),
          std::vector<uint8_t>(good.begin(), good.end() - 1), longer}) {
        writeBytes(path.str(), bytes);
        AnalogOutputState a;
        FeedbackState f;
        const auto r = loadAODataFile(a, f, path.str(), 0);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find("5682"), std::string::npos) << r.error;
        EXPECT_EQ(a, AnalogOutputState{});
        EXPECT_EQ(f, FeedbackState{});
    }
}

}  // namespace
}  // namespace trindel
