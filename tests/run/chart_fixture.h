// A program set up for chart recordings on the demonstration source and virtual time, with hooks
// that record what the loop showed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "display/chart_screen.h"
#include "platform/virtual_platform.h"
#include "run/chart_loop.h"
#include "state/program.h"

namespace trindel::testing {

struct RecordingHooks : ChartHooks {
    std::vector<std::pair<int, std::string>> readouts;
    std::vector<std::pair<int, std::string>> status;
    std::vector<std::string> statusFields;
    int newScreens = 0;
    int firstMarkers = 0;
    int timedBackups = 0;
    std::function<PauseOutcome(Program&)> onPause;
    std::function<void(Program&)> onAlertSounds;  // runs once a pass
    KeyMap keys;

    void showReadout(int c, std::string_view t) override { readouts.emplace_back(c, t); }
    void showChannelStatus(int c, std::string_view t, bool) override { status.emplace_back(c, t); }
    void showStatusField(int, std::string_view t) override { statusFields.emplace_back(t); }
    void newScreen(Program&) override { ++newScreens; }
    void firstMarker(Program&) override { ++firstMarkers; }
    void timedBackup(Program&, int) override { ++timedBackups; }
    PauseOutcome pauseWindow(Program& p) override { return onPause ? onPause(p) : PauseOutcome{}; }
    void alertSounds(Program& p) override {
        if (onAlertSounds) {
            onAlertSounds(p);
        }
    }
    KeyMap heldKeys() override { return keys; }
};

struct ChartFixture {
    VirtualPlatform vp;
    Platform io = vp.platform();
    Program p;
    RecordingHooks hooks;

    explicit ChartFixture(int channels = 4, double interval = 1.0, int32_t samples = 100) {
        SetInitialVariableValues(p, ScreenSize{1280, 1024});
        vp.canvas.keepOps = false;
        p.device.External_AD = 0;
        p.device.DemonstrationMODE = 1;
        p.session.nChan = static_cast<int16_t>(channels);
        p.session.ChartINTERVALinSECONDS = interval;
        p.session.MaxSamples = samples;
        for (int c = 1; c <= channels; ++c) {
            auto& row = p.channels.Nvar[static_cast<size_t>(c)];
            row[kCoeffA] = 0.0f;
            row[kCoeffB] = 1.0f;
            row[kDisplayMax] = 1.0f;
            row[kDisplayMin] = 0.0f;
            row[kSamplesToAverage] = 1.0f;
        }
        SetChanParams(p, p.prefs[kPrefWindowHeight], 0);
    }
};

}  // namespace trindel::testing
