// Averaging of readings into one sample: a fixed number of readings per sample, continuous
// averaging of every channel between scans, and continuous averaging of the last channel only.
#pragma once

#include <cstdint>
#include <string>

#include "state/program.h"

namespace trindel {

// Readings per sample for a channel's samples-to-average element: truncated, at least 1, at most
// a million. Inline: the scan asks it for every channel.
inline constexpr int kMostReadingsPerSample = 1000000;
inline int readingsPerSample(float samplesToAverage) {
    if (!(samplesToAverage >= 1.0f)) {
        return 1;
    }
    if (samplesToAverage >= static_cast<float>(kMostReadingsPerSample)) {
        return kMostReadingsPerSample;
    }
    return static_cast<int>(samplesToAverage);
}

// Sums the readings of one sample and notes an over-range reading among them.
struct SampleAverager {
    double sum = 0.0;
    int count = 0;
    bool overRange = false;

    void add(float reading, bool readingOverRange) {
        sum += reading;
        ++count;
        overRange = overRange || readingOverRange;
    }
    // The mean; 0 when nothing was read.
    float volts() const { return count > 0 ? static_cast<float>(sum / count) : 0.0f; }
};

// Continuous averaging of all channels (preference 30): sums per channel (scanvolts) and passes
// counted (scanavrg).
void clearScanSums(Program& p);
void addScanReading(ConversionTables& t, int channel, float reading);
void countScanPass(ChartState& chart);
// A channel's volts at the scan: its sum over the passes; 0 when no pass was made.
float scanVolts(const Program& p, int channel);
// At the scan: the passes of this interval go into the run's TotalScans.
void addScansToTotal(Program& p);

// Continuous averaging of the last channel: the channel set up with 0 samples to average, when
// the last channel, and when all channels are not averaged continuously already.
inline bool isLastChannelContinuous(const Program& p, int channel) {
    return channel >= 1 && channel <= kMaxChannels && channel == p.session.nChan &&
           p.prefs[kPrefContinuousScanning] == 0 &&
           !(p.channels.Nvar[static_cast<size_t>(channel)][kSamplesToAverage] > 0.0f);
}
// A reading between scans (its magnitude when `absolute`, the AbsVal setting, is on).
void addLastChannelReading(ChartState& chart, float reading, bool absolute);
// The last channel's volts at the scan: the mean of the readings since the previous scan, or
// `readNow()` (one reading, made absolute likewise) when there was none. Starts the next sum.
template <class ReadNow>
float takeLastChannelAverage(ChartState& t, bool absolute, ReadNow&& readNow) {
    if (t.lastChannelReads == 0) {
        addLastChannelReading(t, readNow(), absolute);
    }
    const auto volts = static_cast<float>(t.lastChannelSum / t.lastChannelReads);
    t.lastChannelSum = 0.0;
    t.lastChannelReads = 0;
    return volts;
}

// The channel set-up's averaging column: the number, "cont" for continuous averaging, "N.A."
// where averaging does not apply (serial instruments, the oscilloscope channel).
std::string averagingFieldText(const Program& p, int channel);

}  // namespace trindel
