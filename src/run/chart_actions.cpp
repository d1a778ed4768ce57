#include "run/chart_actions.h"

#include <algorithm>

#include "control/switching_engine.h"
#include "devices/demo_source.h"
#include "devices/read_dispatch.h"
#include "signal/conversion.h"
#include "text/number_text.h"

namespace trindel {

int toolbarButtonAt(int x, int y, int16_t recordingMode) {
    if (y < 1 || y > 39 || x < 1) {
        return 0;
    }
    const int width = recordingMode == 2 ? 81 : recordingMode == 3 ? 442 : 404;
    if (x >= width) {
        return 0;
    }
    static constexpr int kRight[] = {39, 79, 119, 160, 200, 240, 280, 320, 360, 400, 440};
    for (int b = 0; b < 11; ++b) {
        const int left = b == 0 ? 1 : kRight[b - 1] + 2;
        if (x >= left && x <= kRight[b]) {
            if (b == 1 && recordingMode == 2) {
                return kToolbarSaveScope;
            }
            if (b == 10 && recordingMode != 3) {
                return 0;
            }
            return b + 1;
        }
    }
    return 0;
}

std::array<float, 17> pauseRefreshValues(Program& p, Platform& io) {
    std::array<float, 17> values{};
    const bool demo = p.device.External_AD == 0;
    const bool serial = p.device.External_AD == 8;
    const int n = demo ? 5 : serial ? 1 : 2;
    for (int c = 1; c <= p.session.nChan && c <= kMaxChannels; ++c) {
        float sum = 0.0f;
        for (int i = 0; i < n; ++i) {
            if (demo) {
                sum += demoPausedVolts(p.device.demoSeed, c, p.session.RecordingMODE,
                                       static_cast<float>(p.view.ScopeGain));
            } else {
                if (!serial) {
                    ReadExternalADdevice(p, io, c, 0);
                }
                sum += p.device.volts;
            }
        }
        values[static_cast<size_t>(c)] =
            ConvertChannelVolts(p, c, sum / static_cast<float>(n)).value;
    }
    return values;
}

bool InsertMarker(Program& p, Platform& io, ChartHooks& hooks, int code, int top) {
    ChartState& ch = p.chart;
    ch.clicks.ControlStripClicked = false;
    if (!p.Markers.add(p.session.Sample, code)) {
        return false;
    }
    ch.markerFlag = 1;
    if (p.Markers.Nmarkers == 1) {
        hooks.firstMarker(p);
    }
    if (code == 'X' || code == 'x' || code == 'Q' || code == 'q') {
        hooks.keyCheck(p, code);
    }
    const int x = static_cast<int>(p.session.NscrnCASEs / p.session.ChartView);
    const int bottom = io.canvas.height();
    const PenStyle style =
        p.prefs[kPrefDashedMarkerLines] != 0 ? PenStyle::Dashed : PenStyle::Solid;
    io.canvas.line(x, top, x, bottom - 2, p.colours.Markwhite, style);
    // Codes from 200 on show a number; the others their character (Mac Roman).
    const std::string label =
        code >= 200 ? std::to_string(code - 200) : std::string(1, static_cast<char>(code));
    // The continuous-scanning loop writes its labels 15 rows above the window bottom, the normal
    // loop 5 rows above it, raised by the depth that glyphs such as the pause mark reach below
    // the base line so that they are not cut off by the window's edge.
    const int labelRow =
        p.prefs[kPrefContinuousScanning] != 0 ? bottom - 15 : bottom - 5 - kMarkerLabelDescent;
    io.canvas.text(x + 2, labelRow, label, TextStyle{10, false, p.colours.Markwhite});
    if (!io.sounds.isPlaying()) {
        io.sounds.play("mark");
    }
    return true;
}

bool InsertDeviceSwitchMarker(Program& p, Platform& io, ChartHooks& hooks, int code, int top) {
    const int marker =
        p.switching.ShowSwitchDeviceAsMarker != 0 ? p.switching.DeviceInUse + 48 : code;
    return InsertMarker(p, io, hooks, marker, top);
}

void PAUSE(Program& p, Platform& io, ChartHooks& hooks) {
    Session& s = p.session;
    ChartState& ch = p.chart;
    ch.clicks.ControlStripClicked = false;
    s.SampleRateChanged = 0;
    s.HavePaused = 1;
    io.sounds.play("skid");
    const int32_t ticksAtPause = io.clock.TickCount();
    const double oldInterval = s.ChartINTERVALinSECONDS;

    const PauseOutcome out = hooks.pauseWindow(p);

    if (out.scalesEdited) {
        for (int c = 1; c <= s.nChan; ++c) {
            p.channels.Nvar[static_cast<size_t>(c)][kDisplayMin] =
                out.displayMin[static_cast<size_t>(c)];
            p.channels.Nvar[static_cast<size_t>(c)][kDisplayMax] =
                out.displayMax[static_cast<size_t>(c)];
        }
    }
    if (out.sampleRateItem && *out.sampleRateItem >= 1 &&
        *out.sampleRateItem <= static_cast<int>(kPauseSampleRates.size())) {
        s.ChartINTERVALinSECONDS = kPauseSampleRates[static_cast<size_t>(*out.sampleRateItem - 1)];
        s.ChartSampleInterval = static_cast<float>(s.ChartINTERVALinSECONDS);
        s.SampleRateChanged = 1;
        ch.TraceLength = s.MaxSamples * s.ChartINTERVALinSECONDS;
        ch.minute_units = ch.TraceLength > 600.0 ? 1 : 0;
    }

    const double now = io.clock.GetCurrentTimeInSeconds();
    s.CurrentTimeInSeconds = now;
    s.TimeOfNextChartSample = now;
    const int32_t ticksNow = io.clock.TickCount();
    const float minutes = static_cast<float>(ticksNow - ticksAtPause) / 3600.0f;
    s.totalPauseDuration += minutes;

    std::string& record = p.notes.CumulativePauseContainer;
    record += "   ----------\r *  Acquisition paused for" + runtimeText(minutes) +
              " minutes at case" + runtimeText(s.Sample) + "\r";
    if (!out.note.empty()) {
        record += out.note + "\r";
    }
    if (s.SampleRateChanged != 0) {
        record += "        CAUTION:  old sample interval = " + runtimeText(oldInterval) +
                  " sec\r                         new sample interval = " +
                  runtimeText(s.ChartINTERVALinSECONDS) + " sec\r";
    }
    if (s.TimedSaveINTERVAL > 0 && ticksNow >= p.files.NextSAVEtime) {
        p.files.NextSAVEtime = ticksNow + 3600;
    }
    hooks.screenInfo(p);
}

void AddSomeTIME(Program& p, ChartHooks& hooks) {
    Session& s = p.session;
    ChartState& ch = p.chart;
    const int32_t width = p.prefs[kPrefWindowWidth];
    s.MaxSamples += width;
    if (s.MaxSamples > s.MaximumSamples - width) {
        s.MaxSamples = s.MaximumSamples;
    }
    ch.SegmentsInProgressBar = static_cast<int16_t>(width - 10);
    const int mode = s.SwitchingMode;
    if (mode == 3 || mode == 4 || mode == 7 || mode == 8 || mode == 9) {
        // The closing reference moves with the end; the loop then switches to the sample.
        p.switching.RefOnTime = ticksFromFloat(static_cast<float>(p.switching.RefOnTime) +
                                               width * 60.0f * s.ChartSampleInterval);
    }
    ch.TraceLength = s.MaxSamples * s.ChartINTERVALinSECONDS;
    ch.minute_units = ch.TraceLength > 600.0 ? 1 : 0;
    ch.donefact = s.MaxSamples > 0 ? 100.0 / s.MaxSamples : 0.0;
    hooks.screenInfo(p);
    if (s.MaxSamples > 0) {
        hooks.setProgressBar(static_cast<int>(static_cast<int64_t>(ch.SegmentsInProgressBar) *
                                              s.Sample / s.MaxSamples));
    }
}

}  // namespace trindel
