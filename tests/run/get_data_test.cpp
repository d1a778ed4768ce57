#include "run/get_data.h"

#include <gtest/gtest.h>

#include "chart_fixture.h"
#include "devices/device_table.h"
#include "run/chart_actions.h"

namespace trindel {
namespace {

using testing::ChartFixture;

// A fixture whose device returns scripted volts per channel.
struct DeviceFixture : ChartFixture {
    std::array<float, 17> volts{};
    int reads = 0;
    ScopedDeviceReader reader{6, [this](Program& prog, Platform&, int c, int) {
                                  ++reads;
                                  prog.device.volts = volts[static_cast<size_t>(c)];
                              }};
    explicit DeviceFixture(int channels) : ChartFixture(channels, 1.0, 10) {
        p.device.External_AD = 6;
        p.device.DemonstrationMODE = 0;
        ChartLoop loop(p, io, hooks);
        loop.begin();  // run resets, over-range threshold of the device (0.419 V)
    }
    void scan() { GETDATA(p, io, hooks); }
};

TEST(GETDATA, AveragesTheReadingsOfEachChannel) {
    DeviceFixture f(2);
    f.p.channels.Nvar[1][kSamplesToAverage] = 4;
    f.volts[1] = 0.25f;
    f.volts[2] = 0.125f;
    f.scan();
    EXPECT_EQ(f.reads, 5);
    EXPECT_FLOAT_EQ(f.p.store.get(1, 0), 0.25f);
    EXPECT_FLOAT_EQ(f.p.store.get(2, 0), 0.125f);
    EXPECT_EQ(f.p.session.Sample, 1);
    EXPECT_NEAR(f.p.session.TimeOfNextChartSample, 1.1, 1e-9);
}

// The streaming device: one line is read per scan (not per channel, not per averaged reading),
// and each channel takes the field it is mapped to.
TEST(GETDATA, StreamingDeviceReadsOneLinePerScanAndChannelsTakeTheirFields) {
    DeviceFixture f(2);
    ScopedDeviceReader line(8, [&f](Program& p, Platform&, int, int) {
        ++f.reads;
        p.device.serialArray[4][1] = 0.3f * static_cast<float>(f.reads);
        p.device.serialArray[7][1] = -2.0f;
    });
    f.p.device.External_AD = 8;
    f.p.device.serialArray[4][2] = 2;
    f.p.device.serialArray[7][2] = 1;
    f.p.channels.Nvar[1][kSamplesToAverage] = 4;
    f.scan();
    EXPECT_EQ(f.reads, 1);
    EXPECT_FLOAT_EQ(f.p.store.get(1, 0), -2.0f);
    EXPECT_FLOAT_EQ(f.p.store.get(2, 0), 0.3f);
}

TEST(GETDATA, OverRangeIsCountedAndShown) {
    DeviceFixture f(1);
    auto& alarm = f.p.alarm.alarms[1];
    alarm[0] = 1;
    alarm[3] = 1;       // over-range alarm on
    f.volts[1] = 0.5f;  // at or above 0.419 V
    f.p.session.Sample = 3;
    f.scan();
    EXPECT_EQ(alarm[10], 1.0f);
    EXPECT_EQ(alarm[11], 3.0f);
    ASSERT_FALSE(f.hooks.status.empty());
    EXPECT_EQ(f.hooks.status.back().second, " Overrange error");
    alarm[3] = 0;
    f.scan();
    EXPECT_EQ(alarm[10], 1.0f);
    EXPECT_EQ(f.hooks.status.back().second, "    no error    ");
}

TEST(GETDATA, LimitAlarmsTestTheConvertedValue) {
    DeviceFixture f(1);
    auto& alarm = f.p.alarm.alarms[1];
    alarm[0] = 1;
    alarm[2] = 1;   // high alarm
    alarm[5] = 20;  // at 20 units
    f.p.channels.Nvar[1][kCoeffB] = 100.0f;
    f.volts[1] = 0.3f;  // 30 units
    f.scan();
    EXPECT_EQ(alarm[8], 1.0f);
    EXPECT_EQ(f.hooks.status.back().second, " > upper limit!");
}

TEST(GETDATA, PenRowStaysInsideTheBand) {
    DeviceFixture f(1);
    auto& row = f.p.channels.Nvar[1];
    row[kBandHeight] = 100;
    row[kBandBottom] = 201;  // band rows 100..200
    f.vp.canvas.keepOps = true;
    for (float v : {0.5f, 2.0f, -1.0f}) {
        f.volts[1] = v;
        f.scan();
    }
    ASSERT_EQ(f.vp.canvas.ops.size(), 3u);
    EXPECT_EQ(f.vp.canvas.ops[0].rect.bottom, 150);
    EXPECT_EQ(f.vp.canvas.ops[0].rect.left, -500);  // first samples start off screen
    EXPECT_EQ(f.vp.canvas.ops[1].rect.bottom, 100);
    EXPECT_EQ(f.vp.canvas.ops[2].rect.bottom, 200);
    EXPECT_EQ(f.vp.canvas.ops[2].rect.top, 100);  // from the previous row
    EXPECT_EQ(f.vp.canvas.ops[2].rect.left, 2);   // from the previous column
    EXPECT_EQ(row[kLastPenRow], 200.0f);
}

TEST(GETDATA, UnreadChannelsRecordTheZeroValueAndLinksFollow) {
    DeviceFixture f(3);
    f.p.session.SwitchingMode = 1;
    f.p.switching.OldChan = 2;
    f.p.switching.DeviceSwitchZeroValue = -1.0f;
    f.p.channels.Nvar[1][kDeviceNumber] = 1;  // not connected
    f.p.channels.Nvar[2][kDeviceNumber] = 2;  // connected
    f.p.switching.zerolink[3][2] = 1;         // channel 3 follows channel 1
    f.volts = {0, 0.5f, 0.6f, 0.7f};
    f.scan();  // Sample 0: links act from the first sample taken on
    f.scan();
    EXPECT_FLOAT_EQ(f.p.store.get(1, 1), -1.0f);
    EXPECT_FLOAT_EQ(f.p.store.get(2, 1), 0.6f);
    EXPECT_FLOAT_EQ(f.p.store.get(3, 0), 0.7f);
    EXPECT_FLOAT_EQ(f.p.store.get(3, 1), -1.0f);
    f.p.switching.RefIsON = 1;  // during the reference every channel is recorded as read
    f.scan();
    EXPECT_FLOAT_EQ(f.p.store.get(1, 2), 0.5f);
}

TEST(GETDATA, SlopeSignAppearsFromSampleNPlusTwo) {
    DeviceFixture f(1);
    f.p.alarm.alarms[1][21] = 1;
    f.p.alarm.alarms[1][22] = 2;
    for (int s = 0; s < 5; ++s) {
        f.volts[1] = 0.1f * static_cast<float>(s + 1);  // rising
        f.scan();
    }
    ASSERT_EQ(f.hooks.readouts.size(), 5u);
    EXPECT_EQ(f.hooks.readouts[3].second, " 0.4");  // Sample 3 = N + 1: no sign yet
    EXPECT_EQ(f.hooks.readouts[4].second, " 0.5 + ");
    f.volts[1] = 0.01f;
    f.scan();
    f.volts[1] = 0.005f;
    f.scan();
    EXPECT_EQ(f.hooks.readouts.back().second, " 0.005 -");
}

TEST(GETDATA, ReadoutsShowTheChosenSignificantDigits) {
    DeviceFixture f(1);
    f.volts[1] = 0.123456789f;
    for (const auto& [digits, text] :
         {std::pair{4, " 0.1235"}, {5, " 0.12346"}, {6, " 0.123457"}}) {
        f.p.session.SigFigs = static_cast<int16_t>(digits);
        f.scan();
        EXPECT_EQ(f.hooks.readouts.back().second, text) << digits;
        EXPECT_FLOAT_EQ(f.p.store.get(1, f.p.session.Sample - 1), 0.123456789f);  // stored in full
    }
}

}  // namespace
}  // namespace trindel
