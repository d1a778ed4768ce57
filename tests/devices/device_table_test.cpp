#include "devices/device_table.h"

#include <gtest/gtest.h>

#include "devices/demo_source.h"
#include "devices/read_dispatch.h"
#include "platform/virtual_platform.h"
#include "state/program.h"

namespace trindel {
namespace {

TEST(DeviceTable, RowsByCode) {
    EXPECT_EQ(deviceInfo(42).code, 7);  // unknown codes read as "no device"
    for (int code = 0; code < kDeviceCodeCount; ++code) {
        EXPECT_EQ(deviceInfo(code).code, code);
    }
}

TEST(DeviceTable, DemonstrationModeWritesCode6) {
    EXPECT_EQ(AD_Device_Code(4, 1), 6);
    EXPECT_EQ(AD_Device_Code(4, 0), 800);
    EXPECT_EQ(AD_Device_Code(0, 0), 6);
    EXPECT_FLOAT_EQ(OverRangeVolts(0), 5.0f);
}

TEST(DeviceTable, HowManyHardwareADFollowsTheDevice) {
    Program p;
    const std::pair<int, int> expected[] = {{0, 16}, {1, 12}, {2, 10}, {3, 5},  {4, 12},
                                            {5, 8},  {6, 16}, {8, 16}, {42, 16}};
    for (auto [code, inputs] : expected) {
        p.device.External_AD = static_cast<int16_t>(code);
        HowManyHardwareAD(p);
        EXPECT_EQ(p.prefs[kPrefDeviceInputs], inputs) << "device " << code;
    }
    p.prefs[kPrefAdamModule] = 11;  // the ADAM's second module adds 8 inputs, to it alone
    for (auto [code, inputs] : {std::pair{5, 16}, std::pair{3, 5}}) {
        p.device.External_AD = static_cast<int16_t>(code);
        HowManyHardwareAD(p);
        EXPECT_EQ(p.prefs[kPrefDeviceInputs], inputs) << "device " << code;
    }
}

// One registry: a reader installed for a code is the one every read of that device calls, and
// the built-in reader comes back when it is removed.
TEST(DeviceReaders, InstalledReaderReplacesTheRowsReaderUntilRemoved) {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    p.device.External_AD = 2;
    p.session.nChan = 4;
    {
        ScopedDeviceReader reader(2, [](Program& prog, Platform&, int c, int) {
            prog.device.volts = 0.25f * static_cast<float>(c);
        });
        EXPECT_FLOAT_EQ(readDeviceChannel(p, io, 3), 0.75f);
        ScopedDeviceReader inner(
            2, [](Program& prog, Platform&, int, int) { prog.device.volts = 7.0f; });
        EXPECT_FLOAT_EQ(readDeviceChannel(p, io, 3), 7.0f);
    }
    // Back to the built-in reader: no protocol yet, so the read fails as a silent device.
    EXPECT_FLOAT_EQ(readDeviceChannel(p, io, 3), kBadReading);
    setDeviceReader(2, [](Program& prog, Platform&, int, int) { prog.device.volts = 1.5f; });
    EXPECT_FLOAT_EQ(readDeviceChannel(p, io, 3), 1.5f);
    setDeviceReader(2, {});
    EXPECT_FLOAT_EQ(readDeviceChannel(p, io, 3), kBadReading);
    setDeviceReader(42, [](Program&, Platform&, int, int) {});  // no such code: ignored
    EXPECT_EQ(deviceInfo(42).code, 7);
    EXPECT_EQ(deviceInfo(7).reader, nullptr);
}

// The demonstration source is the reader of code 0: in the demonstration mode it gives the same
// values as the source itself; without the mode nothing is read.
TEST(DeviceReaders, DemonstrationSourceIsTheReaderOfCodeZero) {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    p.device.External_AD = 0;
    p.device.DemonstrationMODE = 1;
    p.session.Sample = 5;
    Program copy = p;
    for (int i = 0; i < 50; ++i) {
        EXPECT_FLOAT_EQ(readDeviceChannel(p, io, 1), demoChartReading(copy, 1));
    }
    EXPECT_EQ(p.device.lastvoltageX, copy.device.lastvoltageX);
    EXPECT_EQ(p.conversion.voltagespikes, copy.conversion.voltagespikes);
    p.device.DemonstrationMODE = 0;
    p.device.volts = 0.5f;
    EXPECT_FLOAT_EQ(readDeviceChannel(p, io, 1), 0.5f);
}

TEST(DeviceTable, WarningCountsChannelsBeyondTheInputs) {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    p.session.nChan = 4;
    p.prefs[kPrefDeviceInputs] = 5;
    p.channels.Nvar[1][kInputNumber] = 5;
    p.channels.Nvar[2][kInputNumber] = 6;
    p.channels.Nvar[4][kInputNumber] = 9;
    p.channels.Nvar[5][kInputNumber] = 9;  // beyond nChan: not counted
    const int count = countInputsOutOfRange(p);
    EXPECT_EQ(count, 2);
    ADinputWarning(p, io, count);
    ASSERT_EQ(vp.host.shown.size(), 1u);
    EXPECT_EQ(vp.host.shown[0].rfind("AD inputs out of range: CAUTION:  2 A-D", 0), 0u);
    EXPECT_EQ(vp.sounds.log, std::vector<std::string>{"bzot"});
    ADinputWarning(p, io, 0);
    EXPECT_EQ(vp.host.shown.size(), 1u);
}

TEST(DeviceTable, FailedReadingStoresBadValueOrLastGood) {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    p.session.Sample = 5;
    setFailedReading(p, io, 1, 0.7f);
    EXPECT_FLOAT_EQ(p.device.volts, kBadReading);
    EXPECT_EQ(vp.sounds.log.back(), "ALARMbuzz");
    p.prefs[kPrefBadReadingStore] = 1;
    setFailedReading(p, io, 1, 0.7f);
    EXPECT_FLOAT_EQ(p.device.volts, 0.7f);
    p.session.Sample = 1;  // the first samples have no last good value
    p.device.SerialWarningBuzz = 0;
    vp.sounds.log.clear();
    setFailedReading(p, io, 1, 0.7f);
    EXPECT_FLOAT_EQ(p.device.volts, kBadReading);
    EXPECT_TRUE(vp.sounds.log.empty());
}

}  // namespace
}  // namespace trindel
