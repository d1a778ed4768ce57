#include "run/speed_limits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "text/number_text.h"

namespace trindel {

namespace {

// The value with 3 significant digits, trailing zeros removed.
std::string threeDigits(double value) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 3);
    return std::string(buf, r.ptr);
}

// An interval as the rate window writes it: seconds when at least 1 s, else its inverse per second.
std::string rateText(double interval, double requested) {
    if (requested >= 1.0) {
        return threeDigits(interval) + " sec";
    }
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, interval > 0 ? 1.0 / interval : 0.0,
                                 std::chars_format::general, 6);
    return std::string(buf, r.ptr) + "/sec";
}

// The scope part of the rate window (ShowDutyFactor).
void scopeRateLines(const Program& p, RateDisplay& d) {
    const Session& s = p.session;
    const double Q = std::rint(1.0 / s.ScopeINTERVALinSECONDS);
    if (p.prefs[kPrefFastScope] == 0) {
        if (s.LastScopeDur > 0.0f) {
            const double R = std::rint(s.ScopeMax * 60.0 / s.LastScopeDur);
            if (Q > 0 && std::fabs(R / Q - 1.0) > 0.03) {
                d.lines.insert(d.lines.end(), {"0%", "50%", "100%"});
                d.bzot = true;
                d.scopeBarEnd = std::min(233, 13 + static_cast<int>(220 * R / Q));
            }
            d.lines.push_back("      Scope sample rate: " + std::to_string(static_cast<long>(R)) +
                              "/sec");
        } else {
            d.lines.push_back(" ** Cannot calculate rate **");
        }
    }
    d.lines.push_back("Requested scope rate: " + std::to_string(static_cast<long>(Q)) + "/sec");
}

}  // namespace

int16_t MAXAVERAGE(double chartInterval, int nChan, bool externalDevice) {
    if (nChan <= 0) {
        nChan = 1;
    }
    const double t = 1.2 * chartInterval / nChan;
    const double x = externalDevice ? t / 0.35 : (t - 0.012) / 0.014;
    const double whole = std::trunc(x);
    return static_cast<int16_t>(std::clamp(whole, 1.0, 32767.0));
}

std::string MaxDURATION(int32_t maximumSamples, double interval) {
    const double t = maximumSamples * interval;
    std::string text = "Maximum time = ";
    if (t > 172800.0) {
        return text + threeDigits(t / 86400.0) + " days";
    }
    if (t > 7200.0) {
        return text + threeDigits(t / 3600.0) + " hours";
    }
    if (t > 600.0) {
        return text + threeDigits(t / 60.0) + " minutes";
    }
    return text + threeDigits(t) + " seconds";
}

std::vector<std::string> SPEEDWARN(int channels) {
    return {"CAUTION: ", "this sample rate may ", " be too fast",
            "for" + runtimeText(channels) + (channels == 1 ? " channel !" : " channels !")};
}

int16_t freeRunSpeed(int32_t ticks, bool sixteenBitBoard) {
    const int32_t steps = std::max<int32_t>(1, static_cast<int32_t>(ticks / 2.3));
    const int32_t speed = 17000 / steps * (sixteenBitBoard ? 2 : 1);
    return static_cast<int16_t>(std::min<int32_t>(speed, 32767));
}

std::string speedVerdict(int speed) {
    if (speed > 500) {
        return " REALLY fast...";
    }
    if (speed > 370) {
        return "  pretty fast...";
    }
    if (speed > 220) {
        return "  not too bad...";
    }
    if (speed > 150) {
        return "  kinda slow...";
    }
    return " sluglike...";
}

std::string GetSpeedEstimate(Program& p, Platform& io) {
    const int32_t start = io.clock.TickCount();
    const int w = std::max(2, io.canvas.width());
    for (int i = 0; i <= 2400; ++i) {
        io.canvas.line(i % w, 0, (i + 1) % w, 20, p.colours.ChartDataColor);
    }
    io.canvas.flush();
    const int32_t ticks = io.clock.TickCount() - start;
    p.chart.FreeRunSpeed = freeRunSpeed(ticks, p.device.sixteenBitBoard != 0);
    p.chart.CPU_is_Fast = p.chart.FreeRunSpeed > 220 ? 1 : 0;
    return speedVerdict(p.chart.FreeRunSpeed);
}

RateCheck CHECKSAMPLERATE(Program& p, double elapsedSeconds, int32_t FastScopeCount,
                          int32_t ScopeMax) {
    Session& s = p.session;
    RateCheck r;
    r.recordingSeconds = elapsedSeconds - 60.0 * s.totalPauseDuration;
    r.measured = s.Sample > 0 ? r.recordingSeconds / s.Sample : 0.0;
    r.ratio = s.ChartSampleInterval > 0 ? r.measured / s.ChartSampleInterval : 0.0;
    r.duty = r.recordingSeconds > 0 ? static_cast<double>(FastScopeCount) * ScopeMax *
                                          static_cast<double>(s.scopeinterval) / r.recordingSeconds
                                    : 0.0;
    if (s.Sample > 0 && (r.ratio > 1.0 + s.SampRateError || r.ratio < 1.0 - s.SampRateError)) {
        s.SampleInterval = static_cast<float>(r.measured);
    } else {
        s.SampleInterval = s.ChartSampleInterval;
    }
    return r;
}

RateDisplay SHOWSAMPLERATE(const Program& p, const RateCheck& check, double requested, bool show) {
    const Session& s = p.session;
    RateDisplay d;
    if (s.RecordingMODE == 2) {
        d.shown = true;
        d.heading = "Recording Check";
        scopeRateLines(p, d);
        return d;
    }
    if (s.Sample < 2) {
        return d;
    }
    d.shown = true;
    d.heading = requested >= 1.0 ? "sample interval" : "  sample rate";
    const bool off = std::fabs(check.ratio - 1.0) > s.SampRateError;
    if (s.SampleRateChanged != 0) {
        d.lines = {"requested",
                   rateText(requested, requested),
                   "Sample rate was changed,",
                   " so an average rate was",
                   " not computed.",
                   "Pause duration and speed data will",
                   " be saved in the file's comments."};
        return d;
    }
    d.helpWindow = off;
    if (off) {
        const double percent =
            check.measured > 0 ? 100.0 * s.ChartINTERVALinSECONDS / check.measured : 0.0;
        // Room for any double in fixed form with two decimals.
        char buf[400];
        const auto r = std::to_chars(buf, buf + sizeof buf, percent, std::chars_format::fixed, 2);
        d.lines = {"measured rate is",
                   std::string(buf, r.ptr),
                   "% of requested",
                   "0%",
                   "50%",
                   "100%",
                   "requested: " + rateText(requested, requested),
                   " measured: " + rateText(check.measured, requested)};
        d.bzot = show;
        d.barEnd = std::min(232, 14 + static_cast<int>(218 * percent / 100.0));
    }
    if (s.RecordingMODE == 3) {
        scopeRateLines(p, d);
    }
    return d;
}

}  // namespace trindel
