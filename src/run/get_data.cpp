#include "run/get_data.h"

#include <charconv>
#include <string>

#include "control/alarm_check.h"
#include "devices/device_table.h"
#include "devices/instruments/serial_stream.h"
#include "devices/read_dispatch.h"
#include "display/scan_trace.h"
#include "signal/averaging.h"
#include "signal/conversion.h"
#include "signal/slope_indicator.h"
#include "text/number_text.h"

namespace trindel {

namespace {

// --- read ---

struct ChannelReading {
    float volts = 0.0f;      // the averaged reading
    bool overRange = false;  // one of the readings was over range
};

bool overRange(const Program& p, int c, float reading) {
    return isOverRangeReading(p.alarm, c, reading, p.chart.OverRangeVolts);
}

// Channel c's averaged volts for this scan from `device`, the row of the device in use. A
// streaming device reads one line per scan and each channel takes its field.
ChannelReading readChannel(Program& p, Platform& io, const DeviceInfo& device, int c) {
    ChannelReading r;
    if (device.streaming) {
        r.volts = readStreamChannel(p, io, device, c);
        return r;
    }
    if (isLastChannelContinuous(p, c)) {
        // Read between scans; when nothing was read (a very short interval), read it now.
        r.volts = takeLastChannelAverage(p.chart, p.conversion.AbsVal != 0, [&] {
            const float v = readDeviceChannel(p, io, device, c);
            r.overRange = overRange(p, c, v);
            return v;
        });
        return r;
    }
    SampleAverager sum;
    const int n = readingsPerSample(p.channels.Nvar[static_cast<size_t>(c)][kSamplesToAverage]);
    for (int i = 0; i < n; ++i) {
        const float v = readDeviceChannel(p, io, device, c);
        sum.add(v, overRange(p, c, v));
    }
    r.volts = sum.volts();
    r.overRange = sum.overRange;
    return r;
}

// --- check ---

// The alarms of channel c on its converted value; the alarm sound plays at once when audible
// alarms are on. Continuous scanning has no over-range test.
void checkAlarms(Program& p, Platform& io, int c, float value, bool over, bool continuous,
                 ChannelScan& out) {
    const Session& s = p.session;
    if (!channelMayHaveAlarms(s.RecordingMODE, c)) {
        return;
    }
    const ChannelAlarmResult alarm =
        checkChannelAlarms(p.alarm, c, over && !continuous, value, s.Sample);
    out.showStatus =
        p.alarm.alarms[static_cast<size_t>(c)][kAlarmAnyOn] != 0.0f && s.ShowDisplays != 0;
    if (out.showStatus) {
        out.statusText = alarm.statusText;
    }
    out.alarmed = alarm.alarmed;
    if (alarm.alarmed && p.alarm.AudibleALARM != 0) {
        io.sounds.play(kAlarmSound);
    }
}

// Unread-channel substitution: a channel whose device is not connected, or whose zero link was
// not read, takes the unread value. The link's value of this scan is in the store already when
// the link is an earlier channel.
bool isUnread(const Program& p, int c) {
    const SwitchingState& sw = p.switching;
    const Session& s = p.session;
    const int device = static_cast<int>(p.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber]);
    if (sw.RefIsON == 0 && device != 0) {
        const int mode = s.SwitchingMode;
        if ((mode == 2 || mode == 4 || mode == 6) && device != sw.OldChan &&
            device != sw.OldChan2) {
            return true;
        }
        if ((mode == 1 || mode == 3 || mode == 5) && device != sw.OldChan) {
            return true;
        }
    }
    const int z = sw.zerolink[static_cast<size_t>(c)][2];
    if (z >= 1 && z <= s.nChan && s.Sample >= 1) {
        const int32_t at = z >= c ? s.Sample - 1 : s.Sample;
        return p.store.get(z, at) == sw.DeviceSwitchZeroValue;
    }
    return false;
}

// --- store ---

// The value recorded for channel c: the final value when the special operation asks for it,
// else the equation's value. A value of exactly 0 is stored as 0, so no slot keeps a value of an
// earlier recording.
void storeChannel(Program& p, int c, float value, float beforeSpecial) {
    const bool storeSpecial =
        (static_cast<int>(p.conversion.SpecialOps[static_cast<size_t>(c)][10]) & 1) != 0;
    const float stored = storeSpecial ? value : (value == 0.0f ? 0.0f : beforeSpecial);
    p.store.set(c, p.session.Sample, stored);
}

// --- show ---

std::string switchingText(const Program& p, int c, float v, bool continuous) {
    const SwitchingState& sw = p.switching;
    const Session& s = p.session;
    int device = static_cast<int>(p.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber]);
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
    if (sw.RefIsON != 0) {
        return continuous ? " ref" + std::to_string(ref) : "ref" + std::to_string(ref) + "    ";
    }
    if (v == 0.0f) {
        return continuous ? " zeroed     " : " zeroed ";
    }
    return std::to_string(device) + (continuous ? " ON " : " ON      ");
}

bool showsSwitching(const Program& p, int c, bool continuous) {
    const Session& s = p.session;
    if (s.SwitchingMode <= 0 || s.ShowDisplays == 0 || p.prefs[kPrefSwitchingStatusInPlots] == 0) {
        return false;
    }
    const int device = static_cast<int>(p.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber]);
    return device != 0 || (continuous && c == static_cast<int>(p.channels.Nvar[0][0]));
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

// The texts of channel c's switching field and read-out (with the slope sign of the samples
// stored up to this scan).
void describeChannel(const Program& p, int c, bool continuous, ChannelScan& out) {
    const float v = out.value;
    out.showSwitching = showsSwitching(p, c, continuous);
    if (out.showSwitching) {
        out.switchingText.assign(switchingText(p, c, v, continuous));
    }
    out.showReadout = p.session.ShowDisplays != 0;
    if (out.showReadout) {
        if (v == 0.0f) {
            out.readout.assign("   zero");
        } else {
            char text[kNumberTextCapacity];
            // Rounded to the chosen significant digits (View > Significant Digits).
            out.readout.assign({text, StringFormatter(text, roundSignificant(readoutValue(v),
                                                                             p.session.SigFigs))});
        }
        const auto& alarmRow = p.alarm.alarms[static_cast<size_t>(c)];
        if (alarmRow[21] != 0.0f) {
            out.readout.append(
                slopeSuffix(p.store, c, p.session.Sample, static_cast<int>(alarmRow[22])));
        }
    }
}

// Hands the scan's texts to the window (none are shown while displays are off) and draws its
// trace.
void showScan(Program& p, Platform& io, ChartHooks& hooks, const ScanResult& scan) {
    for (int c = scan.first; p.session.ShowDisplays != 0 && c <= scan.last; ++c) {
        const ChannelScan& ch = scan.channels[static_cast<size_t>(c)];
        if (ch.showStatus) {
            hooks.showChannelStatus(c, ch.statusText, ch.alarmed);
        }
        if (ch.showSwitching) {
            hooks.showSwitchingStatus(c, ch.switchingText.view());
        }
        if (ch.showReadout) {
            hooks.showReadout(c, ch.readout.view());
        }
    }
    drawScan(p, io.canvas, scan);
}

// Convert → check → store → describe for one channel's reading. Channels go in order: a channel's
// conversion (flow from an earlier channel) and substitution (zero link to an earlier channel) use
// the values stored before it in the same scan.
void takeChannel(Program& p, Platform& io, int c, ChannelReading r, bool continuous,
                 ChannelScan& out) {
    const ConvertedValue cv = ConvertChannelVolts(p, c, r.volts);
    out.value = cv.value;
    out.showStatus = out.alarmed = false;
    checkAlarms(p, io, c, cv.value, r.overRange, continuous, out);
    float recorded = cv.beforeSpecial;
    if (isUnread(p, c)) {
        out.value = recorded = p.switching.DeviceSwitchZeroValue;
    }
    storeChannel(p, c, out.value, recorded);
    describeChannel(p, c, continuous, out);
}

// The scan's frame: first channel (2 in scope-plus-chart mode, whose channel 1 is the scope's),
// last channel and pen column.
ScanResult newScan(const Program& p) {
    const Session& s = p.session;
    ScanResult scan;
    scan.first = s.RecordingMODE == 3 ? 2 : 1;
    scan.last = s.nChan;
    scan.column = static_cast<int>(s.NscrnCASEs / s.ChartView);
    return scan;
}

void endScan(Program& p) {
    ++p.session.Sample;
    p.chart.markerFlag = 0;
}

}  // namespace

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
    ScanResult scan = newScan(p);
    const DeviceInfo& device = deviceInfo(p.device.External_AD);
    for (int c = scan.first; c <= scan.last; ++c) {
        takeChannel(p, io, c, readChannel(p, io, device, c), false,
                    scan.channels[static_cast<size_t>(c)]);
    }
    showScan(p, io, hooks, scan);
    if (p.alarm.AudibleALARM != 0) {
        io.sounds.play("AlarmBUZZ");
    }
    endScan(p);
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
    ScanResult scan = newScan(p);
    for (int c = scan.first; c <= scan.last; ++c) {
        takeChannel(p, io, c, ChannelReading{scanVolts(p, c), false}, true,
                    scan.channels[static_cast<size_t>(c)]);
    }
    showScan(p, io, hooks, scan);
    endScan(p);
}

// Reads every channel once into the continuous sums (one device scan).
void addDeviceScan(Program& p, Platform& io) {
    countScanPass(p.chart);
    const DeviceInfo& device = deviceInfo(p.device.External_AD);
    for (int c = 1; c <= p.session.nChan; ++c) {
        const float r = device.streaming ? readStreamChannel(p, io, device, c)
                                         : readDeviceChannel(p, io, device, c);
        addScanReading(p.conversion, c, r);
    }
}

void readLastChannelOnce(Program& p, Platform& io) {
    const int c = p.session.nChan;
    if (!isLastChannelContinuous(p, c) || deviceInfo(p.device.External_AD).streaming) {
        return;
    }
    addLastChannelReading(p.chart, readDeviceChannel(p, io, c), p.conversion.AbsVal != 0);
}

void GETDATA3(Program& p, Platform& io, ChartHooks& hooks) {
    Session& s = p.session;
    ScopeRunState& r = p.scope.run;
    ++s.Sample;
    ++s.NscrnCASEs;
    const int32_t ticks = io.clock.TickCount();
    s.TicsAtLastSample = ticks;
    s.TimeOfNextChartSample += s.ChartINTERVALinSECONDS;
    ScanResult scan = newScan(p);
    const float count = r.scope2total > 0 ? static_cast<float>(r.scope2total) : 1.0f;
    for (int c = scan.first; c <= scan.last && c < static_cast<int>(r.DataCache.size()); ++c) {
        const float volts = r.DataCache[static_cast<size_t>(c)] / count;
        r.DataCache[static_cast<size_t>(c)] = 0.0f;
        takeChannel(p, io, c, ChannelReading{volts, overRange(p, c, volts)}, false,
                    scan.channels[static_cast<size_t>(c)]);
    }
    showScan(p, io, hooks, scan);
    if (p.alarm.AudibleALARM != 0) {
        io.sounds.play("AlarmBUZZ");
    }
    p.chart.markerFlag = 0;
    r.ChartTimeCutoff = ticks + 1;
    if (s.ChartINTERVALinSECONDS > 1.0 / 60.0) {
        r.ChartTimeCutoff += static_cast<int32_t>(60.0 * s.ChartINTERVALinSECONDS);
    }
    r.scope2total = 0;
}

}  // namespace trindel
