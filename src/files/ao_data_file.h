// AO data files: both analogue-output scripts, the feedback schedule and the feedback settings,
// 5,682 bytes with no header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/control_state.h"

namespace trindel {

class Host;

inline constexpr size_t kAODataFileBytes = 5682;

struct AODataLoadResult {
    bool ok = false;
    std::string error;  // empty on success or when the dialog was cancelled
};

std::vector<uint8_t> aoDataFileBytes(const AnalogOutputState& ao, const FeedbackState& fb);
std::string writeAODataFile(const AnalogOutputState& ao, const FeedbackState& fb,
                            const std::string& path);

// Reads the bytes of an AO data file into both groups, with the rules below; throws
// FileFormatError (and changes nothing) when they are not one.
void readAODataBytes(const std::vector<uint8_t>& data, AnalogOutputState& ao, FeedbackState& fb,
                     int32_t nowTicks);

// Reads the file into both groups and applies the on/off rules: feedback on (next update one
// interval after `nowTicks`) when the schedule's durations add up above 0, each script on when
// its step count is at least 1. A file of another size changes nothing.
AODataLoadResult loadAODataFile(AnalogOutputState& ao, FeedbackState& fb, const std::string& path,
                                int32_t nowTicks);

// "Save AO Data…" and "Open AO Data…".
bool SAVEAOscript(const AnalogOutputState& ao, const FeedbackState& fb, Host& host);
AODataLoadResult GETAOscript(AnalogOutputState& ao, FeedbackState& fb, Host& host,
                             int32_t nowTicks);

}  // namespace trindel
