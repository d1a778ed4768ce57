#include "control/switching_engine.h"

#include <cmath>

namespace trindel {

namespace {

bool demonstration(const Program& p) {
    return p.device.DemonstrationMODE != 0;
}

int word3(const Program& p) {
    return p.prefs[kPrefDigitalControlMode];
}

bool isMode(int mode, std::initializer_list<int> modes) {
    for (int m : modes) {
        if (m == mode) {
            return true;
        }
    }
    return false;
}

// Connects device d (and d2 of group 2 with two groups) on the A-D device in use.
void selectDevice(Program& p, SwitchEffects& fx, int d, int d2) {
    if (demonstration(p)) {
        return;
    }
    SwitchingState& sw = p.switching;
    const int second = twoDeviceGroups(p) ? d2 : 0;
    const int code = p.device.External_AD;
    switch (code) {
        case kSwitchDT500:
        case kSwitchDT50:
        case kSwitchDT800:
            sw.DeviceInUse = static_cast<int16_t>(d);
            fx.send(dataTakerSwitchCommand(code, word3(p), d, second));
            break;
        case kSwitchUI2:
            fx.send(ui2SwitchCommand(word3(p), d, second));
            break;
        case kSwitchADAM:
            fx.send(adam4050SwitchCommand(d));
            break;
        case kSwitchADC1: {
            sw.cs.fill(0);
            if (d >= 1 && d <= 6) {
                sw.cs[static_cast<size_t>(d)] = 1;
            }
            if (second >= 1 && second <= 6) {
                sw.cs[static_cast<size_t>(second)] = 1;
            }
            if (word3(p) == 0) {
                const std::string answer = fx.send(adc1SwitchCommand(sw.cs));
                if (!answer.empty()) {
                    sw.chx = static_cast<int16_t>(static_cast<unsigned char>(answer[0]));
                }
            }
            break;
        }
        default:
            break;
    }
}

// The next qualifying row after `from`, cyclically over 1..count; 0 when none qualifies after
// one full pass.
template <typename Qualifies>
int nextRow(int from, int count, Qualifies qualifies) {
    if (count <= 0) {
        return 0;
    }
    for (int i = 1; i <= count; ++i) {
        const int row = ((from + i - 1) % count + count) % count + 1;
        if (qualifies(row)) {
            return row;
        }
    }
    return 0;
}

}  // namespace

int32_t ticksFromFloat(float ticks) {
    if (!(ticks < 2147483647.0f)) {
        return std::isnan(ticks) ? 0 : kNeverTicks;
    }
    if (ticks <= -2147483648.0f) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(ticks);
}

int32_t addMinutesAsTicks(int32_t base, float minutes) {
    return ticksFromFloat(static_cast<float>(base) + 3600.0f * minutes);
}

bool twoDeviceGroups(const Program& p) {
    return p.switching.nGroups == 2;
}

int groupOneLastDevice(const Program& p) {
    // The ADC-1 window offers "1 to 3 and 4 to 6"; the selection splits the same way.
    return p.device.External_AD == kSwitchADC1 ? 3 : 4;
}

int deviceOfRow(const Program& p, int row) {
    if (row < 1 || row > kMaxChannels) {
        return 0;
    }
    const float v = p.channels.Nvar[static_cast<size_t>(row)][kDeviceNumber];
    return v > 0.0f && v < 100.0f ? static_cast<int>(v) : 0;
}

int switchMarkerCode(const Program& p, int code) {
    return p.switching.ShowSwitchDeviceAsMarker != 0 ? p.switching.DeviceInUse + 48 : code;
}

void TickSound(const Program& p, SwitchEffects& fx) {
    if (p.session.Sound_Is_On != 0 && p.session.ChartINTERVALinSECONDS > 0.235) {
        fx.tickSound();
    }
}

void SELECTNEXTVALVE(Program& p) {
    SwitchingState& sw = p.switching;
    const int mode = p.session.SwitchingMode;
    if (mode == 9 || mode == 10) {
        const int d = nextRow(sw.PresentChan, 8, [&](int row) {
            return p.channels.Nvar[static_cast<size_t>(row)][kDeviceNumber] > 0.0f;
        });
        if (d > 0) {
            sw.SampleValve = sw.PresentChan = static_cast<int16_t>(d);
        }
        return;
    }
    const int n = std::min<int>(p.session.nChan, kMaxChannels);
    if (!twoDeviceGroups(p)) {
        const int c = nextRow(sw.PresentChan, n, [&](int row) {
            return p.channels.Nvar[static_cast<size_t>(row)][kDeviceNumber] > 0.0f;
        });
        if (c > 0) {
            sw.PresentChan = static_cast<int16_t>(c);
            sw.SampleValve = static_cast<int16_t>(deviceOfRow(p, c));
        }
        return;
    }
    const int split = groupOneLastDevice(p);
    const int c1 = nextRow(sw.PresentChan, n, [&](int row) {
        const int d = deviceOfRow(p, row);
        return d >= 1 && d <= split;
    });
    if (c1 > 0) {
        sw.PresentChan = static_cast<int16_t>(c1);
        sw.SampleValve = static_cast<int16_t>(deviceOfRow(p, c1));
    }
    const int c2 =
        nextRow(sw.PresentChan2, n, [&](int row) { return deviceOfRow(p, row) > split; });
    if (c2 > 0) {
        sw.PresentChan2 = static_cast<int16_t>(c2);
        sw.SampleValve2 = static_cast<int16_t>(deviceOfRow(p, c2));
    }
}

void SWITCHTOSAMPLE(Program& p, SwitchEffects& fx) {
    SwitchingState& sw = p.switching;
    const int mode = p.session.SwitchingMode;
    if (mode == 0) {
        return;
    }
    sw.DeviceInUse = sw.SampleValve;
    sw.RefIsON = 0;
    selectDevice(p, fx, sw.SampleValve, sw.SampleValve2);
    sw.OldChan = sw.SampleValve;
    if (twoDeviceGroups(p)) {
        sw.OldChan2 = sw.SampleValve2;
    }
    TickSound(p, fx);
    if (mode == 5 || mode == 6) {
        sw.RefOnTime = addMinutesAsTicks(sw.RefOffTime, sw.switchint);
        sw.RefOffTime = addMinutesAsTicks(sw.RefOnTime, sw.refint);
    } else {
        sw.RefOffTime = kNeverTicks;
    }
}

void CYCLECHANNELS(Program& p, SwitchEffects& fx) {
    SwitchingState& sw = p.switching;
    const int mode = p.session.SwitchingMode;
    sw.RefIsON = 0;
    if (isMode(mode, {5, 6, 10})) {
        sw.RefOnTime = addMinutesAsTicks(sw.tick, sw.switchint);
        sw.RefOffTime = addMinutesAsTicks(sw.RefOnTime, sw.refint);
    }
    selectDevice(p, fx, sw.SampleValve, sw.SampleValve2);
    sw.OldChan = sw.DeviceInUse = sw.SampleValve;
    if (twoDeviceGroups(p)) {
        sw.OldChan2 = sw.SampleValve2;
    }
    TickSound(p, fx);
    SELECTNEXTVALVE(p);
}

void SWITCHTOREFERENCE(Program& p, SwitchEffects& fx) {
    SwitchingState& sw = p.switching;
    const int mode = p.session.SwitchingMode;
    if (mode == 0) {
        return;
    }
    sw.RefIsON = 1;
    sw.DeviceInUse = sw.RefChan;
    if (p.device.External_AD == kSwitchUI2 && !demonstration(p)) {
        // The UI2 reference always goes out as a three-bit word, and every later switch with it.
        p.prefs[kPrefDigitalControlMode] = 1;
        fx.send(ui2SwitchCommand(1, sw.RefChan, 0));
    } else {
        selectDevice(p, fx, sw.RefChan, sw.RefChan2);
    }
    if (mode == 5 || mode == 6) {
        sw.RefOnTime = addMinutesAsTicks(sw.RefOffTime, sw.switchint);
    }
    TickSound(p, fx);
}

void KeyboardReferenceON(Program& p, SwitchEffects& fx, int32_t now) {
    SwitchingState& sw = p.switching;
    const int mode = p.session.SwitchingMode;
    sw.DeviceInUse = sw.RefChan;
    if (mode == 7 || mode == 8) {
        sw.tick = now;
        sw.RefOffTime = addMinutesAsTicks(sw.tick, sw.refint);
    }
    if (mode == 0) {
        return;
    }
    sw.RefIsON = 1;
    selectDevice(p, fx, sw.RefChan, sw.RefChan2);
    TickSound(p, fx);
}

void KeyboardSampleON(Program& p, SwitchEffects& fx) {
    SwitchingState& sw = p.switching;
    if (p.session.SwitchingMode == 0) {
        return;
    }
    sw.RefIsON = 0;
    sw.DeviceInUse = sw.SampleValve;
    selectDevice(p, fx, sw.SampleValve, sw.SampleValve2);
    sw.OldChan = sw.SampleValve;
    if (twoDeviceGroups(p)) {
        sw.OldChan2 = sw.SampleValve2;
    }
    TickSound(p, fx);
}

void DIRECTSWITCH(Program& p, SwitchEffects& fx, int n) {
    if (p.session.SwitchingMode == 0 || twoDeviceGroups(p) || n < 1 || n > 8) {
        return;
    }
    if (!demonstration(p)) {
        switch (p.device.External_AD) {
            case kSwitchADC1:
            case kSwitchDT500:
            case kSwitchDT50:
            case kSwitchDT800:
            case kSwitchADAM:
                selectDevice(p, fx, n, 0);
                break;
            default:
                // The UI2 and the other devices are not driven by the direct keys.
                break;
        }
    }
    TickSound(p, fx);
}

void TURNVALVESOFF(Program& p, SwitchEffects& fx) {
    if (demonstration(p)) {
        return;
    }
    if (p.device.External_AD == kSwitchADC1) {
        p.switching.cs.fill(0);
        return;
    }
    const SwitchCommand off = turnValvesOffCommand(p.device.External_AD);
    if (!off.bytes.empty()) {
        fx.send(off);
    }
}

}  // namespace trindel
