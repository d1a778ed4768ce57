// trindel-cli record: a chart recording on the demonstration source, saved to a file.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "command_registry.h"
#include "display/chart_screen.h"
#include "files/setup_file.h"
#include "platform/null_canvas.h"
#include "platform/system_clock.h"
#include "record_save.h"
#include "run/chart_loop.h"
#include "run/speed_limits.h"
#include "state/program.h"
#include "terminal_keys.h"
#include "text/date_stamp.h"
#include "text/number_text.h"

namespace trindel::cli {

namespace {

std::atomic<bool> gInterrupted{false};

extern "C" void onInterrupt(int) {
    gInterrupted.store(true);
}

// Ctrl-C arrives as a press of the toolbar's Stop button; keys typed on a terminal arrive as key
// events (letters and digits place markers, Escape stops).
class CliEvents final : public Events {
  public:
    explicit CliEvents(TerminalKeys& keys) : keys_(keys) {}
    std::optional<UserEvent> nextEvent() override {
        if (gInterrupted.load() && !delivered_) {
            delivered_ = true;
            return UserEvent{kEventControl, kToolbarStop};
        }
        if (auto key = keys_.nextKey()) {
            return UserEvent{kEventKey, *key};
        }
        return std::nullopt;
    }
    bool hasPendingEvent() override { return gInterrupted.load() && !delivered_; }
    bool isKeyDown(Key) override { return false; }
    bool isFrontApplication() override { return keys_.active(); }
    bool mouseButtonDown() override { return false; }
    Point mousePosition() override { return {}; }

  private:
    TerminalKeys& keys_;
    bool delivered_ = false;
};

class SilentSounds final : public Sounds {
  public:
    void play(std::string_view) override {}
    bool isPlaying() override { return false; }
};

class QuietHost final : public Host {
  public:
    int alert(const std::string&, const std::string&, const std::vector<std::string>&) override {
        return 0;
    }
    std::optional<std::string> askSaveFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> askOpenFile(const std::string&) override { return std::nullopt; }
    void showText(const std::string&, const std::string&, const std::string&) override {}
    int screenWidth() override { return 1280; }
    int screenHeight() override { return 1024; }
};

struct Options {
    std::string setup;
    // Which values were given on the command line (they override a set-up file's).
    bool channelsGiven = false, intervalGiven = false, averageGiven = false;
    int channels = 4;
    double interval = 1.0;
    int32_t samples = 0;
    double duration = 0.0;
    int average = 1;
    std::string format = "binary";
    bool timing = false;
    std::string output;
};

std::string clockText(double seconds) {
    const auto total = static_cast<long>(std::max(0.0, std::ceil(seconds)));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    return buf;
}

// A progress bar redrawn in place on a terminal, plain lines now and then otherwise.
class Progress {
  public:
    explicit Progress(int32_t total) : total_(total), terminal_(isatty(STDERR_FILENO) != 0) {}

    void update(int32_t done, double secondsLeft, double now, bool force = false) {
        const double period = terminal_ ? 0.25 : 10.0;
        if (!force && now < nextAt_) {
            return;
        }
        nextAt_ = now + period;
        const double fraction =
            total_ > 0 ? std::min(1.0, static_cast<double>(done) / total_) : 1.0;
        if (terminal_) {
            constexpr int kWidth = 40;
            const int filled = static_cast<int>(fraction * kWidth);
            std::fprintf(stderr, "\r[%s%s] %3d%%  %d/%d  %s left ",
                         std::string(static_cast<size_t>(filled), '#').c_str(),
                         std::string(static_cast<size_t>(kWidth - filled), '.').c_str(),
                         static_cast<int>(fraction * 100), done, total_,
                         clockText(secondsLeft).c_str());
        } else {
            std::fprintf(stderr, "recorded %d of %d samples (%d%%), %s left\n", done, total_,
                         static_cast<int>(fraction * 100), clockText(secondsLeft).c_str());
        }
        std::fflush(stderr);
    }
    void finish() {
        if (terminal_) {
            std::fputc('\n', stderr);
        }
    }

  private:
    int32_t total_;
    bool terminal_;
    double nextAt_ = 0.0;
};

double percentile(std::vector<double> v, double q) {
    if (v.empty()) {
        return 0.0;
    }
    std::sort(v.begin(), v.end());
    const auto i = static_cast<size_t>(std::ceil(q * static_cast<double>(v.size()))) - 1;
    return v[std::min(i, v.size() - 1)];
}

bool validate(const Options& o, RecordFormat& format, std::string& error) {
    if (o.channels < 1 || o.channels > kMaxChannels) {
        error = "--channels must be 1 to 16";
        return false;
    }
    if (!(o.interval >= 0.0002) || !std::isfinite(o.interval) || o.interval > 86400.0) {
        error = "--interval must be between 0.0002 and 86400 seconds";
        return false;
    }
    if (o.average < 1 || o.average > 1000) {
        error = "--average must be 1 to 1000";
        return false;
    }
    if (o.format == "binary") {
        format = RecordFormat::Binary;
    } else if (o.format == "text") {
        format = RecordFormat::Text;
    } else if (o.format == "expedata") {
        format = RecordFormat::ExpeData;
    } else {
        error = "--format must be binary, text or expedata";
        return false;
    }
    return true;
}

int32_t samplesWanted(const Options& o, double interval, int32_t byDefault, std::string& error) {
    double n = byDefault;
    if (o.samples > 0) {
        n = o.samples;
    } else if (o.duration > 0.0) {
        n = std::floor(o.duration / interval + 0.5);
    } else if (o.duration < 0.0 || o.samples < 0) {
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
void setUpChannels(Program& p, const Options& o) {
    p.session.nChan = static_cast<int16_t>(o.channels);
    for (int c = 1; c <= o.channels; ++c) {
        auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        p.channels.conversionType(c) = 4.0f;  // no conversion: volts
        row[kInputNumber] = static_cast<float>(c);
        row[kCoeffA] = 0.0f;
        row[kCoeffB] = 1.0f;
        row[kCoeffC] = 0.0f;
        row[kDisplayMax] = 1.0f;
        row[kDisplayMin] = 0.0f;
        row[kSamplesToAverage] = static_cast<float>(o.average);
        p.channels.setLabel(c, "Demo " + std::to_string(c));
    }
    SetChanParams(p, p.prefs[kPrefWindowHeight], 0);
}

// Prepares the program: the set-up file when given, then the command line's values over it, on
// the demonstration source in chart mode.
bool setUpRecording(Program& p, const Options& o, int width, int height, std::string& error) {
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.prefs[kPrefWindowWidth] = static_cast<int16_t>(width);
    p.prefs[kPrefWindowHeight] = static_cast<int16_t>(height);
    if (!o.setup.empty()) {
        const SetupLoadResult loaded = loadSetupFile(p, o.setup);
        if (!loaded.ok) {
            error = o.setup + ": " + loaded.error;
            return false;
        }
        if (p.session.nChan < 1) {
            error = o.setup + ": the set-up has no channels";
            return false;
        }
        if (o.channelsGiven && o.channels != p.session.nChan) {
            error = "--channels cannot change the channels of a set-up file";
            return false;
        }
        if (o.averageGiven) {
            for (int c = 1; c <= p.session.nChan; ++c) {
                p.channels.Nvar[static_cast<size_t>(c)][kSamplesToAverage] =
                    static_cast<float>(o.average);
            }
        }
    } else {
        setUpChannels(p, o);
    }
    if (o.intervalGiven || o.setup.empty()) {
        p.session.ChartINTERVALinSECONDS = o.interval;
    }
    p.session.RecordingMODE = 1;
    p.device.External_AD = 0;
    p.device.DemonstrationMODE = 1;
    // A different demonstration sequence on every run.
    p.device.demoSeed = static_cast<uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::time(nullptr));
    HowManyHardwareAD(p);
    p.session.ChartSampleInterval = static_cast<float>(p.session.ChartINTERVALinSECONDS);
    p.session.OldChartSpeed = p.session.ChartINTERVALinSECONDS;
    return true;
}

int record(const Options& o) {
    RecordFormat format{};
    std::string error;
    if (!validate(o, format, error)) {
        std::fprintf(stderr, "trindel-cli record: %s\n", error.c_str());
        return 1;
    }
    constexpr int kWidth = 1024, kHeight = 768;
    Program p;
    if (!setUpRecording(p, o, kWidth, kHeight, error)) {
        std::fprintf(stderr, "trindel-cli record: %s\n", error.c_str());
        return 1;
    }
    const double interval = p.session.ChartINTERVALinSECONDS;
    if (!(interval >= 0.0002) || !(interval <= 86400.0)) {
        std::fprintf(stderr, "trindel-cli record: the set-up's interval %s s is not usable\n",
                     runtimeText(interval).c_str());
        return 1;
    }
    // Without --samples or --duration: the set-up's sample count, or 100.
    const int32_t byDefault =
        !o.setup.empty() && p.session.MaxSamples >= 1 ? p.session.MaxSamples : 100;
    const int32_t samples = samplesWanted(o, interval, byDefault, error);
    if (samples == 0) {
        std::fprintf(stderr, "trindel-cli record: %s\n", error.c_str());
        return 1;
    }
    // The loop stops after MaxSamples + 1 scans.
    p.session.MaxSamples = samples - 1;

    TerminalKeys keys;
    SystemClock clock(&gInterrupted);
    clock.setEventDescriptor(keys.descriptor());
    CliEvents events(keys);
    SilentSounds sounds;
    NullCanvas canvas(kWidth, kHeight);
    QuietHost host;
    Platform io{clock, events, sounds, canvas, host};
    ChartHooks hooks;

    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: the interrupt ends a sleep at once
    sigaction(SIGINT, &action, nullptr);

    ChartLoop loop(p, io, hooks);
    const DateStamp start = localStamp(std::time(nullptr));
    p.files.filestrings.startDate = start.date;
    p.files.filestrings.startTime = start.time;
    loop.begin();
    Progress progress(samples);
    std::vector<double> lateness;
    if (o.timing) {
        lateness.reserve(static_cast<size_t>(samples));
    }
    double firstScan = -1.0, lastScan = 0.0;
    while (true) {
        const double due = p.session.TimeOfNextChartSample;
        const PassOutcome out = loop.pass();
        if (out.scanTaken) {
            lastScan = p.session.CurrentTimeInSeconds;
            if (firstScan < 0) {
                firstScan = lastScan;
            }
            if (o.timing) {
                lateness.push_back(p.session.CurrentTimeInSeconds - due);
            }
            const double left = (samples - p.session.Sample) * interval;
            progress.update(p.session.Sample, left, p.session.CurrentTimeInSeconds, out.finished);
        }
        if (out.finished) {
            break;
        }
        const double next = loop.nextDueTime();
        if (clock.GetCurrentTimeInSeconds() < next) {
            clock.waitUntil(next);
        }
    }
    progress.finish();
    signal(SIGINT, SIG_DFL);
    const DateStamp end = localStamp(std::time(nullptr));
    p.files.EndRecordingDate = end.date;
    p.files.EndRecordingTime = end.time;

    // n scans on time span n intervals from the first scan's due time.
    const double elapsed = firstScan < 0 ? 0.0 : (lastScan - firstScan) + interval;
    CHECKSAMPLERATE(p, elapsed);
    p.session.nSamples = p.session.Sample;
    if (!saveRecording(p, format, o.output, error)) {
        std::fprintf(stderr, "trindel-cli record: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s %d samples of %d channels at %s s with %d markers to %s\n",
                loop.stopReason() == StopReason::SampleLimit ? "Recorded" : "Stopped after",
                p.session.Sample, p.session.nChan, runtimeText(interval).c_str() + 1,
                p.Markers.Nmarkers, o.output.c_str());
    if (o.timing && !lateness.empty()) {
        const double threshold = std::min(0.001, interval / 2);
        const auto late = std::count_if(lateness.begin(), lateness.end(),
                                        [&](double l) { return l > threshold; });
        std::printf(
            "scan lateness: p50 %.3f ms, p99 %.3f ms, max %.3f ms; %ld late scans (> %.3f ms)\n",
            percentile(lateness, 0.5) * 1e3, percentile(lateness, 0.99) * 1e3,
            *std::max_element(lateness.begin(), lateness.end()) * 1e3, static_cast<long>(late),
            threshold * 1e3);
    }
    return 0;
}

static CommandRegistrar reg{[](CLI::App& app, int& exitStatus) {
    auto opts = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "record", "Run a chart recording on the demonstration source and save it");
    cmd->add_option("--setup", opts->setup, "set-up file to record with");
    auto* channels = cmd->add_option("--channels", opts->channels, "number of channels (1-16)");
    auto* interval = cmd->add_option("--interval", opts->interval, "sample interval in seconds");
    auto* samples = cmd->add_option("--samples", opts->samples, "samples to record");
    auto* duration = cmd->add_option("--duration", opts->duration, "recording time in seconds");
    samples->excludes(duration);
    auto* average = cmd->add_option("--average", opts->average, "readings averaged per sample");
    cmd->add_option("--format", opts->format, "binary, text or expedata");
    cmd->add_flag("--timing", opts->timing, "print the scan lateness at the end");
    cmd->add_option("-o,--output", opts->output, "file to write")->required();
    cmd->callback([opts, channels, interval, average, &exitStatus] {
        opts->channelsGiven = channels->count() > 0;
        opts->intervalGiven = interval->count() > 0;
        opts->averageGiven = average->count() > 0;
        exitStatus = record(*opts);
    });
}};

}  // namespace

}  // namespace trindel::cli
