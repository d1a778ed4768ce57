// Limits on the sample interval: the averaging bound, the longest recording, the speed warning,
// the machine speed test and the rate check after a run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "state/program.h"

namespace trindel {

// Largest samples-to-average that fits in the chart interval (at least 1).
int16_t MAXAVERAGE(double chartInterval, int nChan, bool externalDevice);
inline void MAXAVERAGE(Program& p) {
    p.chart.MaxAvrg =
        MAXAVERAGE(p.session.ChartINTERVALinSECONDS, p.session.nChan, p.device.External_AD != 0);
}

// "Maximum time = " and the longest recording that fits, 3 significant digits.
std::string MaxDURATION(int32_t maximumSamples, double interval);

// The speed warning lines for `channels` channels.
std::vector<std::string> SPEEDWARN(int channels);

// Speed figure from the ticks a 2,401-step drawing loop took, doubled for a 16-bit converter.
int16_t freeRunSpeed(int32_t ticks, bool sixteenBitBoard);
// The verdict shown for a speed figure.
std::string speedVerdict(int speed);
// Times the drawing loop on the canvas and sets FreeRunSpeed and CPU_is_Fast; returns the verdict.
std::string GetSpeedEstimate(Program& p, Platform& io);

struct RateCheck {
    double recordingSeconds = 0.0;  // elapsed less the pauses
    double measured = 0.0;          // seconds per sample
    double ratio = 0.0;             // measured / requested
    double duty = 0.0;              // fast-scope duty
};
// Checks the rate of the run just ended and sets SampleInterval: the measured interval when it
// differs from the requested one by more than SampRateError, otherwise the requested one.
RateCheck CHECKSAMPLERATE(Program& p, double elapsedSeconds, int32_t FastScopeCount = 0,
                          int32_t ScopeMax = 0);

// What the rate window shows: the chart part in the chart modes, the scope part (measured and
// requested scope rates) in scope and scope-plus-chart modes.
struct RateDisplay {
    bool shown = false;
    bool helpWindow = false;  // the speed-warning help text instead of the plain window
    std::string heading;
    std::vector<std::string> lines;
    bool bzot = false;
    int barEnd = 0;       // last filled column of the bar, 0 without a bar
    int scopeBarEnd = 0;  // the same for the scope rate bar
};
RateDisplay SHOWSAMPLERATE(const Program& p, const RateCheck& check, double requested, bool show);

}  // namespace trindel
