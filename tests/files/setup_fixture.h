// A demonstration set-up for the set-up file, report and info tests: every field the file carries
// holds a value of its own, so a field read into the wrong place shows.
#pragma once

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "state/program.h"

namespace trindel::testing {

// A program after start-up on a 1280 x 1024 screen, with `nChan` channels set up in
// `switchingMode`.
inline Program demoSetup(int nChan, int16_t switchingMode) {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    Session& s = p.session;
    s.RecordingMODE = 1;
    s.nChan = static_cast<int16_t>(nChan);
    s.ChartINTERVALinSECONDS = 0.5;
    s.ScopeINTERVALinSECONDS = 0.002;
    s.SwitchingMode = switchingMode;
    s.MaxSamples = 7200;
    s.ScopeMax = 512;
    s.ChartView = 2.0f;
    s.TimedSaveINTERVAL = 36000;
    s.Max_Display_Speed = 20000;
    s.mainsfrequency = 50;
    p.switching.switchint = 12.5f;
    p.switching.refint = 3.25f;
    p.switching.RefChan = 1;
    p.switching.RefChan2 = 5;
    p.switching.ShowSwitchDeviceAsMarker = 1;
    p.switching.prefix = std::string(160, ' ');
    for (int d = 1; d <= 8; ++d) {
        p.switching.prefix.replace(static_cast<size_t>((d - 1) * 20), 8,
                                   "chamber" + std::to_string(d));
    }
    p.switching.zerolink[0][0] = 1;
    for (int i = 0; i <= 16; ++i) {
        p.switching.zerolink[i][1] = static_cast<int16_t>(i);
        p.switching.zerolink[i][2] = static_cast<int16_t>(16 - i);
    }
    p.channels.clearLabels();
    for (int c = 1; c <= 16; ++c) {
        auto& row = p.channels.Nvar[c];
        for (int e = 1; e <= 13; ++e) {
            row[e] = static_cast<float>(c * 100 + e) + 0.25f;
        }
        row[kDeviceNumber] = static_cast<float>((c - 1) % 8 + 1);
        p.channels.Nvar[0][c] = static_cast<float>((c % 9) + 1);
        p.channels.setLabel(c, "O2 chan " + std::to_string(c) +
                                   " \xA1"
                                   "C");
        for (int e = 0; e <= 22; ++e) {
            p.alarm.alarms[c][e] = static_cast<float>(c + e) * 0.5f;
        }
        for (int e = 1; e <= 20; ++e) {
            p.conversion.SpecialOps[c][e] = static_cast<float>(c * 1000 + e);
        }
        for (int e = 1; e <= 10; ++e) {
            p.view.XY[static_cast<size_t>(11 * c + e)] = static_cast<float>(c * 10 + e);
        }
        for (int w = 0; w < 5; ++w) {
            p.device.DataTakerChannels[c][w] = static_cast<int16_t>(c * 10 + w);
        }
        p.conversion.SpikeFilterArray[c] = 1.5f + static_cast<float>(c);
        p.device.ADsensorType[c] = static_cast<int16_t>(c + 40);
    }
    p.channels.Nvar[0][0] = 3.0f;
    for (int row = 0; row <= 16; ++row) {
        for (int e = 0; e <= 6; ++e) {
            p.conversion.polyarray[row][e] = static_cast<float>(row * 10 + e) + 0.5f;
        }
    }
    for (int row = 1; row <= 22; ++row) {
        for (int e = 1; e <= 22; ++e) {
            p.conversion.BPconvert[row][e] = static_cast<float>(row * 100 + e);
        }
    }
    p.view.ScopeGain = 10;
    p.view.ScopeScale = 3;
    p.view.ScopeViewSTEP = 2;
    p.view.ShowXYPlot = 0;
    p.view.CustomTic = 2.5;
    p.trigger.TriggerON = 1;
    p.trigger.TriggerChan = 2;
    p.trigger.triggerval = 0.3f;
    p.trigger.TriggerMode = 1;
    p.trigger.TriggerSaveCount = 3;
    p.trigger.TriggerSequence = 2;
    p.conversion.AbsVal = 1;
    p.conversion.ValueForZeroInGasExchange = -1.5f;
    p.alarm.AudibleALARM = 1;
    p.alarm.StartAlertInt = 2.0f;
    p.alarm.StartAlertSound = 2;
    p.alarm.ContAlertSound = 3;
    p.alarm.StopAlertSound = 4;
    AudibleTimerState& t = p.audibleTimer;
    t.StopAlertInt = 3.0f;
    t.ContinueAlertInt = 4.0f;
    int16_t k = 1;
    for (int16_t* v : {&t.StartALERT, &t.ContinueALERT, &t.StopALERTx, &t.StartAlertMODE,
                       &t.ContAlertMODE, &t.StopAlertMODE, &t.StopAlertCASE, &t.AlertSOUNDS,
                       &t.DOstartALERT, &t.DoStopALERT, &t.StartAlertCount, &t.StopAlertCount,
                       &t.ContAlertCount, &t.ContAlertEnd, &t.AlertCount, &t.maxalerts}) {
        *v = k++;
    }
    t.StartAlertTime = 1000;
    t.StopAlertTime = 2000;
    t.ContAlertInt = 3000;
    t.nextAlert = 4000;
    p.device.DT800FastAcquisitionMode = 1;
    for (int i : {1, 2, 5, 6, 16, 18, 19, 23, 30, 31, 39, 40, 42, 44}) {
        p.prefs[i] = static_cast<int16_t>(i % 2 == 0 ? 1 : 0);
    }
    p.prefs[19] = 77;
    p.prefs[kPrefChartViewStyle] = 2;
    p.prefs[kPrefWindowWidth] = 1000;
    p.prefs[kPrefAutomaticBackup] = 1;  // follows the non-zero timed-save interval
    return p;
}

// A fresh temporary file path that is removed when the object goes.
class TempPath {
  public:
    explicit TempPath(const std::string& name)
        : path_((std::filesystem::temp_directory_path() /
                 ("trindel-" + std::to_string(::getpid()) + "-" + name))
                    .string()) {
        std::filesystem::remove(path_);
    }
    ~TempPath() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    const std::string& str() const { return path_; }

  private:
    std::string path_;
};

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}

}  // namespace trindel::testing
