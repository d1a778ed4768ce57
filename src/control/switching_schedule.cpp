#include "control/switching_schedule.h"

#include "text/number_text.h"

namespace trindel {

namespace {

bool markersAtSwitch(const Program& p) {
    return p.prefs[kPrefMarkerAtDeviceSwitch] != 0;
}

bool anyDeviceInUse(const Program& p, int first, int last) {
    for (int d = std::max(first, 1); d <= std::min(last, 8); ++d) {
        if (p.channels.Nvar[static_cast<size_t>(d)][kDeviceNumber] > 0.0f) {
            return true;
        }
    }
    return false;
}

void referenceIfOff(Program& p, SwitchEffects& fx) {
    if (p.switching.RefIsON == 0) {
        SWITCHTOREFERENCE(p, fx);
        if (markersAtSwitch(p)) {
            fx.insertMarker(switchMarkerCode(p, 'R'));
        }
    }
}

}  // namespace

void startSwitchingSchedule(Program& p, int32_t T, float factor, bool restart) {
    SwitchingState& sw = p.switching;
    const Session& s = p.session;
    sw.RefOffTime = addMinutesAsTicks(T, sw.refint);
    const float full = static_cast<float>(T) + static_cast<float>(s.MaxSamples) *
                                                   static_cast<float>(s.ChartINTERVALinSECONDS) *
                                                   factor;
    sw.RefOnTime = ticksFromFloat(full - 3600.0f * sw.refint);
    if (!(restart && s.SwitchingMode == 9)) {
        sw.PresentChan = 0;
        sw.PresentChan2 = 0;
    }
    if (s.SwitchingMode != 0) {
        SELECTNEXTVALVE(p);
        sw.OldChan = sw.SampleValve;
        sw.OldChan2 = sw.SampleValve2;
    } else {
        sw.RefOffTime = sw.RefOnTime = kNeverTicks;
    }
}

void switchingPass(Program& p, SwitchEffects& fx, int32_t now) {
    SwitchingState& sw = p.switching;
    const int mode = p.session.SwitchingMode;
    if (mode <= 0) {
        return;
    }
    sw.tick = now;
    const bool timedSample = mode == 3 || mode == 4 || mode == 7 || mode == 8 || mode == 9;
    const bool cycling = mode == 5 || mode == 6 || mode == 10;
    if (timedSample && sw.tick >= sw.RefOffTime) {
        SWITCHTOSAMPLE(p, fx);
        if (markersAtSwitch(p)) {
            fx.insertMarker(switchMarkerCode(p, 'S'));
        }
    }
    if (cycling && sw.tick >= sw.RefOffTime) {
        const int d = sw.SampleValve;
        CYCLECHANNELS(p, fx);
        if (markersAtSwitch(p)) {
            fx.insertMarker(mode == 10 ? 48 + d : switchMarkerCode(p, 'S'));
        }
    }
    if (sw.tick >= sw.RefOnTime) {
        if (mode == 10) {
            const bool after = anyDeviceInUse(p, sw.PresentChan, 8);
            const bool before = sw.PresentChan > 1 && anyDeviceInUse(p, 1, sw.PresentChan - 1);
            if (sw.SkipRefsBetweenChannels != 0 && after && before) {
                sw.RefOffTime = sw.tick;
                return;
            }
        }
        referenceIfOff(p, fx);
    }
}

void scopeChartSwitchingPass(Program& p, SwitchEffects& fx, int32_t now) {
    SwitchingState& sw = p.switching;
    if (p.session.SwitchingMode == 0) {
        return;
    }
    if (now >= sw.RefOffTime) {
        SWITCHTOSAMPLE(p, fx);
        if (markersAtSwitch(p)) {
            fx.insertMarker(switchMarkerCode(p, 'S'));
        }
    }
    if (now >= sw.RefOnTime) {
        referenceIfOff(p, fx);
    }
}

std::optional<std::string> TimeNextREF(const Program& p, int32_t now) {
    if (p.session.SwitchingMode < 3) {
        return std::nullopt;
    }
    const float m = static_cast<float>(p.switching.RefOnTime - static_cast<int64_t>(now)) / 3600.0f;
    std::string text = "Next reference in ";
    if (m < 1.0f) {
        text += pictureText(m * 60.0f, "##") + " seconds";
    } else if (m < 100.0f) {
        text += pictureText(m, "##.##") + " minutes";
    } else if (m <= 120.0f) {
        text += pictureText(m, "###.##") + " minutes";
    } else {
        const float h = m / 60.0f;
        text += pictureText(h, h > 99.0f ? "###.#" : "##.##") + " hours";
    }
    return text;
}

bool channelDeviceUnread(const Program& p, int c) {
    const SwitchingState& sw = p.switching;
    const int device = deviceOfRow(p, c);
    if (sw.RefIsON != 0 || device == 0) {
        return false;
    }
    switch (p.session.SwitchingMode) {
        case 2:
        case 4:
        case 6:
            return device != sw.OldChan && device != sw.OldChan2;
        case 1:
        case 3:
        case 5:
            return device != sw.OldChan;
        default:
            return false;
    }
}

void sampleKey(Program& p, SwitchEffects& fx) {
    KeyboardSampleON(p, fx);
    if (markersAtSwitch(p)) {
        fx.insertMarker(switchMarkerCode(p, 'S'));
    }
}

void referenceKey(Program& p, SwitchEffects& fx, int32_t now) {
    KeyboardReferenceON(p, fx, now);
    if (markersAtSwitch(p)) {
        fx.insertMarker(switchMarkerCode(p, 'R'));
    }
}

}  // namespace trindel
