#include "run/run_driver.h"

#include <fstream>
#include <sstream>

#include "devices/device_table.h"
#include "display/chart_screen.h"
#include "files/setup_file.h"
#include "run/recording_run.h"
#include "run/recording_setup.h"
#include "ui/make_sure.h"

namespace trindel {

namespace {

// The device's default display range for a new channel.
float defaultRange(int16_t device) {
    switch (device) {
        case 6:
            return 0.4f;
        case 2:
            return 2.5f;
        case 4:
            return 10.0f;
        default:
            return 5.0f;
    }
}

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
    if (SetInitialVariableValues(p_, screen, loadPreferences) == StartupResult::ScreenTooSmall) {
        io_.host.alert("Screen Too Small",
                       "This program needs a screen at least 480 pixels high; this one is " +
                           std::to_string(screen.height) + ". The program will now end.",
                       {"Quit"});
        state_ = RunState::Ended;
        return;
    }
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
        // External devices arrive with their protocols; until then the connection fails and the
        // program goes on with the demonstration source or quits.
        const int answer = io_.host.alert(
            "Connection Error",
            "The A-D device (code " + std::to_string(device) +
                ") is not available yet in this version of the program. Use the demonstration "
                "source instead?",
            {"Use Demonstration", "Choose Again", "Quit"});
        if (answer == 0) {
            p_.device.External_AD = 0;
            p_.device.DemonstrationMODE = 1;
            break;
        }
        if (answer == 2) {
            state_ = RunState::Ended;
            return;
        }
    }
    if (soundsOn()) {
        io_.sounds.play("switch");
    }
    state_ = p_.prefs[kPrefSkipDeviceChooser] != 0 ? RunState::RunSetup : RunState::ModeChoice;
}

void RunDriver::modeChoice() {
    resetChannelOneRange(p_);
    const int16_t dev = p_.device.External_AD;
    ModesChannelsModel model(dev != 0, dev == 6 || dev == 2 || dev == 3, p_.session.MaximumChans);
    if (!windows_.modesAndChannels(p_, model)) {
        state_ = RunState::Ended;
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
    if (p_.prefs[kPrefSkipDeviceChooser] == 0) {
        p_.channels.clearLabels();
        if (s.RecordingMODE != 1) {
            // Only chart recording exists in this program so far.
            s.RecordingMODE = 1;
        }
        IntervalDialog dialog(p_, "Chart Channels");
        if (!windows_.chartInterval(p_, dialog)) {
            state_ = RunState::Ended;
            return;
        }
        dialog.selectionOK();
        s.ChartINTERVALinSECONDS = s.SampleIntervalinSeconds;
        s.ChartSampleInterval = static_cast<float>(s.SampleIntervalinSeconds);
        const float range = defaultRange(p_.device.External_AD);
        setDefaultChannels(p_.channels, s.nChan, ChannelDefaults{1.0f, -range, range, 1.0f});
        SetChanParams(p_, 0, 0);
    }
    ADinputWarning(p_, io_, countInputsOutOfRange(p_));
    for (int c = 1; c <= 16; ++c) {
        p_.conversion.SpikeFilterArray[static_cast<size_t>(c)] = 2.0f;
    }
    // Prepare the run sequence.
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
    RunFrontEnd frontEnd;
    frontEnd.stopWanted = [this] { return quitRequested_; };
    const RunResult result = RecordingRun(p_, io_, hooks_).record(frontEnd);
    lateness_ = result.lateness;
    commandQStop_ = result.stop == StopReason::CommandQ;
    ++runs_;
}

void RunDriver::optionsWindow() {
    Session& s = p_.session;
    if (soundsOn()) {
        io_.sounds.play(p_.prefs[kPrefWeirdSounds] != 0 ? "skid" : "piiing");
    }
    s.nSamples = s.Sample;
    s.Sample -= 1;
    const double elapsed = (s.TicsAtLastSample - s.TimeAtStart) / 60.0;
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
            prepareNewRun();
            state_ = RunState::Recording;
            return false;
        case kOptionsSave:
            p_.prefs[kPrefAutorepeat] = 0;
            if (windows_.saveFiles(p_)) {
                p_.prefs[kPrefDataSaved] = 1;
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
        case kOptionsReplay:
            if (config_.features.replay) {
                windows_.replayWindow(p_);
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

bool RunDriver::makeSure(int kind) {
    return MAKESURE(p_, io_.sounds, kind,
                    [this](const std::string& text) { return windows_.possibleDataLoss(text); });
}

bool RunDriver::quit() {
    quitRequested_ = false;
    if (!makeSure(0)) {
        return false;
    }
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
