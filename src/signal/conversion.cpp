#include "signal/conversion.h"

namespace trindel {

ConvertedValue ConvertChannelVolts(Program& p, int channel, float volts) {
    // Linear equation v = a + b x volts until the full engine lands.
    const auto& row = p.channels.Nvar[static_cast<size_t>(channel)];
    const float v = row[kCoeffA] + row[kCoeffB] * volts;
    return {v, v};
}

}  // namespace trindel
