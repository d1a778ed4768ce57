#include "run/interval_dialog.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "run/speed_limits.h"
#include "text/number_text.h"

namespace trindel {

namespace {

constexpr int kDT800 = 4;
constexpr int kUI2 = 1;

std::string threeDigits(double value) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 3);
    return std::string(buf, r.ptr);
}

}  // namespace

std::optional<double> intervalOfButton(int button, bool scopeDialog) {
    if (button >= 2 && button <= 5) {
        return (button - 1) * 0.01666667;
    }
    static const std::map<int, double> common{{6, 0.1},   {7, 0.25},  {8, 0.5},    {9, 1.0},
                                              {10, 2.0},  {11, 5.0},  {12, 10.0},  {15, 20.0},
                                              {31, 30.0}, {1, 0.008}, {67, 0.004}, {68, 0.002}};
    if (auto it = common.find(button); it != common.end()) {
        return it->second;
    }
    if (scopeDialog) {
        static const std::map<int, double> fast{
            {20, 0.004}, {21, 0.002}, {22, 0.001}, {23, 0.0005}, {24, 0.0002}};
        if (auto it = fast.find(button); it != fast.end()) {
            return it->second;
        }
    }
    return std::nullopt;
}

double typedInterval(std::string_view text, bool scopeDialog) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || !(value > 0.0) || !std::isfinite(value)) {
        return scopeDialog ? 0.0333333 : 5.0;
    }
    return value;
}

int32_t samplesForDuration(int32_t ticks, double interval, int32_t maximumSamples) {
    if (!(interval > 0.0)) {
        return maximumSamples;
    }
    const double samples = std::trunc(ticks * 0.01666667 / interval + 0.5);
    return static_cast<int32_t>(std::min<double>(maximumSamples, samples));
}

std::array<bool, 12> SETMINIMUM(double i, int32_t maximumSamples) {
    const double T = maximumSamples * i;
    std::array<bool, 12> on{};
    on[0] = i < 0.033 && 100 * i <= 5;
    on[1] = i < 0.1 && 100 * i <= 10;
    on[2] = i < 0.1 && 100 * i <= 30;
    on[3] = T >= 60 && 100 * i <= 60;
    on[4] = T >= 300;
    on[5] = T >= 600;
    on[6] = T >= 1200;
    on[7] = T >= 1800;
    on[8] = 100 * i <= 3600;
    on[9] = T >= 21600;
    on[10] = T >= 43200;
    on[11] = T >= 86400;
    return on;
}

std::string durationText(double seconds) {
    if (seconds > 172400.0) {
        return "  Duration " + threeDigits(seconds / 86400.0) + " days";
    }
    if (seconds > 7200.0) {
        return "  Duration " + threeDigits(seconds / 3600.0) + " hours";
    }
    if (seconds > 600.0) {
        return "  Duration " + threeDigits(seconds / 60.0) + " min ";
    }
    return "  Duration " + threeDigits(seconds) + " sec  ";
}

IntervalDialog::IntervalDialog(Program& p, std::string_view title)
    : p_(p), scope_(title == "OSCILLOSCOPE") {
    Session& s = p.session;
    width_ = p.prefs[kPrefWindowWidth];
    if (s.MaxSamples == 0) {
        s.MaxSamples = width_;
    }
    maxSamples_ = s.MaxSamples;
    scopeMax_ = p.session.ScopeMax == 0 ? width_ : p.session.ScopeMax;
    if (scope_) {
        windowTitle_ = "Scope Sample Rate";
        s.SampleIntervalinSeconds = s.OldScopeSpeed;
        button_ = s.OldScopeSpeedBut;
    } else {
        const int n = s.RecordingMODE == 3 ? s.nChan - 1 : s.nChan;
        windowTitle_ = std::string(title) + "  (" + runtimeText(n) + " total )";
        s.SampleIntervalinSeconds = s.OldChartSpeed;
        button_ = s.OldChartSpeedBut;
    }
}

bool IntervalDialog::buttonOffered(int button) const {
    if ((button >= 2 && button <= 13) || button == 15 || button == 31) {
        return true;
    }
    const int device = p_.device.External_AD;
    if (!scope_) {
        return (button == 68 || button == 67 || button == 1) && device != kDT800;
    }
    if (p_.session.RecordingMODE == 3) {
        return false;
    }
    if (device == kUI2) {
        return button == 67 || button == 1;
    }
    return button == 1 || (button >= 20 && button <= 24);
}

void IntervalDialog::pressIntervalButton(int button) {
    if (!buttonOffered(button) || button == 13) {
        return;
    }
    const auto value = intervalOfButton(button, scope_);
    if (!value) {
        return;
    }
    button_ = button;
    p_.session.SampleIntervalinSeconds = *value;
    if (scope_ && p_.device.External_AD == kDT800) {
        int32_t cap = 16384;
        if (*value == 0.008) {
            cap = 2048;
        } else if (*value == 0.004) {
            cap = 4096;
        } else if (*value == 0.002) {
            cap = 8192;
        }
        p_.session.MaximumScopeSamples = cap;
        scopeMax_ = std::min(scopeMax_, cap);
    }
}

void IntervalDialog::typeInterval(std::string_view text) {
    const double v = typedInterval(text, scope_);
    p_.session.SampleIntervalinSeconds = v;
    p_.chart.NewInterval = static_cast<float>(v);
    button_ = 13;
    (scope_ ? p_.chart.AltScopeInt : p_.chart.AltChartInt) = 1;
}

void IntervalDialog::pressSamples(SamplesButton b) {
    const int32_t W = width_;
    const int32_t M = p_.session.MaximumSamples;
    int64_t v = maxSamples_;
    switch (b) {
        case SamplesButton::Min:
            v = W;
            break;
        case SamplesButton::Max:
            v = M;
            break;
        case SamplesButton::DownWidth:
            v -= W;
            break;
        case SamplesButton::UpWidth:
            v += W;
            break;
        case SamplesButton::DownHalf:
            v -= W / 2;
            break;
        case SamplesButton::UpHalf:
            v += W / 2;
            break;
        case SamplesButton::Minus50:
            v -= 50;
            break;
        case SamplesButton::Minus10:
            v -= 10;
            break;
        case SamplesButton::Minus1:
            v -= 1;
            break;
        case SamplesButton::Plus1:
            v += 1;
            break;
        case SamplesButton::Plus10:
            v += 10;
            break;
        case SamplesButton::Plus50:
            v += 50;
            break;
        case SamplesButton::Times2:
            v *= 2;
            break;
        case SamplesButton::Times10:
            v *= 10;
            break;
        case SamplesButton::Half:
            v /= 2;
            break;
        case SamplesButton::Tenth:
            v /= 10;
            break;
    }
    setSamples(v);
}

void IntervalDialog::setSamples(int64_t v) {
    buzzed_ = false;
    lowDisabled_ = false;
    if (v > p_.session.MaximumSamples) {
        v = p_.session.MaximumSamples;
    }
    if (v < 10) {
        v = 10;
        buzzed_ = true;
        lowDisabled_ = true;
    }
    maxSamples_ = static_cast<int32_t>(v);
}

bool IntervalDialog::typeSamples(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    int64_t v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size()) {
        return false;
    }
    if (error == std::errc::result_out_of_range) {
        v = text.front() == '-' ? 0 : std::numeric_limits<int64_t>::max();
    }
    setSamples(v);
    return true;
}

bool IntervalDialog::samplesEnabled(SamplesButton b) const {
    const int64_t v = maxSamples_;
    const int64_t W = width_;
    const int64_t M = p_.session.MaximumSamples;
    switch (b) {
        case SamplesButton::DownWidth:
            return !lowDisabled_ && v >= W + 10;
        case SamplesButton::DownHalf:
            return !lowDisabled_ && v >= W / 2 + 10;
        case SamplesButton::UpHalf:
            return v <= M - W / 2;
        case SamplesButton::UpWidth:
            return v <= M - W;
        case SamplesButton::Max:
            return v < M;
        case SamplesButton::Times2:
            return v <= M / 2;
        case SamplesButton::Times10:
            return v <= M / 10;
        case SamplesButton::Half:
            return v > 19;
        case SamplesButton::Tenth:
            return v > 99;
        case SamplesButton::Minus50:
            return !lowDisabled_ && v > 60;
        case SamplesButton::Minus10:
        case SamplesButton::Minus1:
            return !lowDisabled_ && v > 9;
        case SamplesButton::Plus1:
        case SamplesButton::Plus10:
        case SamplesButton::Plus50:
            return v <= M;
        case SamplesButton::Min:
            return true;
    }
    return true;
}

void IntervalDialog::pressSweep(SweepButton b) {
    const int32_t W = width_;
    const int32_t M = p_.session.MaximumScopeSamples;
    switch (b) {
        case SweepButton::Min:
            scopeMax_ = W;
            break;
        case SweepButton::Down:
            if (scopeMax_ >= 2 * W) {
                scopeMax_ -= W;
            }
            break;
        case SweepButton::Up:
            if (scopeMax_ <= M - W) {
                scopeMax_ += W;
            }
            break;
        case SweepButton::Max:
            scopeMax_ = M;
            break;
    }
}

bool IntervalDialog::sweepEnabled(SweepButton b) const {
    if (b == SweepButton::Min || b == SweepButton::Down) {
        return scopeMax_ != width_;
    }
    return scopeMax_ != p_.session.MaximumScopeSamples;
}

void IntervalDialog::pressDuration(int index) {
    if (index < 0 || index >= 12 || !durationsOffered()[static_cast<size_t>(index)]) {
        return;
    }
    maxSamples_ = samplesForDuration(kDurationTicks[static_cast<size_t>(index)], interval(),
                                     p_.session.MaximumSamples);
}

std::vector<std::string> IntervalDialog::PRINTTRACE() {
    if (button_ != 13) {
        (scope_ ? p_.chart.AltScopeInt : p_.chart.AltChartInt) = 0;
    }
    const double length = interval() * (scope_ ? scopeMax_ : maxSamples_);
    p_.chart.TraceLength = length;
    p_.chart.minute_units = length > 600.0 ? 1 : 0;
    std::vector<std::string> lines{durationText(length)};
    if (!scope_) {
        lines.push_back(MaxDURATION(p_.session.MaximumSamples, interval()));
        if (p_.device.DemonstrationMODE == 0 && p_.session.nChan * 0.02 > interval()) {
            for (auto& l : SPEEDWARN(p_.session.nChan)) {
                lines.push_back(l);
            }
        }
    } else if (p_.prefs[kPrefFastScope] != 0) {
        double n = std::trunc(scopeMax_ / 300.0);
        if (interval() > 0.001) {
            n *= interval() / 0.001;
        }
        lines.push_back("download time:");
        lines.push_back("about" + runtimeText(n) + " seconds");
    }
    return lines;
}

IntervalDialog::MenuEffects IntervalDialog::selectionOK() {
    Session& s = p_.session;
    MenuEffects m;
    const double i = interval();
    if (scope_) {
        if (button_ == 1 || (button_ >= 20 && button_ <= 24)) {
            p_.prefs[kPrefFastScope] = 1;
            if (button_ == 1) {
                s.scopeinterval = 0.008f;
            }
        } else if ((button_ >= 2 && button_ <= 15) || button_ == 31 || button_ == 67 ||
                   button_ == 68) {
            p_.prefs[kPrefFastScope] = 0;
        }
        p_.session.ScopeMax = scopeMax_;
        s.OldScopeSpeed = i;
        s.OldScopeSpeedBut = static_cast<int16_t>(button_);
    } else {
        s.MaxSamples = maxSamples_;
        s.OldChartSpeed = i;
        s.OldChartSpeedBut = static_cast<int16_t>(button_);
    }
    if (p_.prefs[kPrefFastScope] != 0) {
        for (int c = 1; c <= kMaxChannels; ++c) {
            p_.channels.Nvar[static_cast<size_t>(c)][kSamplesToAverage] = c == 1 ? 1.0f : 10.0f;
        }
    }
    if (i < 0.2) {
        p_.prefs[kPrefBeepAtSample] = 0;
    } else {
        m.beepItemEnabled = s.RecordingMODE == 1 || s.RecordingMODE == 3;
        m.beepItemChecked = p_.prefs[kPrefBeepAtSample] != 0;
    }
    m.menu3Item15Enabled = i >= 0.033333;
    if (!scope_ && s.RecordingMODE == 1 && p_.device.External_AD == kDT800 && i < 0.1) {
        p_.device.DT800FastAcquisitionMode = 1;
        m.dt800HighSpeed = true;
    } else {
        p_.device.DT800FastAcquisitionMode = 0;
        m.dt800LowSpeed = p_.device.External_AD == kDT800;
    }
    const double chartInterval = scope_ ? s.ChartINTERVALinSECONDS : i;
    p_.chart.MaxAvrg = MAXAVERAGE(chartInterval, s.nChan, p_.device.External_AD != 0);
    if (p_.prefs[kPrefLastChannelContinuous] != 0 && s.nChan >= 1) {
        p_.channels.Nvar[static_cast<size_t>(s.nChan)][kSamplesToAverage] = 0.0f;
    }
    return m;
}

}  // namespace trindel
