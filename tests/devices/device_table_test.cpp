#include "devices/device_table.h"

#include <gtest/gtest.h>

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
