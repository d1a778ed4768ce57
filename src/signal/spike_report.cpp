#include "signal/spike_report.h"

#include <algorithm>

#include "text/field_text.h"

namespace trindel {

std::string spikeReportLine(int channel, int32_t spikes) {
    std::string line = "chan" + wholeNumberText(channel) + ": ";
    if (spikes == 0) {
        return line + "   no spikes detected";
    }
    return line + wholeNumberText(spikes) + (spikes == 1 ? " spike removed" : " spikes removed");
}

std::vector<std::string> ShowVoltageSpikes(const ConversionTables& tables, int nChan) {
    std::vector<std::string> lines;
    for (int c = 1; c <= std::min(nChan, 16); ++c) {
        lines.push_back(spikeReportLine(c, tables.voltagespikes[static_cast<size_t>(c)]));
    }
    return lines;
}

}  // namespace trindel
