#include "run/run_driver.h"

#include <ctime>
#include <fstream>
#include <sstream>

#include "devices/connection_alert.h"
#include "devices/device_table.h"
#include "display/chart_screen.h"
#include "files/file_series.h"
#include "files/setup_file.h"
#include "run/auto_repeat.h"
#include "run/device_startup.h"
#include "run/journal_recovery.h"
#include "run/recording_run.h"
#include "run/recording_setup.h"
#include "signal/conversion_presets.h"
#include "text/date_stamp.h"
#include "ui/make_sure.h"

namespace trindel {

namespace {

std::string readTextFile(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

RunDriver::RunDriver(Program& p, Platform& platform, RunWindows& windows, ChartHooks& hooks,
                     RunDriverConfig config)
    : p_(p), io_(platform), windows_(windows), hooks_(hooks), config_(std::move(config)) {}

void RunDriver::SetDefaultValues(ScreenSize screen,
                                 const std::function<void(Program&)>& loadPreferences) {
    p_.prefs[19] = 100;
    p_.session.SigFigs = 5;
    // The stored conversions start as the presets; a preferences file then replaces them.
    const auto presetsThenPreferences = [&loadPreferences](Program& p) {
        fillConversionPresets(p.conversion);
        if (loadPreferences) {
            loadPreferences(p);
        }
    };
    if (SetInitialVariableValues(p_, screen, presetsThenPreferences) ==
        StartupResult::ScreenTooSmall) {
        io_.host.alert("Screen Too Small",
                       "This program needs a screen at least 480 pixels high; this one is " +
                           std::to_string(screen.height) + ". The program will now end.",
                       {"Quit"});
        state_ = RunState::Ended;
        return;
    }
    loadOpenedSetup();
    p_.device.sixteenBitBoard = 0;
    p_.session.WindowFont = 8;
    state_ =
        p_.prefs[kPrefSkipDeviceChooser] != 0 ? RunState::DeviceChoice : RunState::StartupScreen;
    while (state_ != RunState::Ended) {
        switch (state_) {
            case RunState::StartupScreen:
            case RunState::DeviceChoice:
                deviceChoice();
                break;
            case RunState::ModeChoice:
                modeChoice();
                break;
            case RunState::RunSetup:
                runSetup();
                break;
            case RunState::Recording:
            case RunState::Options:
                runSequence();
                break;
            case RunState::EndOfSequence:
                endOfSequence();
                break;
            case RunState::Ended:
                break;
        }
    }
}

void RunDriver::deviceChoice() {
    if (soundsOn() && state_ == RunState::StartupScreen) {
        io_.sounds.play("Guitar");
    }
    state_ = RunState::DeviceChoice;
    int device = 0;
    for (;;) {
        const auto choice = windows_.startWindow(p_, device);
        if (choice == RunWindows::StartChoice::Quit) {
            state_ = RunState::Ended;  // nothing recorded yet: no unsaved data to ask about
            return;
        }
        if (choice == RunWindows::StartChoice::Demonstration || device == 0) {
            p_.device.External_AD = 0;
            p_.device.DemonstrationMODE = 1;
            break;
        }
        if (config_.device != nullptr) {
            const DeviceStartup started =
                startExternalDevice(p_, io_, windows_, *config_.device, device);
            if (started == DeviceStartup::Quit) {
                state_ = RunState::Ended;
                return;
            }
            break;
        }
        // Without a connection (tests of the driver alone) the device fails to answer.
        if (ConnectionERROR(p_, io_, connectionName(static_cast<int16_t>(device)))) {
            state_ = RunState::Ended;
            return;
        }
        break;
    }
    if (soundsOn()) {
        io_.sounds.play("switch");
    }
    state_ = p_.prefs[kPrefSkipDeviceChooser] != 0 ? RunState::RunSetup : RunState::ModeChoice;
}

void RunDriver::modeChoice() {
    resetChannelOneRange(p_);
    const int16_t dev = p_.device.External_AD;
    if (dev == 8) {
        streamingModeChoice();
        return;
    }
    ModesChannelsModel model(dev != 0, deviceInfo(dev).chartModeOnly, p_.session.MaximumChans);
    if (!windows_.modesAndChannels(p_, model)) {
        state_ = RunState::Ended;
        return;
    }
    // A loaded set-up file is kept for the run; choosing a channel count builds a new one.
    p_.prefs[kPrefSkipDeviceChooser] = model.setupKept() ? 1 : 0;
    if (model.setupKept()) {
        state_ = RunState::RunSetup;
        return;
    }
    p_.session.RecordingMODE = model.RecordingMODE();
    p_.session.nChan = model.nChan();
    if (p_.session.RecordingMODE == 3) {
        p_.prefs[kPrefAutomarkers] = 1;
    }
    state_ = RunState::RunSetup;
}

void RunDriver::runSetup() {
    Session& s = p_.session;
    HowManyHardwareAD(p_);
    if (p_.prefs[kPrefSkipDeviceChooser] == 0 && p_.device.External_AD == 8) {
        if (!streamingSetup()) {
            state_ = RunState::Ended;
            return;
        }
    } else if (p_.prefs[kPrefSkipDeviceChooser] == 0) {
        p_.channels.clearLabels();
        if (s.RecordingMODE < 1 || s.RecordingMODE > 3) {
            s.RecordingMODE = 1;
        }
        if (s.RecordingMODE != 1) {
            // The scope modes ask for the scope's interval and sweep length first.
            IntervalDialog scope(p_, "OSCILLOSCOPE");
            if (!windows_.chartInterval(p_, scope)) {
                state_ = RunState::Ended;
                return;
            }
            scope.selectionOK();
            s.ScopeINTERVALinSECONDS = s.SampleIntervalinSeconds;
            s.scopeinterval = static_cast<float>(s.SampleIntervalinSeconds);
        }
        if (s.RecordingMODE != 2) {
            IntervalDialog dialog(p_, "Chart Channels");
            if (!windows_.chartInterval(p_, dialog)) {
                state_ = RunState::Ended;
                return;
            }
            dialog.selectionOK();
            s.ChartINTERVALinSECONDS = s.SampleIntervalinSeconds;
            s.ChartSampleInterval = static_cast<float>(s.SampleIntervalinSeconds);
        }
        const float range = deviceInfo(p_.device.External_AD).displayRange;
        setDefaultChannels(p_.channels, s.nChan, ChannelDefaults{1.0f, -range, range, 1.0f});
        SetChanParams(p_, 0, 0);
    }
    ADinputWarning(p_, io_, countInputsOutOfRange(p_));
    // A window that adds or cuts channels from the set-up window opens it again on the new rows.
    RunWindows::SetupOutcome outcome = RunWindows::SetupOutcome::Reopen;
    while (outcome == RunWindows::SetupOutcome::Reopen) {
        AcquisitionParametersModel setup(p_, p_.prefs[kPrefDeviceInputs],
                                         MAXAVERAGE(p_.session.ChartINTERVALinSECONDS,
                                                    p_.session.nChan, p_.device.External_AD != 0));
        outcome = windows_.acquisitionParameters(p_, setup);
        if (outcome == RunWindows::SetupOutcome::Restart) {
            state_ = RunState::ModeChoice;
            return;
        }
        if (outcome == RunWindows::SetupOutcome::SetupOK) {
            setup.setupOK(p_);
            SetChanParams(p_, 0, 0);
            ADinputWarning(p_, io_, countInputsOutOfRange(p_));
        }
    }
    for (int c = 1; c <= 16; ++c) {
        p_.conversion.SpikeFilterArray[static_cast<size_t>(c)] = 2.0f;
    }
    // Prepare the run sequence.
    nameRepeatFiles();
    if (s.RecordingMODE != 1) {
        const std::string folder =
            config_.dataFolder.empty() ? programDataFolder() : config_.dataFolder;
        if (config_.features.rootFileName) {
            // Each scope run sequence asks for the root of its sweep files.
            SCOPEFILEDATA(p_, io_.host, SeriesKind::Scope, windows_.seriesHooks(p_), folder);
        } else if (p_.files.ScopeFileFolder.empty()) {
            // Without the question sweeps are "Scope 1", "Scope 2", ... in the data folder.
            p_.files.ScopeFileFolder = folder;
            p_.files.filestrings.rootName = "Scope";
            p_.files.ScopeCount = 0;
        }
    } else {
        p_.files.ScopeFileComments = 0;  // the comment window now titles chart files
    }
    p_.Markers.clear();
    CLEARALARMS(p_.alarm);
    windows_.showRecordingWindow(p_, true);
    DRAWSCREEN(p_, io_.canvas, io_.host.screenHeight());
    p_.session.NextMarkerTime = 0;
    state_ = RunState::Recording;
}

void RunDriver::runSequence() {
    if (state_ == RunState::Recording) {
        recordChart();
        state_ = RunState::Options;
    }
    optionsWindow();
}

void RunDriver::recordChart() {
    commandQStop_ = false;
    if (config_.device != nullptr) {
        config_.device->prepareRun(p_, io_);
    }
    RunFrontEnd frontEnd;
    frontEnd.stopWanted = [this] { return quitRequested_; };
    frontEnd.scanTaken = [this](const Program& p, const PassOutcome&) {
        if (config_.device != nullptr && config_.device->lost()) {
            // The port vanished: every channel says so while the recording goes on.
            for (int c = 1; c <= p.session.nChan; ++c) {
                hooks_.showChannelStatus(c, "not answering", true);
            }
        }
    };
    // The run's start and end go into the saved files and the replay's foot line.
    const DateStamp start = localStamp(std::time(nullptr));
    p_.files.filestrings.startDate = start.date;
    p_.files.filestrings.startTime = start.time;
    RecordingRun run(p_, io_, hooks_);
    // The sweep information and burst state go to a front end that shows them.
    run.setScopeHooks(dynamic_cast<ScopeHooks*>(&hooks_));
    if (config_.device != nullptr && config_.device->isOpen()) {
        run.setSwitchPort(&config_.device->port());  // valve selections go to the A-D device
    }
    // A new run means the last one's data was saved or given up: its journal goes.
    journal_.remove();
    if (!config_.journalFolder.empty() &&
        journal_.open(newJournalPath(config_.journalFolder), p_, "", chosenFormat(p_.prefs))) {
        run.setJournal(&journal_);
    }
    const RunResult result = run.record(frontEnd);
    lateness_ = result.lateness;
    const DateStamp end = localStamp(std::time(nullptr));
    p_.files.EndRecordingDate = end.date;
    p_.files.EndRecordingTime = end.time;
    commandQStop_ = result.stop == StopReason::CommandQ;
    ++runs_;
    // A last backup holds the whole run until the user saves it.
    if (p_.session.TimedSaveINTERVAL > 0) {
        hooks_.timedBackup(p_, 1);
    }
}

void RunDriver::optionsWindow() {
    Session& s = p_.session;
    if (soundsOn()) {
        io_.sounds.play(p_.prefs[kPrefWeirdSounds] != 0 ? "skid" : "piiing");
    }
    s.nSamples = s.Sample;
    // The chart loop stops one beyond its last sample; scope plus chart stops on it.
    if (s.RecordingMODE == 1) {
        s.Sample -= 1;
    }
    const double elapsed = chartRunSeconds(s);
    rate_ = SampleRateReport{};
    rate_.check = CHECKSAMPLERATE(p_, elapsed);
    rate_.display = SHOWSAMPLERATE(p_, rate_.check, s.ChartINTERVALinSECONDS, true);
    rate_.samples = s.Sample;
    rate_.lateness = lateness_;
    if (rate_.display.bzot && soundsOn()) {
        io_.sounds.play("bzot");
    }
    const std::string title = optionsWindowTitle(p_);
    if (quitRequested_ || commandQStop_) {
        quitRequested_ = commandQStop_ = false;
        if (quit()) {
            return;
        }
    }
    for (;;) {
        const int button =
            windows_.optionsWindow(p_, title, optionsButtons(p_, config_.features), rate_);
        if (!optionsAction(button)) {
            return;
        }
        s.TimeAtStart = io_.clock.TickCount();
        s.NextMarkerTime = 0;
    }
}

bool RunDriver::optionsAction(int button) {
    Session& s = p_.session;
    switch (button) {
        case kOptionsNewRun:
            if (!makeSure(1)) {
                return true;
            }
            nameRepeatFiles();
            prepareNewRun();
            state_ = RunState::Recording;
            return false;
        case kOptionsSave:
            p_.prefs[kPrefAutorepeat] = 0;
            if (windows_.saveFiles(p_)) {
                p_.prefs[kPrefDataSaved] = 1;
                journal_.remove();
            }
            return true;
        case kOptionsNewSetup:
            if (!makeSure(10)) {
                return true;
            }
            windows_.showRecordingWindow(p_, false);
            s.Sample = 0;
            s.NscrnCASEs = 0;
            s.RecordingMODE = 0;
            state_ = RunState::EndOfSequence;
            return false;
        case kOptionsQuit:
            return !quit();
        case kOptionsSaveSetup:
            if (config_.features.saveSetup) {
                MAKESETUP(p_, io_.host, io_.sounds);
            }
            return true;
        case kOptionsCheckSampleRate:
            windows_.sampleRateWindow(rate_);
            return true;
        case kOptionsCheckAlarms:
            windows_.alarmLogWindow(p_);
            return true;
        case kOptionsReplay:
            if (config_.features.replay) {
                windows_.replayWindow(p_);
            }
            return true;
        case kOptionsQuickSave:
            if (config_.features.quickSave &&
                QuickSAVE(p_, backupMomentNow(io_, config_.dataFolder), io_.host).ok &&
                soundsOn()) {
                io_.sounds.play("wsst");
            }
            return true;
        case kOptionsRootFileName:
            if (config_.features.rootFileName) {
                SCOPEFILEDATA(p_, io_.host,
                              s.RecordingMODE == 1 ? SeriesKind::Repeat : SeriesKind::Scope,
                              windows_.seriesHooks(p_), config_.dataFolder);
            }
            return true;
        default:
            // Buttons of features this program does not have yet are not shown; a key that maps
            // to one of them does nothing.
            return true;
    }
}

void RunDriver::prepareNewRun() {
    Session& s = p_.session;
    CLEARALARMS(p_.alarm);
    s.Sample = 0;
    s.NscrnCASEs = 0;
    p_.Markers.clear();
    p_.prefs[kPrefDataSaved] = 0;
    if (soundsOn() && p_.prefs[kPrefWeirdSounds] != 0) {
        io_.sounds.play("Big Click");
    }
    CLEARARRAY(p_.scope);
    DRAWSCREEN(p_, io_.canvas, io_.host.screenHeight());
}

void RunDriver::endOfSequence() {
    p_.view.axis.minute_units = 0;
    p_.session.ChartView = 1.0f;
    endRunSequence(p_);
    state_ = RunState::ModeChoice;
}

void RunDriver::nameRepeatFiles() {
    if (p_.session.RecordingMODE == 1 && p_.prefs[kPrefAutorepeat] != 0 &&
        p_.files.filestrings.rootName.empty()) {
        SCOPEFILEDATA(p_, io_.host, SeriesKind::Repeat, windows_.seriesHooks(p_),
                      config_.dataFolder);
    }
}

void RunDriver::loadOpenedSetup() {
    if (config_.openedSetup.empty()) {
        return;
    }
    const SetupLoadContext ctx = setupLoadContextFor(io_.host, io_.sounds, soundsOn());
    if (GETSETUP(p_, io_.host, io_.sounds, ctx, &config_.openedSetup).ok) {
        p_.prefs[kPrefSkipDeviceChooser] = 1;
    }
}

bool RunDriver::makeSure(int kind) {
    return MAKESURE(p_, io_.sounds, kind,
                    [this](const std::string& text) { return windows_.possibleDataLoss(text); });
}

bool RunDriver::quit() {
    quitRequested_ = false;
    if (!makeSure(0)) {
        return false;
    }
    journal_.remove();  // saved, or the user chose to lose it
    for (int waited = 0; io_.sounds.isPlaying() && waited < 3000; waited += 10) {
        io_.clock.delayMilliseconds(10);
    }
    const std::string message = readTextFile(config_.shutdownMessagePath);
    if (!message.empty()) {
        io_.host.showText("Shut Down", message, "Dismiss and Shut Down");
    }
    windows_.showRecordingWindow(p_, false);
    state_ = RunState::Ended;
    return true;
}

}  // namespace trindel
