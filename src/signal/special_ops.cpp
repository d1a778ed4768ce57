#include "signal/special_ops.h"

#include "signal/equations.h"
#include "state/channel_table.h"

namespace trindel {

namespace {

float safeQuotient(float numerator, float divisor) {
    return divisor != 0.0f ? numerator / divisor : 0.0f;
}

}  // namespace

bool storesFinalValue(const SpecialOpsRecord& record) {
    return codeOf(record[kOpsStoreFinal]) % 2 != 0;
}

float flowRateFor(const SpecialOpsRecord& record, const SampleStore& store, int channel,
                  int32_t sample) {
    if (record[kOpsFlowSource] != kFlowFromChannel) {
        return record[kOpsFlowRate];
    }
    const float source = record[kOpsFlowRate];
    if (!(source >= 1.0f && source <= static_cast<float>(kMaxChannels))) {
        return 0.0f;
    }
    const int flowChannel = static_cast<int>(source);
    // A channel numbered above this one has not been converted in this scan yet.
    const int64_t slot = flowChannel <= channel ? sample : int64_t{sample} - 1;
    if (slot < 0 || slot >= SampleStore::kRowStride) {
        return 0.0f;
    }
    return store.get(flowChannel, slot);
}

float applySpecialOperation(const SpecialOpsRecord& r, float value, float flow) {
    const int operation = codeOf(r[kOpsOperation]);
    if (operation <= kOpNone) {
        return value;
    }
    const float fraction = value * 0.01f;
    const float qf = flow * fraction;
    const int variant = codeOf(r[kOpsVariant]);
    float rate = value;
    switch (operation) {
        case kOpVO2:
            if (variant == 1) {
                rate = safeQuotient(qf, 1.0f - (r[kOpsFiO2] - fraction));
            } else if (variant == 2) {
                rate = safeQuotient(qf, 1.0f - r[kOpsFiO2]);
            } else if (variant == 4) {
                rate = safeQuotient(qf, r[kOpsVO2RQDivisor]);
            }
            break;
        case kOpVCO2:
            if (variant == 1) {
                rate = safeQuotient(qf, r[kOpsVCO2Divisor]);
            } else {
                rate = safeQuotient(qf, 1.0f - (r[kOpsFiCO2] + fraction) * r[kOpsCO2Factor]);
            }
            break;
        case kOpEWL:
            rate = qf * r[kOpsVapourFactor];
            break;
        default:
            break;
    }
    return rate * outputUnitFactor(r[kOpsOutputUnit]);
}

void deriveSpecialOpsConstants(SpecialOpsRecord& r) {
    if (!(r[kOpsRQ] > 0.0f)) {
        r[kOpsRQ] = kDefaultRQ;
    }
    const float rq = r[kOpsRQ];
    const float fio2 = r[kOpsFiO2];
    const float fico2 = r[kOpsFiCO2];
    r[kOpsOneMinusFiO2] = 1.0f - fio2;
    r[kOpsVO2RQDivisor] = 1.0f - fio2 * (1.0f - rq);
    r[kOpsCO2Factor] = 1.0f - fico2 * (1.0f - 1.0f / rq);
    r[kOpsVCO2Divisor] = 1.0f - fico2 * (1.0f + 1.0f / rq);
    r[kOpsVapourFactor] = saturationVapourFactor(r[kOpsAirTemperature]);
}

}  // namespace trindel
