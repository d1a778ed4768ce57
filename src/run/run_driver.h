// The run driver: start-up, device and mode choice, run set-up, the run sequence with the
// after-run options window, the end of a sequence, and Quit with the unsaved-data check.
// It opens windows through RunWindows and records through the one recording run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "devices/serial/port_dialog.h"
#include "files/crash_journal.h"
#include "files/save_files.h"
#include "platform/platform.h"
#include "run/chart_hooks.h"
#include "run/device_connection.h"
#include "run/interval_dialog.h"
#include "run/run_driver_options.h"
#include "run/scan_lateness.h"
#include "state/program.h"
#include "ui/acquisition_parameters.h"
#include "ui/modes_channels.h"

namespace trindel {

enum class RunState {
    StartupScreen,
    DeviceChoice,
    ModeChoice,
    RunSetup,
    Recording,
    Options,
    EndOfSequence,
    Ended,
};

// The windows the driver opens; the desktop program shows dialogs, tests script answers.
class RunWindows {
  public:
    virtual ~RunWindows() = default;
    enum class StartChoice { Quit, Demonstration, Device };
    // The start window (with the device dialog behind "Select A-D"); `device` receives the
    // chosen device code for StartChoice::Device.
    virtual StartChoice startWindow(Program& p, int& device) = 0;
    // "Modes and Channels"; false when the user quits instead.
    virtual bool modesAndChannels(Program& p, ModesChannelsModel& model) = 0;
    // The chart interval dialog, run until "Selection OK"; false when the user quits instead.
    virtual bool chartInterval(Program& p, IntervalDialog& dialog) = 0;
    // "Acquisition Parameters" after the channels are set up: Skipped leaves the program as it
    // is, SetupOK stores the model, Restart abandons the set-up for the mode choice.
    // Reopen: the rows changed under the window (a channel added or cut); it is shown again.
    enum class SetupOutcome { Skipped, SetupOK, Restart, Reopen };
    virtual SetupOutcome acquisitionParameters(Program& /*p*/,
                                               AcquisitionParametersModel& /*model*/) {
        return SetupOutcome::Skipped;
    }
    // Shows or hides the recording window (the canvas) and its toolbar.
    virtual void showRecordingWindow(Program& /*p*/, bool /*shown*/) {}
    // The options window: returns the button chosen (a key press is mapped by the window with
    // optionsButtonForKey).
    virtual int optionsWindow(Program& p, const std::string& title,
                              const std::vector<OptionsButtonInfo>& buttons,
                              const SampleRateReport& rate) = 0;
    // "Possible Data Loss": true for yes (go on).
    virtual bool possibleDataLoss(const std::string& unsavedText) = 0;
    // SAVEFILES: true when the data were written.
    virtual bool saveFiles(Program& p) = 0;
    virtual void sampleRateWindow(const SampleRateReport& report) = 0;
    // "Serial Port Selection:  ", run on its model; false when the user quits the program.
    virtual bool portDialog(Program& /*p*/, PortDialogModel& model) {
        model.useDemoMode();
        return true;
    }
    // A progress line of the device contact for the start-up window; "" when the contact ended.
    virtual void startupLine(const std::string& /*line*/) {}
    // REPLAY(1): the replay window after a run, until the user closes it.
    virtual void replayWindow(Program& /*p*/) {}
    // The caution and comment windows a file series asks for when it is named.
    virtual SaveHooks seriesHooks(Program& /*p*/) { return {}; }
    // The "Alarm Log" ("Check Alarms…" in the options window).
    virtual void alarmLogWindow(Program& /*p*/) {}
    // StreamingSerialChannels: the streaming instrument's fields chosen as chart channels, in
    // place of the mode choice; `port` is the instrument's open port (null when none is). False
    // when the user quits instead.
    virtual bool streamingChannels(Program& /*p*/, SerialPort* /*port*/) { return true; }
};

struct RunDriverConfig {
    // Text file shown on quitting when present and not empty.
    std::string shutdownMessagePath;
    OptionsFeatures features;
    // The external device's connection; without one an external device cannot be chosen.
    DeviceConnection* device = nullptr;
    // Where quick saves, the default backup and an unnamed file series go ("" the current folder).
    std::string dataFolder = {};
    // A set-up file opened with the program: loaded at start-up (GETSETUP) in place of the
    // channel set-up windows.
    std::string openedSetup = {};
    // Folder of the crash journals of the runs; empty: the runs keep no journal.
    std::string journalFolder{};
};

class RunDriver {
  public:
    RunDriver(Program& p, Platform& platform, RunWindows& windows, ChartHooks& hooks,
              RunDriverConfig config = {});

    // SetDefaultValues: runs the program from start-up until it quits. `screen` is the screen
    // size; a screen shorter than 480 pixels gets a message and ends the program.
    void SetDefaultValues(ScreenSize screen,
                          const std::function<void(Program&)>& loadPreferences = {});

    RunState state() const { return state_; }
    // Menu Quit or Command-Q: the driver goes to Quit (with the unsaved-data check) as soon as
    // the recording, if one is running, has stopped.
    void requestQuit() { quitRequested_ = true; }
    bool quitRequested() const { return quitRequested_; }
    int runsRecorded() const { return runs_; }
    // Writes the present run's journal to disk and keeps it for the next start (the program is
    // being ended from outside). False when there is no journal or writing it failed.
    bool keepJournal() { return journal_.flush(p_); }
    const SampleRateReport& lastRateReport() const { return rate_; }

  private:
    void startupScreen();
    void deviceChoice();
    void modeChoice();
    void runSetup();
    // The streaming instrument's set-up (streaming_setup.cpp).
    void streamingModeChoice();
    bool streamingSetup();
    void runSequence();
    void recordChart();
    void optionsWindow();
    // Returns true when the options window should stay open.
    bool optionsAction(int button);
    void prepareNewRun();
    void endOfSequence();
    bool quit();  // false when the user declined
    bool makeSure(int kind);
    // With autorepeat on in chart mode and no series named yet: asks for the repeat file root.
    void nameRepeatFiles();
    void loadOpenedSetup();
    bool soundsOn() const { return p_.menus.Sound_Is_On != 0; }

    Program& p_;
    Platform& io_;
    RunWindows& windows_;
    ChartHooks& hooks_;
    RunDriverConfig config_;
    RunState state_ = RunState::StartupScreen;
    bool quitRequested_ = false;
    bool commandQStop_ = false;
    int runs_ = 0;
    SampleRateReport rate_;
    ScanLateness lateness_;
    // The present run's journal: kept until its data is saved or given up.
    JournalWriter journal_;
};

}  // namespace trindel
