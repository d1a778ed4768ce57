// What the chart loop needs from windows and from the experiment-control steps that arrive later.
// Every method has a do-nothing default, so a front end implements only what it shows and tests
// record what they check.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "run/read_keys.h"

namespace trindel {

struct Program;

// What the pause window leaves when it closes.
struct PauseOutcome {
    std::string note;
    // Item (1..13) chosen in the "Sample Rate" pop-up, when one was chosen.
    std::optional<int> sampleRateItem;
    // Display ranges edited with "∆ Display Scale…" (elements 6 and 5 of channels 1..16).
    bool scalesEdited = false;
    std::array<float, 17> displayMin{};
    std::array<float, 17> displayMax{};
};

class ChartHooks {
  public:
    virtual ~ChartHooks() = default;

    // Read-outs of the recording window. Status fields: 2 sample count, 3 % done, 4 time left,
    // 199 backup-file indicator.
    virtual void showStatusField(int /*field*/, std::string_view /*text*/) {}
    virtual void setProgressBar(int /*segments*/) {}
    virtual void showReadout(int /*channel*/, std::string_view /*text*/) {}
    virtual void showChannelStatus(int /*channel*/, std::string_view /*text*/, bool /*alert*/) {}
    virtual void showSwitchingStatus(int /*channel*/, std::string_view /*text*/) {}
    // Flushes the window buffer (the loop asks at most once a tick).
    virtual void flushWindow() {}

    // Held keys by virtual key code; the loop also reads key events.
    virtual KeyMap heldKeys() { return {}; }

    // The pause window, run until Resume or close; `p` is the state at the moment of pausing.
    virtual PauseOutcome pauseWindow(Program& /*p*/) { return {}; }
    // The note window (toolbar Note button) and whether it is open now.
    virtual void openNoteWindow(Program& /*p*/) {}
    virtual void serveNoteWindow(Program& /*p*/) {}
    virtual bool noteWindowOpen() { return false; }
    // Screen information and time axis after a pause or added time.
    virtual void screenInfo(Program& /*p*/) {}
    // Draws a new screen when the current one is full (NscrnCASEs was reset to 0).
    virtual void newScreen(Program& /*p*/) {}

    // Experiment control and files, called by the loop at their places.
    virtual void firstMarker(Program& /*p*/) {}                 // FirstMarkerCheck
    virtual void keyCheck(Program& /*p*/, int /*code*/) {}      // X_Key_check / Q_Key_check
    virtual void timedBackup(Program& /*p*/, int /*timed*/) {}  // AutoTimedBACKUP
    virtual void autoSave(Program& /*p*/) {}                    // AUTOSAVE
    virtual void alertSounds(Program& /*p*/) {}                 // HandleAlertSounds
    virtual void analogOutput(Program& /*p*/) {}                // checkAOscript
    // Valve switching (the loop runs the schedule and keys itself): a switch just made
    // (DeviceInUse and RefIsON say which), the "Next reference in" read-out and its closing,
    // and a switching device that stopped answering (reported once).
    virtual void deviceSwitched(const Program& /*p*/, int32_t /*tick*/) {}
    virtual void showReferenceTime(std::string_view /*text*/) {}
    virtual void closeReferenceTime() {}
    virtual void switchDeviceSilent(std::string_view /*message*/) {}
    virtual void showReplay(Program& /*p*/) {}  // REPLAY(0)
    virtual void leaveReplay(Program& /*p*/) {}
    virtual void xyCommand(Program& /*p*/, int /*key*/) {}  // c, n, d, u on the XY plot
    virtual void plotXYPoint(Program& /*p*/) {}
};

}  // namespace trindel
