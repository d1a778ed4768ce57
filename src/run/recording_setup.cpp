#include "run/recording_setup.h"

#include <cmath>

#include "devices/device_table.h"
#include "display/chart_screen.h"
#include "files/setup_file.h"
#include "text/number_text.h"

namespace trindel {

namespace {

constexpr double kShortestInterval = 0.0002;
constexpr double kLongestInterval = 86400.0;

bool usableInterval(double interval) {
    return interval >= kShortestInterval && interval <= kLongestInterval;
}

int32_t samplesWanted(const RecordSettings& r, double interval, int32_t byDefault,
                      std::string& error) {
    double n = byDefault;
    if (r.samplesGiven && r.samples < 1) {
        error = "--samples must be at least 1";
        return 0;
    }
    if (r.durationGiven && !(std::isfinite(r.duration) && r.duration > 0.0)) {
        error = "--duration must be a positive number of seconds";
        return 0;
    }
    if (r.samples > 0) {
        n = r.samples;
    } else if (r.duration > 0.0) {
        n = std::floor(r.duration / interval + 0.5);
    } else if (r.duration < 0.0 || r.samples < 0) {
        error = "--samples and --duration must be positive";
        return 0;
    }
    if (n < 1 || n > SampleStore::kMaxSamplesPerChannel) {
        error = "a recording holds 1 to 2,000,000 samples";
        return 0;
    }
    return static_cast<int32_t>(n);
}

// The channels of a demonstration recording when no set-up file gives them: volts, 0 to 1 V.
void setUpChannels(Program& p, const RecordSettings& r) {
    p.session.nChan = static_cast<int16_t>(r.channels);
    setDefaultChannels(p.channels, r.channels,
                       ChannelDefaults{4.0f, 0.0f, 1.0f, static_cast<float>(r.average)});
    for (int c = 1; c <= r.channels; ++c) {
        p.channels.setLabel(c, "Demo " + std::to_string(c));
    }
    SetChanParams(p, p.prefs[kPrefWindowHeight], 0);
}

bool applySettings(Program& p, const RecordSettings& r, int width, int height, std::string& error) {
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.prefs[kPrefWindowWidth] = static_cast<int16_t>(width);
    p.prefs[kPrefWindowHeight] = static_cast<int16_t>(height);
    if (!r.setup.empty()) {
        const SetupLoadResult loaded = loadSetupFile(p, r.setup);
        if (!loaded.ok) {
            error = r.setup + ": " + loaded.error;
            return false;
        }
        if (p.session.nChan < 1) {
            error = r.setup + ": the set-up has no channels";
            return false;
        }
        if (r.channelsGiven && r.channels != p.session.nChan) {
            error = "--channels cannot change the channels of a set-up file";
            return false;
        }
        if (r.averageGiven) {
            for (int c = 1; c <= p.session.nChan; ++c) {
                p.channels.Nvar[static_cast<size_t>(c)][kSamplesToAverage] =
                    static_cast<float>(r.average);
            }
        }
    } else {
        setUpChannels(p, r);
    }
    if (r.intervalGiven || r.setup.empty()) {
        p.session.ChartINTERVALinSECONDS = r.interval;
    }
    return true;
}

}  // namespace

void setDefaultChannels(ChannelTable& table, int channels, const ChannelDefaults& defaults) {
    for (int c = 1; c <= channels && c <= kMaxChannels; ++c) {
        auto& row = table.Nvar[static_cast<size_t>(c)];
        table.conversionType(c) = defaults.conversionType;
        row[kInputNumber] = static_cast<float>(c);
        row[kCoeffA] = 0.0f;
        row[kCoeffB] = 1.0f;
        row[kCoeffC] = 0.0f;
        row[kDisplayMax] = defaults.displayMax;
        row[kDisplayMin] = defaults.displayMin;
        row[kSamplesToAverage] = defaults.samplesToAverage;
    }
}

bool checkRecordSettings(const RecordSettings& r, std::string& error) {
    if (r.channels < 1 || r.channels > kMaxChannels) {
        error = "--channels must be 1 to 16";
        return false;
    }
    if (!usableInterval(r.interval) || !std::isfinite(r.interval)) {
        error = "--interval must be between 0.0002 and 86400 seconds";
        return false;
    }
    if (r.average < 1 || r.average > 1000) {
        error = "--average must be 1 to 1000";
        return false;
    }
    return true;
}

int32_t prepareRecording(Program& p, const RecordSettings& r, int width, int height,
                         uint64_t demoSeed, std::string& error) {
    if (!applySettings(p, r, width, height, error)) {
        return 0;
    }
    Session& s = p.session;
    s.RecordingMODE = 1;
    p.device.External_AD = 0;
    p.device.DemonstrationMODE = 1;
    p.device.demoSeed = demoSeed;
    HowManyHardwareAD(p);
    s.ChartSampleInterval = static_cast<float>(s.ChartINTERVALinSECONDS);
    s.OldChartSpeed = s.ChartINTERVALinSECONDS;
    if (!usableInterval(s.ChartINTERVALinSECONDS)) {
        error =
            "the set-up's interval " + runtimeText(s.ChartINTERVALinSECONDS) + " s is not usable";
        return 0;
    }
    // Without --samples or --duration: the set-up's sample count, or 100.
    const int32_t byDefault = !r.setup.empty() && s.MaxSamples >= 1 ? s.MaxSamples : 100;
    const int32_t samples = samplesWanted(r, s.ChartINTERVALinSECONDS, byDefault, error);
    if (samples > 0) {
        s.MaxSamples = samples - 1;
    }
    return samples;
}

}  // namespace trindel
