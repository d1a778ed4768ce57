#include "devices/read_dispatch.h"

#include <gtest/gtest.h>

#include <deque>

#include "core/program.h"
#include "devices/demo_source.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

// A device whose readings are scripted, one per read.
struct ScriptedDevice {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    std::deque<float> readings;
    int reads = 0;

    ScriptedDevice() {
        p.device.External_AD = 2;
        p.session.nChan = 4;
        p.session.Sample = 10;
        p.conversion.SpikeFilterArray[3] = 2.0f;
        p.device.lastvoltageX[1][3] = 1.0f;
        p.readers.slots[2] = [this](Program& prog, Platform&, int, int) {
            ++reads;
            prog.device.volts = readings.front();
            readings.pop_front();
        };
    }
};

TEST(SpikeReread, SpikeIsReplacedByThePreviousReading) {
    ScriptedDevice d;
    d.readings = {5.0f, 1.1f};
    ReadExternalADdevice(d.p, d.io, 3, 1);
    EXPECT_FLOAT_EQ(d.p.device.volts, 1.0f);
    EXPECT_EQ(d.p.conversion.voltagespikes[3], 1);
    EXPECT_EQ(d.reads, 2);
    EXPECT_NEAR(d.vp.clock.GetCurrentTimeInSeconds(), 0.010, 1e-9);  // waited 10 ms
    // The history records the first, unfiltered reading.
    EXPECT_FLOAT_EQ(d.p.device.lastvoltageX[1][3], 5.0f);
    EXPECT_FLOAT_EQ(d.p.device.lastvoltageX[2][3], 1.0f);
}

TEST(SpikeReread, ConfirmedJumpTakesTheRereadValue) {
    ScriptedDevice d;
    d.readings = {5.0f, 4.9f};
    ReadExternalADdevice(d.p, d.io, 3, 1);
    EXPECT_FLOAT_EQ(d.p.device.volts, 4.9f);
    EXPECT_EQ(d.p.conversion.voltagespikes[3], 0);
    EXPECT_FLOAT_EQ(d.p.device.lastvoltageX[1][3], 5.0f);
}

TEST(SpikeReread, DoubleFiltrationReadsAThirdTime) {
    ScriptedDevice d;
    d.p.prefs[kPrefDoubleSpikeFilter] = 1;
    d.readings = {5.0f, 4.9f, 1.05f};
    ReadExternalADdevice(d.p, d.io, 3, 1);
    EXPECT_EQ(d.reads, 3);
    EXPECT_FLOAT_EQ(d.p.device.volts, 1.0f);
    EXPECT_NEAR(d.vp.clock.GetCurrentTimeInSeconds(), 0.016, 1e-9);
}

TEST(SpikeReread, SmallStepIsKeptAndHistoryMoves) {
    ScriptedDevice d;
    d.readings = {2.9f};
    ReadExternalADdevice(d.p, d.io, 3, 1);
    EXPECT_EQ(d.reads, 1);
    EXPECT_FLOAT_EQ(d.p.device.volts, 2.9f);
    EXPECT_FLOAT_EQ(d.p.device.lastvoltageX[1][3], 2.9f);
    EXPECT_FLOAT_EQ(d.p.device.lastvoltageX[2][3], 1.0f);
}

TEST(SpikeReread, OffForLowThresholdOrFirstSamplesAndHistoryUntouched) {
    for (auto [threshold, sample] :
         {std::pair{1.0f, 10}, std::pair{0.5f, 10}, std::pair{2.0f, 1}}) {
        ScriptedDevice d;
        d.p.conversion.SpikeFilterArray[3] = threshold;
        d.p.session.Sample = sample;
        d.readings = {5.0f};
        ReadExternalADdevice(d.p, d.io, 3, 1);
        EXPECT_EQ(d.reads, 1);
        EXPECT_FLOAT_EQ(d.p.device.volts, 5.0f);
        EXPECT_FLOAT_EQ(d.p.device.lastvoltageX[1][3], 1.0f);
        EXPECT_FLOAT_EQ(d.p.conversion.SpikeFilterRatio, threshold);
    }
}

TEST(ReadDispatch, DeviceWithoutReaderYetGivesTheBadReading) {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    p.device.External_AD = 5;
    p.session.nChan = 2;
    p.device.serialWasRead = 1;
    ReadExternalADValue(p, io, 1, 1);
    EXPECT_FLOAT_EQ(p.device.volts, -99999.0f);
    EXPECT_EQ(p.device.serialWasRead, 1);
    ReadExternalADValue(p, io, 2, 1);  // the last channel of the scan
    EXPECT_EQ(p.device.serialWasRead, 0);
    p.device.External_AD = 7;  // no reader: volts keeps its value
    p.device.volts = 0.5f;
    ReadExternalADValue(p, io, 1, 1);
    EXPECT_FLOAT_EQ(p.device.volts, 0.5f);
}

TEST(DemoSource, ValuesCoverTheirRanges) {
    uint64_t state = 12345;
    int lo = 1000, hi = 0;
    for (int i = 0; i < 20000; ++i) {
        const int k = demoDraw(state);
        lo = std::min(lo, k);
        hi = std::max(hi, k);
    }
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 800);
    for (int i = 0; i < 1000; ++i) {
        const float v = demoChartVolts(state);
        EXPECT_GE(v, 0.2009f);
        EXPECT_LE(v, 1.0001f);
        const float paused = demoPausedVolts(state, 1, 2, 2.0f);
        EXPECT_GE(paused, 0.15f);
        EXPECT_LE(paused, 0.55f);
        const float scope = demoScopeVolts(state, 4.0f);
        EXPECT_GE(scope, 0.25f);
        EXPECT_LE(scope, 0.5f);
    }
    EXPECT_GE(demoPausedVolts(state, 2, 2, 2.0f), 0.3f);  // only channel 1 is scaled
}

TEST(DemoSource, SpikeSimulationRunsOnlyWithARatioAboveOneFromTheSecondSample) {
    Program p;
    p.session.Sample = 5;
    p.conversion.SpikeFilterArray[1] = 1.05f;
    // A jump from a last value outside the range: the second draw lies nearer the first draw,
    // so the draw stands and becomes the last value.
    p.device.lastvoltageX[1][1] = 3.0f;
    const float v = demoChartReading(p, 1);
    EXPECT_LE(v, 1.0001f);
    EXPECT_FLOAT_EQ(p.device.lastvoltageX[1][1], v);
    EXPECT_EQ(p.conversion.voltagespikes[1], 0);
    // With the filter off, or on the first sample, the last value is not touched.
    p.device.lastvoltageX[1][1] = 3.0f;
    p.conversion.SpikeFilterArray[1] = 1.0f;
    demoChartReading(p, 1);
    EXPECT_FLOAT_EQ(p.device.lastvoltageX[1][1], 3.0f);
    p.conversion.SpikeFilterArray[1] = 2.0f;
    p.session.Sample = 1;
    demoChartReading(p, 1);
    EXPECT_FLOAT_EQ(p.device.lastvoltageX[1][1], 3.0f);
}

}  // namespace
}  // namespace trindel
