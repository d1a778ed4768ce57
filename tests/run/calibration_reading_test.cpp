#include "run/calibration_reading.h"

#include <gtest/gtest.h>

#include <cmath>

#include "devices/device_table.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

TEST(DCALgetVOLTS, AveragesTheDeviceReadingsOfTheChannel) {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    p.device.DemonstrationMODE = 0;
    p.device.External_AD = 6;
    int reads = 0;
    ScopedDeviceReader reader{6, [&](Program& prog, Platform&, int channel, int) {
                                  ++reads;
                                  prog.device.volts = static_cast<float>(channel + reads % 2);
                              }};
    // Readings alternate 3 and 4 for channel 3.
    EXPECT_DOUBLE_EQ(DCALgetVOLTS(p, io, 3, 10, 99.0), 3.5);
    EXPECT_EQ(reads, 10);
    EXPECT_DOUBLE_EQ(DCALgetVOLTS(p, io, 3, 0, 99.0), 4.0);  // at least one reading
    EXPECT_EQ(reads, 11);
}

TEST(DCALgetVOLTS, DemonstrationSimulatesTheSensorWithinItsSpread) {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    p.device.DemonstrationMODE = 1;
    for (double value : {0.0, 1.0, 20.0, -20.0}) {
        const double ideal =
            value == 0.0 ? std::pow(1e-7, 0.765) : std::pow(std::fabs(value), 0.765);
        for (int i = 0; i < 50; ++i) {
            const double v = DCALgetVOLTS(p, io, 1, 1, value);
            EXPECT_GE(std::fabs(v), ideal * 0.86 - 1e-12);
            EXPECT_LE(std::fabs(v), ideal * 1.15 + 1e-12);
            EXPECT_EQ(v < 0.0, value < 0.0);
        }
        // A hundred readings average out near the middle of the spread (1.005).
        EXPECT_NEAR(DCALgetVOLTS(p, io, 1, 100, value) / (value < 0 ? -ideal : ideal), 1.005, 0.03);
    }
}

}  // namespace
}  // namespace trindel
