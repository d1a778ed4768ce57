#include "devices/datataker/dt800_burst.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "devices/fake_serial_line.h"
#include "devices/serial/serial_port.h"

namespace trindel {
namespace {

TEST(Dt800Burst, ReadingCountsFollowTheBurstCommand) {
    // interval, samples, readings downloaded, readings per sample
    const std::tuple<double, int32_t, int32_t, int32_t> cases[] = {
        {0.004, 500, 2000, 4}, {0.001, 500, 500, 1},    {0.0002, 400, 400, 1},
        {0.002, 300, 600, 2},  {0.008, 2048, 16384, 8}, {0.0005, 16384, 16384, 1}};
    for (const auto& [interval, samples, readings, perSample] : cases) {
        EXPECT_EQ(burstReadingCount(interval, samples), readings) << interval;
        EXPECT_EQ(burstReadingsPerSample(interval), perSample) << interval;
    }
}

TEST(Dt800Burst, ParsesTwelveCharacterReadings) {
    std::vector<float> out;
    EXPECT_EQ(parseBurstReadings("  1234.500\r\n  -1.225E2\r\ngarbage...\r\n  99", out), 3u);
    EXPECT_EQ(out, (std::vector<float>{1234.5f, -122.5f, 0.0f})) << "the partial field waits";
}

TEST(Dt800Burst, SamplesAverageConsecutiveReadings) {
    const std::vector<float> readings{1, 3, 5, 7, 9, 11, 13};
    const auto s = burstSamples(readings, 2, 4);
    EXPECT_EQ(s, (std::vector<float>{0, 2, 6, 10, 13})) << "the last sample has one reading";
    EXPECT_EQ(burstSamples(readings, 4, 3), (std::vector<float>{0, 4, 11, 0}));
}

TEST(Dt800Burst, ZeroVoltReadingInsideTheSweepTakesItsNeighboursMean) {
    // Millivolts; channel 1 converts with a = 0, b = 2.
    const std::vector<float> samples{0, 0, 1000, 0, 3000, 0};
    std::vector<float> out(6, -1.0f);
    convertBurst(samples, 0.0f, 2.0f, out);
    EXPECT_FLOAT_EQ(out[2], 2.0f);
    EXPECT_FLOAT_EQ(out[3], (2.0f + 6.0f) / 2) << "neighbours from this burst";
    EXPECT_FLOAT_EQ(out[4], 6.0f);
    EXPECT_FLOAT_EQ(out[1], 0.0f) << "the first sample is not inside the sweep";
    EXPECT_FLOAT_EQ(out[5], 0.0f) << "the last sample is not inside the sweep";
    EXPECT_FLOAT_EQ(out[0], -1.0f) << "slot 0 is left alone";
    // A value converted to exactly 0 counts too: a = -1, b = 1 turns 1000 mV into 0.
    const std::vector<float> shifted{0, 2000, 1000, 4000};
    std::vector<float> out2(4);
    convertBurst(shifted, -1.0f, 1.0f, out2);
    EXPECT_FLOAT_EQ(out2[2], (1.0f + 3.0f) / 2);
}

TEST(Dt800Burst, DownloadReadsEveryReadingInBlocksAndStopsOnRequest) {
    FakeSerialLine line;
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        char field[16];
        std::snprintf(field, sizeof field, "%10.3f\r\n", 0.5 * i);
        text += field;
    }
    line.incoming = text;
    SerialPort port(line);
    std::string error;
    ASSERT_TRUE(port.open("/dev/fake", 115200, error));
    line.incoming = text;
    int asked = 0;
    const BurstDownload d = downloadBurst(port, 1000, 0.1, [&](int32_t) { return ++asked > 0; });
    ASSERT_TRUE(d.complete);
    ASSERT_EQ(d.readings.size(), 1000u);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(d.readings[static_cast<size_t>(i)], 0.5f * i);
    }
    EXPECT_EQ(asked, 16) << "one question per block of 64";

    line.incoming = text;
    const BurstDownload stopped =
        downloadBurst(port, 1000, 0.1, [&](int32_t done) { return done < 128; });
    EXPECT_TRUE(stopped.interrupted);
    EXPECT_EQ(stopped.readings.size(), 128u);

    port.discardInput();
    line.incoming = text.substr(0, 12 * 10 + 5);
    const BurstDownload cut = downloadBurst(port, 1000, 0.1, {});
    EXPECT_FALSE(cut.complete) << "a silent line ends the download";
    EXPECT_EQ(cut.readings.size(), 10u);
}

}  // namespace
}  // namespace trindel
