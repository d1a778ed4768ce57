// The DT800 burst of the fast scope: how many readings a burst returns, their download as
// 12-character numbers read in blocks, averaging into scope samples and conversion to volts with
// the zero-reading rule.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace trindel {

class SerialPort;

// Characters of one reading in the burst download.
inline constexpr int kBurstReadingWidth = 12;

// Readings a burst of `scopeMax` samples at `interval` seconds returns: one per millisecond of
// the sweep above 1 ms, else one per sample.
int32_t burstReadingCount(double interval, int32_t scopeMax);
// Readings averaged into one scope sample: interval x 1000 above 1 ms, else 1.
int32_t burstReadingsPerSample(double interval);

// Parses `text` as consecutive 12-character readings; appends each to `out` (a field that holds
// no number gives 0). A partial last field is left alone. Returns the readings parsed.
size_t parseBurstReadings(std::string_view text, std::vector<float>& out);

// Scope samples 1..scopeMax from the readings: each the mean of `perSample` consecutive readings
// (missing readings count as absent; a sample with none is 0). Index 0 of the result is unused.
std::vector<float> burstSamples(std::span<const float> readings, int32_t perSample,
                                int32_t scopeMax);

// Converts samples 1..n (millivolts) to channel 1's units: a + b x (sample x 0.001). A value of
// exactly 0 at 2 <= i < n is replaced by the mean of its converted neighbours in the same burst.
// Writes out[1..n]; out must hold n + 1 values.
void convertBurst(std::span<const float> samples, float a, float b, std::span<float> out);

// The download: `count` readings of 12 characters read in blocks (the port's buffer is never
// overrun and the loop never spins). `keepGoing` is asked before each block; false ends the
// download (a stop or save request). A line silent for `silenceSeconds` ends it too.
struct BurstDownload {
    std::vector<float> readings;
    bool complete = false;
    bool interrupted = false;  // keepGoing said no
};
BurstDownload downloadBurst(SerialPort& port, int32_t count, double silenceSeconds,
                            const std::function<bool(int32_t done)>& keepGoing);

}  // namespace trindel
