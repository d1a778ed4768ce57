#include "signal/conversion.h"

#include "signal/breakpoint.h"
#include "signal/polynomial.h"
#include "signal/response_correction.h"
#include "signal/special_ops.h"

namespace trindel {

namespace {

bool isChannel(int channel) {
    return channel >= 1 && channel <= kMaxChannels;
}

}  // namespace

float evaluateChannelEquation(const Program& p, int channel, float volts, LogBase base) {
    if (!isChannel(channel)) {
        return volts;
    }
    const auto c = static_cast<size_t>(channel);
    const auto& row = p.channels.Nvar[c];
    switch (codeOf(p.channels.Nvar[0][c])) {
        case kConvBreakpoint:
            return evaluateBreakpoint(p.conversion.BPconvert[c], volts);
        case kConvThreeWay:
            return evaluateThreeWay(p.conversion.polyarray[c], volts);
        case kConvKeyboard:
            return static_cast<float>(p.chart.ASCIIvalue);
        default:
            return evaluateEquation(codeOf(p.channels.Nvar[0][c]),
                                    {row[kCoeffA], row[kCoeffB], row[kCoeffC]}, volts, base);
    }
}

ConvertedValue ConvertChannelVolts(Program& p, int channel, float volts) {
    if (!isChannel(channel)) {
        return {volts, volts};
    }
    const float w = evaluateChannelEquation(p, channel, volts);
    auto& ops = p.conversion.SpecialOps[static_cast<size_t>(channel)];
    const int32_t sample = p.session.Sample;
    float v = w;
    if (ops[kOpsOperation] > 0.0f) {
        v = applySpecialOperation(ops, w, flowRateFor(ops, p.store, channel, sample));
    }
    v = applyResponseCorrection(ops, v, sample);
    return {w, v};
}

}  // namespace trindel
