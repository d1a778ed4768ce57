#include "run/get_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "control/alarm_check.h"
#include "devices/demo_source.h"
#include "devices/read_dispatch.h"
#include "signal/averaging.h"
#include "signal/conversion.h"
#include "signal/slope_indicator.h"
#include "text/number_text.h"

namespace trindel {

namespace {

constexpr int kSerialInstruments = 8;

bool demonstrating(const Program& p) {
    return p.device.External_AD == 0 && p.device.DemonstrationMODE != 0;
}

// One reading of a channel from the source in use; with no source the value is unchanged.
float readOnce(Program& p, Platform& io, int c) {
    if (demonstrating(p)) {
        return demoChartReading(p, c);
    }
    if (p.device.External_AD != 0) {
        ReadExternalADdevice(p, io, c, 1);
    }
    return p.device.volts;
}

bool overRange(const Program& p, int c, float reading) {
    return isOverRangeReading(p.alarm, c, reading, p.chart.OverRangeVolts);
}

// The averaged volts of channel c for this scan and whether a reading was over range.
float averagedReading(Program& p, Platform& io, int c, bool& over) {
    if (p.device.External_AD == kSerialInstruments) {
        return p.device.volts;
    }
    if (isLastChannelContinuous(p, c)) {
        // Read between scans; when nothing was read (a very short interval), read it now.
        return takeLastChannelAverage(p.chart, p.conversion.AbsVal != 0, [&] {
            const float r = readOnce(p, io, c);
            over = overRange(p, c, r);
            return r;
        });
    }
    SampleAverager sum;
    const int n = readingsPerSample(p.channels.Nvar[static_cast<size_t>(c)][kSamplesToAverage]);
    for (int i = 0; i < n; ++i) {
        const float r = readOnce(p, io, c);
        sum.add(r, overRange(p, c, r));
    }
    over = sum.overRange;
    return sum.volts();
}

// Unread-channel substitution: channels whose device is not connected, and their zero links.
float substituteUnread(const Program& p, int c, float v, bool& zeroed) {
    const SwitchingState& sw = p.switching;
    const Session& s = p.session;
    const int device = static_cast<int>(p.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber]);
    if (sw.RefIsON == 0 && device != 0) {
        const int mode = s.SwitchingMode;
        if ((mode == 2 || mode == 4 || mode == 6) && device != sw.OldChan &&
            device != sw.OldChan2) {
            zeroed = true;
        } else if ((mode == 1 || mode == 3 || mode == 5) && device != sw.OldChan) {
            zeroed = true;
        }
    }
    const int z = sw.zerolink[static_cast<size_t>(c)][2];
    if (!zeroed && z >= 1 && z <= s.nChan && s.Sample >= 1) {
        const int32_t at = z >= c ? s.Sample - 1 : s.Sample;
        if (p.store.get(z, at) == sw.DeviceSwitchZeroValue) {
            zeroed = true;
        }
    }
    return zeroed ? sw.DeviceSwitchZeroValue : v;
}

void showSwitchingStatus(const Program& p, ChartHooks& hooks, int c, float v, bool continuous) {
    const SwitchingState& sw = p.switching;
    const Session& s = p.session;
    int device = static_cast<int>(p.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber]);
    if (s.SwitchingMode <= 0 || s.ShowDisplays == 0 || p.prefs[kPrefSwitchingStatusInPlots] == 0) {
        return;
    }
    if (device == 0 && !(continuous && c == static_cast<int>(p.channels.Nvar[0][0]))) {
        return;
    }
    if (continuous) {
        for (int k = c; device == 0 && k >= 1; --k) {
            device = static_cast<int>(p.channels.Nvar[static_cast<size_t>(k)][kDeviceNumber]);
        }
        if (s.SwitchingMode == 9 || s.SwitchingMode == 10) {
            device = sw.OldChan;
        }
    } else if (s.SwitchingMode == 9) {
        device = sw.PresentChan;
    }
    const int ref = (sw.nGroups == 2 && device > 4) ? sw.RefChan2 : sw.RefChan;
    std::string text;
    if (sw.RefIsON != 0) {
        text = continuous ? " ref" + std::to_string(ref) : "ref" + std::to_string(ref) + "    ";
    } else if (v == 0.0f) {
        text = continuous ? " zeroed     " : " zeroed ";
    } else {
        text = std::to_string(device) + (continuous ? " ON " : " ON      ");
    }
    hooks.showSwitchingStatus(c, text);
}

// The value as the read-out shows it: the float's shortest decimal form, so 0.3f reads "0.3",
// not the binary value's 0.3000000119.
double readoutValue(float v) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    double d = v;
    std::from_chars(buf, end, d);
    return d;
}

}  // namespace

void processChannel(Program& p, Platform& io, ChartHooks& hooks, int c, float volts, bool over,
                    int x, bool continuous) {
    Session& s = p.session;
    auto& row = p.channels.Nvar[static_cast<size_t>(c)];
    const int h = static_cast<int>(row[kBandHeight]);
    const int bottom = static_cast<int>(row[kBandBottom]) - 1;
    const int top = bottom - h;

    const ConvertedValue cv = ConvertChannelVolts(p, c, volts);
    float v = cv.value;
    float w = cv.beforeSpecial;
    if (channelMayHaveAlarms(s.RecordingMODE, c)) {
        // Continuous scanning has no over-range test.
        const ChannelAlarmResult alarm =
            checkChannelAlarms(p.alarm, c, over && !continuous, v, s.Sample);
        if (p.alarm.alarms[static_cast<size_t>(c)][kAlarmAnyOn] != 0.0f && s.ShowDisplays != 0) {
            hooks.showChannelStatus(c, alarm.statusText, alarm.alarmed);
        }
        if (alarm.alarmed && p.alarm.AudibleALARM != 0) {
            io.sounds.play(kAlarmSound);
        }
    }

    bool zeroed = false;
    v = substituteUnread(p, c, v, zeroed);
    if (zeroed) {
        w = v;  // an unread channel records the unread value, not the reading
    }
    showSwitchingStatus(p, hooks, c, v, continuous);

    const float range = row[kDisplayMax] - row[kDisplayMin];
    int y = bottom;
    if (range != 0.0f && std::isfinite(v)) {
        const double yy = bottom - h * (static_cast<double>(v) - row[kDisplayMin]) / range;
        y = static_cast<int>(std::clamp(yy, static_cast<double>(top), static_cast<double>(bottom)));
    }

    const bool storeSpecial =
        (static_cast<int>(p.conversion.SpecialOps[static_cast<size_t>(c)][10]) & 1) != 0;
    // A value of exactly 0 is stored as 0, so no slot keeps a value of an earlier recording.
    const float stored = storeSpecial ? v : (v == 0.0f ? 0.0f : w);
    p.store.set(c, s.Sample, stored);

    if (s.ShowDisplays != 0) {
        std::string text = v == 0.0f ? "   zero" : StringFormatter(readoutValue(v));
        const auto& alarmRow = p.alarm.alarms[static_cast<size_t>(c)];
        if (alarmRow[21] != 0.0f) {
            text += slopeSuffix(p.store, c, s.Sample, static_cast<int>(alarmRow[22]));
        }
        hooks.showReadout(c, text);
    }

    int previousRow = static_cast<int>(row[kLastPenRow]);
    int previousColumn = p.chart.previousColumn;
    if (s.Sample < 2) {
        previousRow = y;
        previousColumn = -500;
    }
    io.canvas.line(previousColumn, previousRow, x, y, p.colours.ChartDataColor);
    row[kLastPenRow] = static_cast<float>(y);
}

void GETDATA(Program& p, Platform& io, ChartHooks& hooks) {
    Session& s = p.session;
    ChartState& ch = p.chart;
    ++s.NscrnCASEs;
    if (s.ShowDisplays != 0 && s.MaxSamples > 0) {
        const int64_t bar =
            static_cast<int64_t>(ch.SegmentsInProgressBar) * s.Sample / s.MaxSamples;
        if (bar > 0) {
            hooks.setProgressBar(static_cast<int>(bar));
        }
    }
    s.TicsAtLastSample = io.clock.TickCount();
    s.TimeOfNextChartSample += s.ChartINTERVALinSECONDS;
    if (p.prefs[kPrefBeepAtSample] != 0) {
        io.sounds.play("Sample");
    }
    const int x = static_cast<int>(s.NscrnCASEs / s.ChartView);
    const int first = s.RecordingMODE == 3 ? 2 : 1;
    for (int c = first; c <= s.nChan; ++c) {
        bool over = false;
        const float volts = averagedReading(p, io, c, over);
        processChannel(p, io, hooks, c, volts, over, x, false);
    }
    if (p.alarm.AudibleALARM != 0) {
        io.sounds.play("AlarmBUZZ");
    }
    ch.previousColumn = static_cast<int16_t>(x);
    ++s.Sample;
    ch.markerFlag = 0;
}

void SHOWSCANRESULTS(Program& p, Platform& io, ChartHooks& hooks) {
    Session& s = p.session;
    ChartState& ch = p.chart;
    ++s.NscrnCASEs;
    const int width = p.prefs[kPrefWindowWidth];
    if (s.ShowDisplays != 0 && s.MaxSamples > width * s.ChartView && s.MaxSamples > 0) {
        const int64_t bar =
            static_cast<int64_t>(ch.SegmentsInProgressBar) * s.Sample / s.MaxSamples;
        if (bar >= 1) {
            hooks.setProgressBar(static_cast<int>(bar));
        }
    }
    s.TicsAtLastSample = io.clock.TickCount();
    s.TimeOfNextChartSample += s.ChartINTERVALinSECONDS;
    const int x = static_cast<int>(s.NscrnCASEs / s.ChartView);
    const int first = s.RecordingMODE == 3 ? 2 : 1;
    for (int c = first; c <= s.nChan; ++c) {
        processChannel(p, io, hooks, c, scanVolts(p, c), false, x, true);
    }
    ch.previousColumn = static_cast<int16_t>(x);
    ++s.Sample;
    ch.markerFlag = 0;
}

// Reads every channel once into the continuous sums (one device scan).
void addDeviceScan(Program& p, Platform& io) {
    countScanPass(p.chart);
    for (int c = 1; c <= p.session.nChan; ++c) {
        const float r =
            p.device.External_AD == kSerialInstruments ? p.device.volts : readOnce(p, io, c);
        addScanReading(p.conversion, c, r);
    }
}

void readLastChannelOnce(Program& p, Platform& io) {
    const int c = p.session.nChan;
    if (!isLastChannelContinuous(p, c) || p.device.External_AD == kSerialInstruments) {
        return;
    }
    addLastChannelReading(p.chart, readOnce(p, io, c), p.conversion.AbsVal != 0);
}

}  // namespace trindel
