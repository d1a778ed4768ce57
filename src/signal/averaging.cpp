#include "signal/averaging.h"

#include <cmath>

#include "text/field_text.h"

namespace trindel {

namespace {

bool isChannel(int channel) {
    return channel >= 1 && channel <= kMaxChannels;
}

}  // namespace

void clearScanSums(Program& p) {
    p.conversion.scanvolts.fill(0.0);
    p.chart.scanavrg = 0;
}

void addScanReading(ConversionTables& t, int channel, float reading) {
    if (isChannel(channel)) {
        t.scanvolts[static_cast<size_t>(channel)] += reading;
    }
}

void countScanPass(ChartState& chart) {
    ++chart.scanavrg;
}

float scanVolts(const Program& p, int channel) {
    const int32_t passes = p.chart.scanavrg;
    if (!isChannel(channel) || passes <= 0) {
        return 0.0f;
    }
    return static_cast<float>(p.conversion.scanvolts[static_cast<size_t>(channel)] / passes);
}

void addScansToTotal(Program& p) {
    p.session.TotalScans += p.chart.scanavrg;
}

void addLastChannelReading(ChartState& t, float reading, bool absolute) {
    t.lastChannelSum += absolute ? std::fabs(reading) : reading;
    ++t.lastChannelReads;
}

std::string averagingFieldText(const Program& p, int channel) {
    const int16_t mode = p.session.RecordingMODE;
    if (p.device.External_AD == 8 || mode == 2 || (mode == 3 && channel == 1)) {
        return "N.A.";
    }
    if (p.prefs[kPrefContinuousScanning] != 0 ||
        (channel == p.session.nChan && p.prefs[kPrefLastChannelContinuous] != 0)) {
        return "cont";
    }
    if (!isChannel(channel)) {
        return "N.A.";
    }
    const float n = p.channels.Nvar[static_cast<size_t>(channel)][kSamplesToAverage];
    return wholeNumberText(readingsPerSample(n));
}

}  // namespace trindel
