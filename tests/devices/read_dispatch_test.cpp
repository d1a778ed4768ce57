#include "devices/read_dispatch.h"

#include <gtest/gtest.h>

#include <deque>

#include "devices/demo_source.h"
#include "devices/device_table.h"
#include "platform/virtual_platform.h"
#include "state/program.h"

namespace trindel {
namespace {

// A device whose readings are scripted, one per read.
struct ScriptedDevice {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    std::deque<float> readings;
    int reads = 0;
    ScopedDeviceReader reader{2, [this](Program& prog, Platform&, int, int) {
                                  ++reads;
                                  prog.device.volts = readings.front();
                                  readings.pop_front();
                              }};

    ScriptedDevice() {
        p.device.External_AD = 2;
        p.session.nChan = 4;
        p.session.Sample = 10;
        p.conversion.SpikeFilterArray[3] = 2.0f;
        p.device.lastvoltageX[1][3] = 1.0f;
    }
};

// A spike is re-read after 10 ms (and once more after 6 ms with double filtration); the history
// always records the first, unfiltered reading and moves the previous one down.
TEST(SpikeReread, RereadDecidesBetweenSpikeAndJump) {
    struct Case {
        std::deque<float> readings;
        bool doubleFilter;
        int reads;
        float volts;
        int spikes;
        double waited;
    };
    for (const Case& c : {Case{{5.0f, 1.1f}, false, 2, 1.0f, 1, 0.010},  // spike: previous value
                          Case{{5.0f, 4.9f}, false, 2, 4.9f, 0, 0.010},  // confirmed jump
                          Case{{5.0f, 4.9f, 1.05f}, true, 3, 1.0f, 1, 0.016},
                          Case{{2.9f}, false, 1, 2.9f, 0, 0.0}}) {  // small step: kept
        SCOPED_TRACE(c.readings.back());
        ScriptedDevice d;
        d.p.prefs[kPrefDoubleSpikeFilter] = c.doubleFilter ? 1 : 0;
        d.readings = c.readings;
        const float first = c.readings.front();
        ReadExternalADdevice(d.p, d.io, 3, 1);
        EXPECT_EQ(d.reads, c.reads);
        EXPECT_FLOAT_EQ(d.p.device.volts, c.volts);
        EXPECT_EQ(d.p.conversion.voltagespikes[3], c.spikes);
        EXPECT_NEAR(d.vp.clock.GetCurrentTimeInSeconds(), c.waited, 1e-9);
        EXPECT_FLOAT_EQ(d.p.device.lastvoltageX[1][3], first);
        EXPECT_FLOAT_EQ(d.p.device.lastvoltageX[2][3], 1.0f);
    }
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
