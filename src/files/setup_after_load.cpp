// The steps that follow reading a set-up file: they derive the scope, trigger, time-axis and
// switching values the file does not carry, and fit the channel layout to this screen.
#include <cmath>

#include "files/setup_file.h"

namespace trindel {

ScopeGainScale scopeGainScale(int16_t ScopeGain, bool sixteenBitBoard) {
    if (sixteenBitBoard) {
        switch (ScopeGain) {
            case 2:
                return {6553.0f, 5.0f};
            case 10:
                return {32765.0f, 1.0f};
            case 100:
                return {327650.0f, 0.1f};
            default:
                return {3276.5f, 10.0f};
        }
    }
    switch (ScopeGain) {
        case 2:
            return {819.2f, 2.5f};
        case 5:
            return {2048.0f, 1.0f};
        case 10:
            return {4096.0f, 0.5f};
        case 20:
            return {8192.0f, 0.25f};
        case 50:
            return {20480.0f, 0.1f};
        case 100:
            return {40960.0f, 0.05f};
        default:
            return {409.6f, 5.0f};
    }
}

int16_t triggerGainFor(float triggerval) {
    const float level = std::fabs(triggerval);
    int16_t gain = 100;
    if (level >= 0.05f)
        gain = 50;
    if (level >= 0.1f)
        gain = 20;
    if (level >= 0.25f)
        gain = 10;
    if (level >= 0.5f)
        gain = 5;
    if (level >= 1.0f)
        gain = 2;
    if (level >= 2.5f)
        gain = 1;
    return gain;
}

namespace {

void fitLayoutToScreen(Program& p, const SetupLoadContext& ctx, int16_t fileWidth) {
    const auto relayout = [&]() {
        if (ctx.relayoutChannels) {
            ctx.relayoutChannels(p);
        }
    };
    if (p.session.nChan < 1 || p.session.nChan > kMaxChannels) {
        return;
    }
    const auto& lastRow = p.channels.Nvar[static_cast<size_t>(p.session.nChan)];
    if (lastRow[kBandBottom] > static_cast<float>(ctx.screenHeight)) {
        relayout();
    }
    const float bottom = lastRow[kBandBottom];
    if (!(static_cast<float>(p.prefs[kPrefWindowHeight] - 30) > bottom)) {
        return;
    }
    if (p.view.ShowXYPlot != 0) {
        relayout();
        return;
    }
    const int choice = ctx.askScreenSizeMismatch ? ctx.askScreenSizeMismatch() : 1;
    // The file's size is taken only when it is a size this screen can show.
    const bool usable = std::isfinite(bottom) && bottom >= 0.0f &&
                        bottom + 30.0f <= static_cast<float>(ctx.screenHeight);
    if (choice == 2 && usable) {
        p.prefs[kPrefWindowHeight] = static_cast<int16_t>(bottom + 30.0f);
        if (fileWidth > 0 && fileWidth <= ctx.screenWidth) {
            p.prefs[kPrefWindowWidth] = fileWidth;
        }
    } else {
        relayout();
    }
}

void setTimeAxis(Program& p) {
    Session& s = p.session;
    ViewState& v = p.view;
    s.scopeinterval = static_cast<float>(s.ScopeINTERVALinSECONDS);
    s.ChartSampleInterval = static_cast<float>(s.ChartINTERVALinSECONDS);
    v.TraceLength = static_cast<float>(s.MaxSamples * s.ChartINTERVALinSECONDS);
    const int width = p.prefs[kPrefWindowWidth];
    v.tfact = width > 0 ? v.TraceLength / static_cast<float>(width) : 0.0f;
    v.minute_units = v.TraceLength >= 600.0f ? 1 : 0;
    if (v.minute_units != 0) {
        v.tfact /= 60.0f;
    }
}

void setSpeedSelectors(Session& s) {
    const long long micros = std::llround(s.ScopeINTERVALinSECONDS * 1e6);
    struct ScopeButton {
        long long micros;
        int16_t button, tb, sint;
    };
    static constexpr ScopeButton kScope[] = {
        {2000, 28, 0, 0},    {4000, 29, 0, 0},     {8000, 1, 0, 0},    {16667, 2, 0, 0},
        {33333, 3, 0, 0},    {50000, 4, 0, 0},     {66667, 5, 0, 0},   {100000, 6, 0, 0},
        {250000, 7, 0, 0},   {500000, 8, 0, 0},    {1000000, 9, 0, 0}, {2000000, 10, 0, 0},
        {5000000, 11, 0, 0}, {10000000, 12, 0, 0}, {1000, 22, 3, 10},  {500, 23, 3, 5},
        {200, 24, 3, 2},     {100, 25, 2, 10},     {50, 26, 2, 5},     {20, 27, 2, 2},
    };
    bool found = false;
    for (const ScopeButton& b : kScope) {
        if (b.micros == micros) {
            s.OldScopeSpeedBut = b.button;
            if (b.tb != 0) {
                s.tb = b.tb;
                s.sint = b.sint;
            }
            found = true;
        }
    }
    if (!found) {
        s.speed = 13;
    }

    const double ticks = s.ChartINTERVALinSECONDS * 60.0;
    const double whole = std::round(ticks);
    const bool isWhole = std::fabs(ticks - whole) < 1e-4;
    int16_t button = 13;
    if (ticks < 1.0) {
        button = 1;
    } else if (isWhole) {
        switch (static_cast<int>(whole)) {
            case 1:
            case 2:
            case 3:
            case 4:
                button = static_cast<int16_t>(whole + 1);
                break;
            case 6:
                button = 6;
                break;
            case 15:
                button = 7;
                break;
            case 30:
                button = 8;
                break;
            case 60:
                button = 9;
                break;
            case 120:
                button = 10;
                break;
            case 300:
                button = 11;
                break;
            case 600:
                button = 12;
                break;
            default:
                break;
        }
    }
    s.OldChartSpeedBut = button;
    s.OldScopeSpeed = s.ScopeINTERVALinSECONDS;
    s.OldChartSpeed = s.ChartINTERVALinSECONDS;
}

}  // namespace

void afterSetupLoaded(Program& p, const SetupLoadContext& ctx, int16_t fileWidth) {
    fitLayoutToScreen(p, ctx, fileWidth);
    if (p.session.RecordingMODE != 1) {
        const ScopeGainScale scale =
            scopeGainScale(p.view.ScopeGain, p.device.sixteenBitBoard != 0);
        p.view.scd = scale.scd;
        p.view.Vmax = scale.Vmax;
    }
    p.trigger.TriggerGain = triggerGainFor(p.trigger.triggerval);
    setTimeAxis(p);
    setSpeedSelectors(p.session);
    if (ctx.recomputeMaxAverage) {
        ctx.recomputeMaxAverage(p);
    }
    const int16_t mode = p.session.SwitchingMode;
    p.switching.nGroups = (mode == 2 || mode == 4 || mode == 6 || mode == 8) ? 2 : 0;
    p.switching.ReferenceValve = static_cast<int16_t>(p.switching.RefChan - 1);
    if (p.view.CustomTic != 0.0 && std::isfinite(p.view.CustomTic)) {
        p.view.CustomTic = std::trunc(p.view.CustomTic * 1e5) / 1e5;
    }
    if (p.prefs[kPrefChartViewStyle] >= 4 || p.prefs[kPrefChartViewStyle] < 0) {
        p.prefs[kPrefChartViewStyle] = 0;
    }
}

}  // namespace trindel
