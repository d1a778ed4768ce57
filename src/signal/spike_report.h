// The after-run spike report (ShowVoltageSpikes): one line per channel with its removed spikes.
#pragma once

#include <string>
#include <vector>

#include "state/conversion_tables.h"

namespace trindel {

inline constexpr const char* kSpikeReportTitle = "Spike Filter";

// The report line of one channel: "chan 2:  3 spikes removed", "chan 1:  1 spike removed",
// "chan 4:    no spikes detected".
std::string spikeReportLine(int channel, int32_t spikes);

// The lines of channels 1..nChan.
std::vector<std::string> ShowVoltageSpikes(const ConversionTables& tables, int nChan);

}  // namespace trindel
