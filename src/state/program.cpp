#include "state/program.h"

namespace trindel {

namespace {

// Every breakpoint equation becomes the identity (a = 0, b = 1, c = 0), in force, joined by
// addition: all 22 elements 1.0, then the coefficient-a and joining elements 0.
void resetBreakpointRows(ConversionTables& t) {
    for (int row = 1; row <= 22; ++row) {
        for (int e = 1; e <= 22; ++e) {
            t.BPconvert[row][e] = 1.0f;
        }
        for (int e : {3, 5, 8, 10, 13, 15, 18, 19}) {
            t.BPconvert[row][e] = 0.0f;
        }
    }
}

void setControlDefaults(Program& p) {
    p.feedback = FeedbackState{};
    p.analogOutput.AO1on = p.analogOutput.AO2on = 0;
    p.analogOutput.DoAO1 = p.analogOutput.DoAO2 = 0;
    p.analogOutput.AO1endMode = p.analogOutput.AO2endMode = 0;
    for (int i : {49, 56, 63, 70}) {
        p.analogOutput.AOscript[static_cast<size_t>(i)] = 1.0f;
    }
    p.alarm.StartAlertSound = p.alarm.ContAlertSound = p.alarm.StopAlertSound = 1;
    p.alarm.StartAlertInt = 1.0f;
    p.alarm.AudibleALARM = 0;
    p.trigger.TriggerSequence = 1;
    p.trigger.TriggerSaveCount = 1;
    p.device.Digital_Port = 2;
    p.device.GainSet = 1;
    p.device.DT800FastAcquisitionMode = 0;
    for (int row = 1; row <= 16; ++row) {
        p.device.DataTakerChannels[static_cast<size_t>(row)][0] = 1;
    }
    p.conversion.SpikeFilterRatio = 2.0f;
    p.view.ScopeViewSTEP = 1;
    p.view.ScopeScale = 1;
    p.view.XYPlotWindow = p.view.ExpandXYup = p.view.ExpandXYdown = 0;
    p.device.SerialWarningBuzz = 1;
}

}  // namespace

StartupResult SetInitialVariableValues(Program& p, ScreenSize screen,
                                       const std::function<void(Program&)>& loadSavedPreferences) {
    Session& s = p.session;
    s.HavePaused = 0;
    s.totalPauseDuration = 0.0f;
    s.SampleRateChanged = 0;
    p.prefs.setDefaults(screen.width, screen.height);
    p.prefs[19] = 100;
    s.SigFigs = 5;
    s.MaximumChans = screen.height == 480 ? 12 : 16;
    setControlDefaults(p);
    s.MaximumSamples = 2000000;
    s.MaximumScopeSamples = 16384;
    if (screen.height < 480) {
        return StartupResult::ScreenTooSmall;
    }
    for (int c = 1; c <= 16; ++c) {
        p.channels.Nvar[0][static_cast<size_t>(c)] = 1.0f;
    }
    resetBreakpointRows(p.conversion);
    DEFAULTCOLORS(p.colours);
    if (loadSavedPreferences) {
        loadSavedPreferences(p);
    }
    s.RecordingMODE = 1;
    const bool large = screen.width > 1023;
    p.prefs[kPrefWindowWidth] = static_cast<int16_t>(large ? 1024 : screen.width - 50);
    p.prefs[kPrefWindowHeight] = static_cast<int16_t>(large ? 768 : screen.height - 50);
    s.MaxSamples = p.prefs[kPrefWindowWidth];
    s.ChartINTERVALinSECONDS = 1.0;
    s.ScopeINTERVALinSECONDS = 1.0 / 60.0;
    s.nChan = 0;
    s.ChartView = 1.0f;
    s.BarometricPressure = 760.0f;
    s.flowrate = 100.0f;
    s.WindowFont = 8;
    return StartupResult::Ok;
}

bool sameStateExceptStore(const Program& a, const Program& b) {
    return a.session == b.session && a.channels == b.channels && a.scope == b.scope &&
           a.Markers == b.Markers && a.prefs == b.prefs && a.device == b.device &&
           a.conversion == b.conversion && a.switching == b.switching &&
           a.analogOutput == b.analogOutput && a.feedback == b.feedback && a.alarm == b.alarm &&
           a.trigger == b.trigger && a.audibleTimer == b.audibleTimer && a.colours == b.colours &&
           a.view == b.view && a.notes == b.notes && a.files == b.files && a.events == b.events &&
           a.menus == b.menus && a.chart == b.chart && a.calculators == b.calculators;
}

void CLEARARRAY(ScopeBuffers& scope) {
    for (int row = 1; row <= 3; ++row) {
        for (int i = 0; i < 2080; ++i) {
            scope.scope(row, i) = scope.scope(4, i);
        }
    }
}

void CLEARALARMS(AlarmState& alarm) {
    for (int c = 1; c <= 16; ++c) {
        for (int e = 6; e <= 11; ++e) {
            alarm.alarms[static_cast<size_t>(c)][static_cast<size_t>(e)] = 0.0f;
        }
    }
}

void resetForRun(Program& p, double now) {
    Session& s = p.session;
    s.LastScopeDur = 0.0f;
    s.TotalScans = 0;
    s.HavePaused = 0;
    s.totalPauseDuration = 0.0f;
    s.SampleRateChanged = 0;
    s.NoteCount = 0;
    s.LastXYClear = 1;
    s.CurrentTimeInSeconds = now;
    s.TimeOfNextChartSample = now + 0.1;
    for (int c = 1; c <= s.nChan && c <= 16; ++c) {
        p.conversion.voltagespikes[static_cast<size_t>(c)] = 0;
    }
    s.TimeForNextAOupdate = 0.0;
    for (int c = 1; c <= 16; ++c) {
        p.conversion.SpikeFilterArray[static_cast<size_t>(c)] = 2.0f;
    }
}

double chartRunSeconds(const Session& s) {
    const double fromStart = (s.TicsAtLastSample - s.TimeAtStart) / 60.0;
    return fromStart + (s.RecordingMODE == 3 ? s.ChartINTERVALinSECONDS : 0.0);
}

void endRunSequence(Program& p) {
    for (int row = 1; row <= 16; ++row) {
        for (int e = 1; e <= 16; ++e) {
            p.channels.Nvar[static_cast<size_t>(row)][static_cast<size_t>(e)] = 0.0f;
        }
    }
    CLEARARRAY(p.scope);
}

void resetChannelOneRange(Program& p) {
    const float vmax = p.device.sixteenBitBoard != 0 ? 10.0f : 5.0f;
    p.channels.Nvar[1][kDisplayMax] = vmax;
    p.channels.Nvar[1][kDisplayMin] = 0.0f;
}

}  // namespace trindel
