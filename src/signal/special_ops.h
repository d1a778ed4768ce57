// Special operations: a converted gas fraction or humidity turned into oxygen consumption, carbon
// dioxide production or evaporative water loss, with the flow rate fixed or read from a channel.
#pragma once

#include <array>
#include <cstdint>

#include "signal/output_units.h"
#include "state/sample_store.h"

namespace trindel {

// Named elements of a special-operations record (SpecialOps row).
enum SpecialOpsElement : int {
    kOpsOperation = 1,
    kOpsVariant = 2,
    kOpsFlowSource = 3,
    kOpsFlowRate = 4,  // ml/min, or the flow channel when the flow source is kFlowFromChannel
    kOpsOutputUnit = 5,
    kOpsRQ = 6,
    kOpsPreviousValue = 7,
    kOpsResponseOn = 8,
    kOpsZValue = 9,
    kOpsStoreFinal = 10,
    kOpsFiO2 = 11,
    kOpsOneMinusFiO2 = 12,
    kOpsFiCO2 = 13,
    kOpsVO2RQDivisor = 14,  // 1 - FiO2 x (1 - RQ)
    kOpsCO2Factor = 15,     // 1 - FiCO2 x (1 - 1/RQ)
    kOpsVCO2Divisor = 16,   // 1 - FiCO2 x (1 + 1/RQ)
    kOpsAirTemperature = 17,
    kOpsVapourFactor = 18,
};

enum SpecialOperation : int { kOpNone = 0, kOpVO2 = 1, kOpVCO2 = 2, kOpEWL = 3 };

inline constexpr float kFlowFromChannel = 3.0f;
inline constexpr float kDefaultRQ = 0.85f;
inline constexpr float kDefaultFiO2 = 0.2095f;

using SpecialOpsRecord = std::array<float, 22>;

// True when the channel's value should be stored after the special operation and the response
// correction ("Display & Save"): element 10 odd.
bool storesFinalValue(const SpecialOpsRecord& record);

// The flow rate for the operation of `channel` at sample slot `sample`: the fixed rate, or the
// stored value of the flow channel (this sample when that channel is converted before this one,
// else the previous sample). A flow channel outside 1..16, or a previous sample before the first,
// gives a flow of 0.
float flowRateFor(const SpecialOpsRecord& record, const SampleStore& store, int channel,
                  int32_t sample);

// Applies the operation and the output unit to `value` (a percentage) with flow rate `flow`.
// A divisor of 0 gives 0 rather than an infinite rate.
float applySpecialOperation(const SpecialOpsRecord& record, float value, float flow);

// Fills the derived elements 12, 14, 15, 16 and 18 from FiO2, FiCO2, RQ and the temperature, as
// the options window does when it is left. An RQ not above 0 is taken as the default 0.85.
void deriveSpecialOpsConstants(SpecialOpsRecord& record);

}  // namespace trindel
