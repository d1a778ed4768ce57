// trindel-cli record: a chart, scope or scope-plus-chart recording on the demonstration source or
// a logger, saved to files. The recording is the library's one recording run; this file is its
// terminal front end.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "command_registry.h"
#include "control/alarm_check.h"
#include "control/trigger.h"
#include "device_options.h"
#include "files/ao_data_file.h"
#include "files/crash_journal.h"
#include "files/output_path.h"
#include "files/save_files.h"
#include "platform/null_canvas.h"
#include "platform/system_clock.h"
#include "run/recording_run.h"
#include "run/recording_setup.h"
#include "run/scope_setup.h"
#include "run/speed_limits.h"
#include "state/program.h"
#include "terminal_keys.h"
#include "text/date_stamp.h"
#include "text/number_text.h"

namespace trindel::cli {

namespace {

std::atomic<bool> gInterrupted{false};
std::atomic<bool> gSaving{false};

// Ctrl-C, SIGTERM and SIGHUP all stop the recording and save it. One arriving while the file is
// being written only says so: the save finishes, and an unfinished save never leaves a file.
extern "C" void onInterrupt(int) {
    if (gSaving.load()) {
        static const char kWait[] = "\ntrindel-cli record: saving the recording, please wait\n";
        const ssize_t ignored = ::write(STDERR_FILENO, kWait, sizeof kWait - 1);
        (void)ignored;
        return;
    }
    gInterrupted.store(true);
}

void catchStopSignals() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: the interrupt ends a sleep at once
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(sig, &action, nullptr);
    }
    // A closed pipe on stderr or stdout fails the progress line's write; it never ends the run.
    signal(SIGPIPE, SIG_IGN);
    // A file-size limit fails the write that crosses it, which is reported; it never kills the run.
    signal(SIGXFSZ, SIG_IGN);
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
    RecordSettings recording;
    std::string aoFile;
    std::string format = "binary";
    bool timing = false;
    bool verbose = false;
    bool noJournal = false;
    std::string output;
    DeviceOptions device;
    std::string mode = "chart";  // chart, scope or scope-chart
    ScopeSettings scope;
    int32_t sweeps = 0;
};

// The scope modes' messages on the terminal: each sweep file as it is written.
class SweepPrinter final : public ScopeHooks {
  public:
    void sweepSaved(const std::string& path, const WriteResult& result) override {
        if (result.ok) {
            ++saved;
            last = path;
        } else {
            std::fprintf(stderr, "trindel-cli record: %s\n", result.error.c_str());
        }
    }
    int saved = 0;
    std::string last;
};

bool modeFromName(const std::string& name, int16_t& mode, std::string& error) {
    if (name == "chart") {
        mode = 1;
    } else if (name == "scope") {
        mode = 2;
    } else if (name == "scope-chart") {
        mode = 3;
    } else {
        error = "--mode must be chart, scope or scope-chart";
        return false;
    }
    return true;
}

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
        std::clearerr(stderr);  // a closed pipe is no reason to stop recording
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

bool formatFromName(const std::string& name, DataFormat& format, std::string& error) {
    if (name == "binary") {
        format = DataFormat::Binary;
    } else if (name == "text") {
        format = DataFormat::Text;
    } else if (name == "expedata") {
        format = DataFormat::ExpeData;
    } else {
        error = "--format must be binary, text or expedata";
        return false;
    }
    return true;
}

// With --verbose each valve switch is printed as it happens: seconds since the start, the
// device now connected, "R" for the reference or "S" for a sample device.
class SwitchPrinter final : public ChartHooks {
  public:
    explicit SwitchPrinter(bool verbose) : verbose_(verbose) {}
    void deviceSwitched(const Program& p, int32_t tick) override {
        if (!verbose_) {
            return;
        }
        const double seconds = (tick - p.session.TimeAtStart) / 60.0;
        std::printf("\rswitch at %.2f s: device %d %s\n", seconds, p.switching.DeviceInUse,
                    p.switching.RefIsON != 0 ? "R" : "S");
        std::fflush(stdout);
    }
    void switchDeviceSilent(std::string_view message) override {
        std::fprintf(stderr, "\rtrindel-cli record: %.*s\n", static_cast<int>(message.size()),
                     message.data());
    }

  private:
    bool verbose_;
};

// With --verbose: each analogue output value given since the last call, with its time.
void printOutputs(const Program& p, const std::vector<AOOutput>& outputs, size_t& printed) {
    for (; printed < outputs.size(); ++printed) {
        const AOOutput& o = outputs[printed];
        std::printf("\routput at %.2f s: AO%d %.3f V%s\n", (o.tick - p.session.TimeAtStart) / 60.0,
                    o.channel, static_cast<double>(o.volts),
                    o.bytes.empty() || p.device.DemonstrationMODE != 0 ? " (not sent)" : "");
    }
    std::fflush(stdout);
}

// With --verbose: each alarm raised in the scan just taken (a count that went up).
void printAlarms(const Program& p, std::array<std::array<float, 3>, 17>& counts) {
    static constexpr const char* kNames[] = {"lower limit", "upper limit", "overrange"};
    for (int c = 1; c <= p.session.nChan && c <= 16; ++c) {
        const auto& r = p.alarm.alarms[static_cast<size_t>(c)];
        for (size_t k = 0; k < 3; ++k) {
            const float now = r[kAlarmLowCount + 2 * k];
            if (now > counts[static_cast<size_t>(c)][k]) {
                std::printf("\ralarm at sample %ld: channel %d %s\n",
                            static_cast<long>(r[kAlarmLowLast + 2 * k]), c, kNames[k]);
            }
            counts[static_cast<size_t>(c)][k] = now;
        }
    }
    std::fflush(stdout);
}

// The scan lateness as --timing prints it.
void printLateness(const ScanLateness& l) {
    std::printf(
        "scan lateness: p50 %.3f ms, p99 %.3f ms, max %.3f ms; %ld late scans (> %.3f ms)\n",
        l.p50 * 1e3, l.p99 * 1e3, l.max * 1e3, static_cast<long>(l.late), l.threshold * 1e3);
}

int record(const Options& o) {
    DataFormat format{};
    std::string error;
    if (!checkRecordSettings(o.recording, error) || !formatFromName(o.format, format, error) ||
        !validDeviceOptions(o.device, error)) {
        std::fprintf(stderr, "trindel-cli record: %s\n", error.c_str());
        return 1;
    }
    // Where the file goes is checked before recording, not found unwritable at the end.
    const OutputPath output = checkOutputPath(o.output);
    if (!output.ok) {
        std::fprintf(stderr, "trindel-cli record: %s\n", output.error.c_str());
        return 1;
    }
    constexpr int kWidth = 1024, kHeight = 768;
    Program p;
    // A different demonstration sequence on every run.
    const auto seed = static_cast<uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::time(nullptr));
    const int32_t samples = prepareRecording(p, o.recording, kWidth, kHeight, seed, error);
    if (samples == 0) {
        std::fprintf(stderr, "trindel-cli record: %s\n", error.c_str());
        return 1;
    }
    const double interval = p.session.ChartINTERVALinSECONDS;
    if (!o.aoFile.empty()) {
        const AODataLoadResult ao = loadAODataFile(p.analogOutput, p.feedback, o.aoFile, 0);
        if (!ao.ok) {
            std::fprintf(stderr, "trindel-cli record: %s\n",
                         ao.error.empty() ? ("cannot read " + o.aoFile).c_str() : ao.error.c_str());
            return 1;
        }
    }
    int16_t mode = 1;
    if (!modeFromName(o.mode, mode, error)) {
        std::fprintf(stderr, "trindel-cli record: %s\n", error.c_str());
        return 1;
    }
    if (mode == 2 && o.sweeps < 1) {
        std::fprintf(stderr, "trindel-cli record: scope mode needs --sweeps 1 or more\n");
        return 1;
    }

    TerminalKeys keys;
    SystemClock clock(&gInterrupted);
    clock.setEventDescriptor(keys.descriptor());
    CliEvents events(keys);
    SilentSounds sounds;
    NullCanvas canvas(kWidth, kHeight);
    QuietHost host;
    Platform io{clock, events, sounds, canvas, host};
    SwitchPrinter hooks(o.verbose);
    DeviceConnection device;
    if (!o.device.device.empty() && !connectDevice(p, io, o.device, device, error)) {
        std::fprintf(stderr, "trindel-cli record: %s\n", error.c_str());
        return 1;
    }
    bool toldLost = false;
    if (mode != 1) {
        ScopeSettings scope = o.scope;
        scope.mode = mode;
        if (!applyScopeSettings(p, scope, samples, error)) {
            std::fprintf(stderr, "trindel-cli record: %s\n", error.c_str());
            return 1;
        }
        // Sweeps are numbered files: "<output> 1", "<output> 2", ... (scope plus chart: the
        // chart goes to the output, the sweeps to "<output without extension> scope 1", ...).
        // The sweep files take the format asked for, as the preferences choose it in the program.
        p.prefs[kPrefFormatText] = format == DataFormat::Text ? 1 : 0;
        p.prefs[kPrefFormatExpeData] = format == DataFormat::ExpeData ? 1 : 0;
        p.files.ScopeFileFolder = folderOf(output.path);
        std::string name = fileNamePart(output.path);
        if (mode == 3 && name.rfind('.') != std::string::npos && name.rfind('.') > 0) {
            name.erase(name.rfind('.'));  // "run.kstn" keeps its sweeps in "run scope 1", ...
        }
        p.files.filestrings.rootName = mode == 2 ? name : name + " scope";
    }

    const DateStamp start = localStamp(std::time(nullptr));
    p.files.filestrings.startDate = start.date;
    p.files.filestrings.startTime = start.time;
    // The crash journal beside the output: a killed run leaves its samples there for `recover`.
    // One left by an earlier run is never written over.
    JournalWriter journal;
    if (!o.noJournal && mode != 2) {  // a scope run keeps its sweeps in their own files
        const std::string journalPath = journalPathFor(output.path);
        if (::access(journalPath.c_str(), F_OK) == 0) {
            std::fprintf(stderr,
                         "trindel-cli record: %s holds an unsaved recording of an earlier run; "
                         "recover it with 'trindel-cli recover %s' or remove it\n",
                         journalPath.c_str(), journalPath.c_str());
            return 1;
        }
        if (!journal.open(journalPath, p, std::filesystem::absolute(output.path).string(),
                          format)) {
            std::fprintf(stderr, "trindel-cli record: %s\n", journal.error().c_str());
            return 1;
        }
    }
    bool toldJournal = false;

    catchStopSignals();

    Progress progress(mode == 2 ? 0 : samples);
    RunFrontEnd frontEnd;
    frontEnd.sweepsToSave = o.sweeps;
    RecordingRun run(p, io, hooks);
    size_t outputsPrinted = 0;
    std::array<std::array<float, 3>, 17> alarmCounts{};
    if (p.trigger.TriggerON != 0) {
        std::string condition = triggerWaitText(p.trigger, p.session.nChan, p.channels);
        condition.erase(0, condition.find_first_not_of(' '));
        std::printf("waiting for trigger: %s\n", condition.c_str());
        std::fflush(stdout);
    }
    frontEnd.cancelTriggerWait = [] { return gInterrupted.load(); };
    frontEnd.scanTaken = [&](const Program& prog, const PassOutcome& out) {
        if (o.verbose) {
            printOutputs(prog, run.control().outputs(), outputsPrinted);
            printAlarms(prog, alarmCounts);
        }
        if (mode == 2) {
            return;
        }
        const double left = (samples - prog.session.Sample) * interval;
        progress.update(prog.session.Sample, left, out.scanTime, out.finished);
        if (!toldLost && device.lost()) {
            toldLost = true;
            std::fprintf(stderr, "\ntrindel-cli record: %s\n", device.statusText(prog).c_str());
        }
        if (!toldJournal && journal.failed()) {
            toldJournal = true;
            std::fprintf(stderr, "\ntrindel-cli record: %s; recording goes on without it\n",
                         journal.error().c_str());
        }
    };
    SweepPrinter sweeps;
    run.setScopeHooks(&sweeps);
    if (device.isOpen()) {
        run.setSwitchPort(&device.port());  // valve selections go to the A-D device
    }
    if (journal.isOpen()) {
        run.setJournal(&journal);
    }
    const RunResult result = run.record(frontEnd);
    if (result.triggerCancelled) {
        std::fprintf(stderr,
                     "trindel-cli record: the trigger wait was cancelled; nothing was "
                     "recorded\n");
        return 1;
    }
    if (o.verbose) {
        printOutputs(p, run.control().outputs(), outputsPrinted);
    }
    progress.finish();
    gSaving.store(true);
    const DateStamp end = localStamp(std::time(nullptr));
    p.files.EndRecordingDate = end.date;
    p.files.EndRecordingTime = end.time;

    if (mode == 2) {
        gSaving.store(false);
        std::printf("Saved %d sweeps of %d samples at %s s%s, the last to %s\n", sweeps.saved,
                    p.session.ScopeMax, floatText(p.session.scopeinterval).c_str() + 1,
                    p.prefs[kPrefFastScope] != 0 ? " (bursts)" : "", sweeps.last.c_str());
        return sweeps.saved > 0 ? 0 : 1;
    }
    // The run's scans are the scope samples in scope plus chart: the chart samples are timed
    // by their ticks there.
    const double chartSpan = mode == 3 ? chartRunSeconds(p.session) : result.scanSpan(interval);
    CHECKSAMPLERATE(p, chartSpan);
    p.session.nSamples = p.session.Sample;
    const WriteResult written = writeChartFile(p, format, output.path);
    gSaving.store(false);
    if (!written.ok) {
        error = written.error.empty() ? "writing " + o.output + " failed" : written.error;
        std::fprintf(stderr, "trindel-cli record: %s\n", error.c_str());
        if (journal.isOpen() && !journal.failed()) {
            std::fprintf(stderr,
                         "trindel-cli record: the samples are kept in %s; 'trindel-cli recover "
                         "%s -o FILE' saves them\n",
                         journal.path().c_str(), journal.path().c_str());
        }
        return 1;
    }
    journal.remove();
    std::printf("%s %d samples of %d channels at %s s with %d markers to %s\n",
                result.stop == StopReason::SampleLimit ? "Recorded" : "Stopped after",
                p.session.Sample, p.session.nChan, runtimeText(interval).c_str() + 1,
                p.Markers.Nmarkers, o.output.c_str());
    if (mode == 3) {
        std::printf("Saved %d scope sweeps of %d samples at %s s\n", sweeps.saved,
                    p.session.ScopeMax, floatText(p.session.scopeinterval).c_str() + 1);
    }
    if (o.timing && result.lateness.known()) {
        printLateness(result.lateness);
    }
    return 0;
}

static CommandRegistrar reg{[](CLI::App& app, int& exitStatus) {
    auto opts = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "record", "Run a chart recording on the demonstration source or a logger and save it");
    cmd->add_option("--setup", opts->recording.setup, "set-up file to record with");
    auto* channels =
        cmd->add_option("--channels", opts->recording.channels, "number of channels (1-16)");
    auto* interval =
        cmd->add_option("--interval", opts->recording.interval, "sample interval in seconds");
    auto* samples = cmd->add_option("--samples", opts->recording.samples, "samples to record");
    auto* duration =
        cmd->add_option("--duration", opts->recording.duration, "recording time in seconds");
    samples->excludes(duration);
    auto* average =
        cmd->add_option("--average", opts->recording.average, "readings averaged per sample");
    cmd->add_option("--format", opts->format, "binary, text or expedata");
    cmd->add_flag("--timing", opts->timing, "print the scan lateness at the end");
    cmd->add_option("--ao", opts->aoFile, "AO data file whose output scripts run");
    cmd->add_flag("--verbose", opts->verbose,
                  "print each valve switch, output value and alarm as it happens");
    cmd->add_flag("--no-journal", opts->noJournal,
                  "keep no crash journal (FILE.journal) while recording");
    cmd->add_option("-o,--output", opts->output, "file to write")->required();
    cmd->add_option("--mode", opts->mode, "chart, scope or scope-chart");
    cmd->add_option("--scope-samples", opts->scope.samples, "samples per scope sweep");
    cmd->add_option("--scope-interval", opts->scope.interval, "scope sample interval in seconds");
    cmd->add_option("--sweeps", opts->sweeps,
                    "scope sweeps (or DT800 bursts) to save as numbered files");
    addDeviceOptions(cmd, opts->device);
    cmd->callback([opts, channels, interval, average, samples, duration, &exitStatus] {
        opts->recording.samplesGiven = samples->count() > 0;
        opts->recording.durationGiven = duration->count() > 0;
        opts->recording.channelsGiven = channels->count() > 0;
        opts->recording.intervalGiven = interval->count() > 0;
        opts->recording.averageGiven = average->count() > 0;
        exitStatus = record(*opts);
    });
}};

}  // namespace

}  // namespace trindel::cli
