#include "devices/datataker/dt800_burst.h"

#include <algorithm>
#include <cmath>

#include "devices/datataker/datataker_protocol.h"
#include "devices/serial/serial_port.h"

namespace trindel {

namespace {

// Readings fetched per block: 64 x 12 characters fit the port's buffer with room to spare and
// take about 67 ms at 115200 baud, so stop and save requests are seen quickly.
constexpr int32_t kBlockReadings = 64;

}  // namespace

int32_t burstReadingCount(double interval, int32_t scopeMax) {
    if (interval > 0.001) {
        return static_cast<int32_t>(std::lround(scopeMax * interval / 0.001));
    }
    return scopeMax;
}

int32_t burstReadingsPerSample(double interval) {
    if (interval > 0.001) {
        return std::max<int32_t>(1, static_cast<int32_t>(std::lround(interval * 1000.0)));
    }
    return 1;
}

size_t parseBurstReadings(std::string_view text, std::vector<float>& out) {
    size_t n = 0;
    while (text.size() >= static_cast<size_t>(kBurstReadingWidth)) {
        const auto value = parseReading(text.substr(0, kBurstReadingWidth));
        out.push_back(value ? static_cast<float>(*value) : 0.0f);
        text.remove_prefix(kBurstReadingWidth);
        ++n;
    }
    return n;
}

std::vector<float> burstSamples(std::span<const float> readings, int32_t perSample,
                                int32_t scopeMax) {
    std::vector<float> samples(static_cast<size_t>(std::max(scopeMax, 0)) + 1, 0.0f);
    const size_t k = static_cast<size_t>(std::max(perSample, 1));
    for (int32_t i = 1; i <= scopeMax; ++i) {
        const size_t first = (static_cast<size_t>(i) - 1) * k;
        if (first >= readings.size()) {
            break;
        }
        const size_t last = std::min(first + k, readings.size());
        double sum = 0.0;
        for (size_t j = first; j < last; ++j) {
            sum += readings[j];
        }
        samples[static_cast<size_t>(i)] =
            static_cast<float>(sum / static_cast<double>(last - first));
    }
    return samples;
}

void convertBurst(std::span<const float> samples, float a, float b, std::span<float> out) {
    const size_t n = std::min(samples.size(), out.size());
    if (n < 2) {
        return;
    }
    const size_t last = n - 1;
    auto converted = [&](size_t i) { return a + b * (samples[i] * 0.001f); };
    for (size_t i = 1; i <= last; ++i) {
        out[i] = converted(i);
    }
    // Zeros are replaced after the whole burst is converted, so both neighbours come from this
    // burst and not from the sweep before it.
    for (size_t i = 2; i < last; ++i) {
        if (converted(i) == 0.0f) {
            out[i] = (converted(i - 1) + converted(i + 1)) / 2.0f;
        }
    }
}

BurstDownload downloadBurst(SerialPort& port, int32_t count, double silenceSeconds,
                            const std::function<bool(int32_t done)>& keepGoing) {
    BurstDownload d;
    d.readings.reserve(static_cast<size_t>(std::max(count, 0)));
    std::string pending;
    while (static_cast<int32_t>(d.readings.size()) < count) {
        const auto done = static_cast<int32_t>(d.readings.size());
        if (keepGoing && !keepGoing(done)) {
            d.interrupted = true;
            return d;
        }
        const int32_t want = std::min(kBlockReadings, count - done);
        const size_t bytes = static_cast<size_t>(want) * kBurstReadingWidth - pending.size();
        if (!port.waitForBytes(bytes, silenceSeconds)) {
            // Whatever did arrive still counts; a silent line ends the download.
            const size_t got = port.available();
            if (got == 0) {
                return d;
            }
            pending += port.readBytes(got);
        } else {
            pending += port.readBytes(bytes);
        }
        const size_t whole = pending.size() / kBurstReadingWidth * kBurstReadingWidth;
        const size_t room = static_cast<size_t>(count - done) * kBurstReadingWidth;
        parseBurstReadings(std::string_view(pending).substr(0, std::min(whole, room)), d.readings);
        pending.erase(0, std::min(whole, room));
    }
    d.complete = true;
    return d;
}

}  // namespace trindel
