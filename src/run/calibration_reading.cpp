#include "run/calibration_reading.h"

#include <cmath>

#include "devices/demo_source.h"
#include "devices/read_dispatch.h"

namespace trindel {

namespace {

double simulatedSensor(double value, uint64_t& seed) {
    const double magnitude =
        value == 0.0 ? std::pow(1e-7, 0.765) : std::pow(std::fabs(value), 0.765);
    // demoDraw gives 1..800: spread it over 0.86..1.15.
    const double factor = 0.86 + 0.29 * (demoDraw(seed) - 1) / 799.0;
    return (value < 0.0 ? -magnitude : magnitude) * factor;
}

}  // namespace

double DCALgetVOLTS(Program& p, Platform& io, int channel, int count, double value) {
    const int n = count < 1 ? 1 : count;
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        sum += p.device.DemonstrationMODE != 0 ? simulatedSensor(value, p.device.demoSeed)
                                               : readDeviceChannel(p, io, channel);
    }
    return sum / n;
}

}  // namespace trindel
