// The field order of a "-9997" set-up file, shared by the writer and the reader: one function
// walks the fields, and the IO it is given either writes each value or reads it in place.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "files/byte_reader.h"
#include "files/byte_writer.h"
#include "files/setup_file.h"

namespace trindel::setup_fields {

// Writes every field of the walk.
struct Out {
    static constexpr bool kReading = false;
    ByteWriter& w;
    void i16(int16_t& v, const char*) { w.be16(v); }
    void i32(int32_t& v, const char*) { w.beInt32(v); }
    void f32(float& v, const char*) { w.beFloat(v); }
    void f64(double& v, const char*) { w.beDouble(v); }
    void text(std::string& v, size_t, const char*) { w.countedText(v); }
    void ignoredI16(int16_t written, const char*) { w.be16(written); }
    void ignoredI32(int32_t written, const char*) { w.beInt32(written); }
    void ignoredF32(float written, const char*) { w.beFloat(written); }
    bool hasMore() const { return true; }
};

// Reads every field of the walk into the values it names.
struct In {
    static constexpr bool kReading = true;
    ByteReader r;
    void i16(int16_t& v, const char* what) { v = r.be16(what); }
    void i32(int32_t& v, const char* what) { v = r.beInt32(what); }
    void f32(float& v, const char* what) { v = r.beFloat(what); }
    void f64(double& v, const char* what) { v = r.beDouble(what); }
    void text(std::string& v, size_t keep, const char* what) {
        v = r.countedText(what);
        if (v.size() > keep) {
            v.resize(keep);
        }
    }
    void ignoredI16(int16_t, const char* what) { r.be16(what); }
    void ignoredI32(int32_t, const char* what) { r.be32(what); }
    void ignoredF32(float, const char* what) { r.be32(what); }
    bool hasMore() const { return r.remaining() > 0; }
};

// An i16 preference word.
template <class IO>
void pref(IO& io, SetupState& s, int index, const char* what) {
    io.i16(s.prefs[index], what);
}

// Checks a value right after it is read, so a fault stops the read before it is used.
inline void require(bool condition, const std::string& message) {
    if (!condition) {
        throw FileFormatError(message);
    }
}

// Fields 2 to 70, after the header line. `fileWidth` is field 53's value.
template <class IO>
void walk(IO& io, SetupState& s, int16_t& fileWidth) {
    Session& se = s.session;
    ChannelTable& ch = s.channels;
    auto& nvar = ch.Nvar;
    constexpr bool reading = IO::kReading;

    io.i16(se.RecordingMODE, "recording mode");
    if (reading) {
        require(se.RecordingMODE >= 1 && se.RecordingMODE <= 3,
                "recording mode " + std::to_string(se.RecordingMODE) + " is not 1, 2 or 3");
    }
    io.i16(se.nChan, "number of channels");
    if (reading) {
        require(se.nChan >= 1 && se.nChan <= kMaxChannels,
                "number of channels " + std::to_string(se.nChan) + " is outside 1 to 16");
    }
    const int nChan = se.nChan;

    float chart = static_cast<float>(se.ChartINTERVALinSECONDS * 60.0);
    float scope = static_cast<float>(se.ScopeINTERVALinSECONDS * 60.0);
    io.f32(chart, "chart interval");
    io.f32(scope, "scope interval");
    if (reading) {
        require(std::isfinite(chart) && chart > 0.0f, "impossible chart interval");
        require(std::isfinite(scope) && scope > 0.0f, "impossible scope interval");
        se.ChartINTERVALinSECONDS = static_cast<double>(chart) / 60.0;
        se.ScopeINTERVALinSECONDS = static_cast<double>(scope) / 60.0;
    }
    io.i16(se.SwitchingMode, "switching mode");
    if (reading) {
        require(se.SwitchingMode >= 0 && se.SwitchingMode <= 10,
                "switching mode " + std::to_string(se.SwitchingMode) + " is outside 0 to 10");
    }
    const bool mode9 = se.SwitchingMode == 9;
    io.f32(s.switching.switchint, "switching interval");
    io.f32(s.switching.refint, "reference interval");
    io.i16(s.switching.RefChan, "reference channel");
    io.text(ch.datalabel, 242, "labels of channels 1 to 8");
    if (nChan > 8) {
        io.text(ch.datalabel2, 242, "labels of channels 9 to 16");
    }
    for (int c = 1; c <= nChan; ++c) {
        for (int e = 1; e <= 13; ++e) {
            io.f32(nvar[c][e], "channel records");
            if (reading && e >= kCoeffA && e <= kCoeffC) {
                // A coefficient that is not a number would fill the recording with NaN or INF.
                require(std::isfinite(nvar[c][e]),
                        "channel " + std::to_string(c) + " coefficient " +
                            std::string(1, static_cast<char>('a' + (e - kCoeffA))) +
                            " is not a finite number");
            }
        }
    }
    if (mode9) {
        io.f32(nvar[0][0], "switching block");
        for (int row = 1; row <= 8; ++row) {
            io.f32(nvar[row][kDeviceNumber], "switching block");
        }
    }
    io.i16(s.view.ScopeGain, "scope gain");
    io.i32(se.MaxSamples, "maximum samples");
    if (reading) {
        require(se.MaxSamples >= 0 && se.MaxSamples <= 2000000,
                "maximum samples " + std::to_string(se.MaxSamples) + " is outside 0 to 2000000");
    }
    io.i16(s.trigger.TriggerON, "trigger on");
    io.i16(s.trigger.TriggerChan, "trigger channel");
    io.f32(s.trigger.triggerval, "trigger level");
    io.i16(s.trigger.TriggerMode, "trigger mode");
    io.f32(se.ChartView, "chart view");
    io.i32(se.ScopeMax, "scope samples");
    if (reading) {
        require(se.ScopeMax >= 0 && se.ScopeMax < 131069,
                "scope samples " + std::to_string(se.ScopeMax) + " is outside 0 to 131068");
    }
    io.i16(s.switching.RefChan2, "second reference channel");
    io.i16(s.view.ScopeScale, "scope scale");
    io.ignoredI16(0, "reserved");
    for (int e : {0, 1, 2, 3, 5, 6}) {
        io.f32(s.conversion.polyarray[0][e], "polynomial record 0");
    }
    io.ignoredI16(s.device.External_AD, "device code");
    io.ignoredI16(0, "reserved");
    for (int i : {1, 2, 22}) {
        pref(io, s, i, "preference flags");
    }
    io.ignoredI16(s.device.ActiveSerialPort, "serial port");
    pref(io, s, 44, "autorepeat");
    io.i16(s.conversion.AbsVal, "absolute value averaging");
    io.i16(s.alarm.AudibleALARM, "audible alarms");
    for (int k = 1; k <= 16; ++k) {
        io.f32(nvar[0][k], "alarm block A");
        for (int e = 0; e <= 5; ++e) {
            io.f32(s.alarm.alarms[k][e], "alarm block A");
        }
    }
    io.i16(s.trigger.TriggerSaveCount, "trigger save count");
    io.i16(s.trigger.TriggerSequence, "trigger sequence");
    pref(io, s, 23, "preference flags");
    pref(io, s, 5, "preference flags");
    io.f64(s.view.CustomTic, "custom tick interval");
    pref(io, s, 6, "preference flags");
    pref(io, s, 42, "preference flags");
    io.ignoredI16(s.prefs[3], "preference flags");
    io.i16(s.view.ScopeViewSTEP, "scope view step");
    if (mode9) {
        std::string labels = s.switching.prefix.substr(0, 160);
        labels.resize(160, ' ');
        io.text(labels, 255, "device labels");
        if (reading) {
            labels.resize(std::max<size_t>(labels.size(), 160), ' ');
            s.switching.prefix = labels;
        }
    }
    for (int c = 1; c <= nChan; ++c) {
        for (int w = 0; w < 5; ++w) {
            io.i16(s.device.DataTakerChannels[c][w], "device input codes");
        }
    }
    pref(io, s, 28, "automatic backup");
    io.i32(se.TimedSaveINTERVAL, "timed-save interval");
    io.i16(s.switching.zerolink[0][0], "zero links");
    for (int i = 0; i <= 16; ++i) {
        io.i16(s.switching.zerolink[i][1], "zero links");
        io.i16(s.switching.zerolink[i][2], "zero links");
    }
    io.ignoredI32(s.device.Digital_Port, "digital port");
    io.i32(se.Max_Display_Speed, "read-out speed");
    pref(io, s, 4, "chart view style");
    AudibleTimerState& t = s.audibleTimer;
    io.f32(s.alarm.StartAlertInt, "alert intervals");
    io.f32(t.StopAlertInt, "alert intervals");
    io.f32(t.ContinueAlertInt, "alert intervals");
    for (int16_t* v :
         {&t.StartALERT, &t.ContinueALERT, &t.StopALERTx, &t.StartAlertMODE, &t.ContAlertMODE,
          &t.StopAlertMODE, &t.StopAlertCASE, &t.AlertSOUNDS, &t.DOstartALERT, &t.DoStopALERT,
          &t.StartAlertCount, &t.StopAlertCount, &t.ContAlertCount, &t.ContAlertEnd, &t.AlertCount,
          &t.maxalerts, &s.alarm.StartAlertSound, &s.alarm.ContAlertSound,
          &s.alarm.StopAlertSound}) {
        io.i16(*v, "alert settings");
    }
    for (int32_t* v : {&t.StartAlertTime, &t.StopAlertTime, &t.ContAlertInt, &t.nextAlert}) {
        io.i32(*v, "alert times");
    }
    io.ignoredF32(0.0f, "reserved");
    io.ignoredI32(s.device.baudrate, "baud rate");
    pref(io, s, 40, "preference flags");
    pref(io, s, 30, "preference flags");
    fileWidth = s.prefs[kPrefWindowWidth];
    io.i16(fileWidth, "window width");
    for (int row = 1; row <= 22; ++row) {
        for (int e = 1; e <= 22; ++e) {
            io.f32(s.conversion.BPconvert[row][e], "breakpoint tables");
        }
    }
    pref(io, s, 31, "preference flags");
    for (int k = 1; k <= 16; ++k) {
        for (int e = 1; e <= 20; ++e) {
            io.f32(s.conversion.SpecialOps[k][e], "special operations");
        }
    }
    io.i16(s.view.ShowXYPlot, "XY plot");
    for (int k = 1; k <= 16; ++k) {
        for (int e = 1; e <= 10; ++e) {
            io.f32(s.view.XY[static_cast<size_t>(11 * k + e)], "XY settings");
        }
    }
    pref(io, s, 39, "preference flags");
    for (int k = 1; k <= 16; ++k) {
        for (int e = 6; e <= 22; ++e) {
            io.f32(s.alarm.alarms[k][e], "alarm block B");
        }
    }
    for (int i : {16, 17, 18}) {
        pref(io, s, i, "file format flags");
    }
    for (int i = 1; i <= 4; ++i) {
        io.i16(s.device.ADsensorType[i], "sensor types");
    }
    pref(io, s, 19, "preference flags");
    for (int row = 0; row <= 16; ++row) {
        for (int e = 0; e <= 6; ++e) {
            io.f32(s.conversion.polyarray[row][e], "polynomial table");
        }
    }
    for (int c = 1; c <= nChan; ++c) {
        io.f32(s.conversion.SpikeFilterArray[c], "spike-filter ratios");
    }
    io.i16(s.switching.ShowSwitchDeviceAsMarker, "switch markers");
    io.f32(s.conversion.ValueForZeroInGasExchange, "gas-exchange zero value");
    for (int i = 1; i <= 16; ++i) {
        io.i16(s.device.ADsensorType[i], "sensor types");
    }
    // Files from before the DT800 fast mode end here; they keep the values in force.
    if (io.hasMore()) {
        io.i16(s.device.DT800FastAcquisitionMode, "DT800 fast acquisition");
    }
    if (io.hasMore()) {
        io.i16(se.mainsfrequency, "mains frequency");
    }
}

}  // namespace trindel::setup_fields
