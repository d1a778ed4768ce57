#include "control/analog_output.h"

#include <cmath>
#include <cstdlib>

#include "control/analog_output_commands.h"

namespace trindel {

namespace {

constexpr int16_t kUI2 = 1;
constexpr int16_t kDT800 = 4;

size_t idx(int channel) {
    return channel == 1 ? 0 : 1;
}
int column(int channel) {
    return channel == 1 ? 1 : 4;
}

int16_t& onFlag(AnalogOutputState& ao, int channel) {
    return channel == 1 ? ao.AO1on : ao.AO2on;
}
int16_t& doFlag(AnalogOutputState& ao, int channel) {
    return channel == 1 ? ao.DoAO1 : ao.DoAO2;
}
int16_t endMode(const AnalogOutputState& ao, int channel) {
    return channel == 1 ? ao.AO1endMode : ao.AO2endMode;
}

// Takes the value as accepted: stores it, builds the device's bytes and queues the output.
void accept(AnalogOutputState& ao, int16_t device, int32_t now, int channel, float volts) {
    ao.TimeForNextAOupdate = now + kAOUpdateTicks;
    ao.pendingOn[idx(channel)] = 0;
    (channel == 1 ? ao.AO1volts : ao.AO2volts) = volts;
    AOOutput out{now, static_cast<int16_t>(channel == 1 ? 1 : 2), volts, {}};
    if (device == kUI2) {
        // One command carries both channels, so a value the other channel is waiting with
        // goes along with it.
        const size_t other = idx(channel == 1 ? 2 : 1);
        if (ao.pendingOn[other] != 0) {
            (channel == 1 ? ao.AO2volts : ao.AO1volts) = ao.pendingVolts[other];
            ao.pendingOn[other] = 0;
        }
        ao.AO1volts = std::max(ao.AO1volts, 0.0f);
        ao.AO2volts = std::max(ao.AO2volts, 0.0f);
        out.volts = channel == 1 ? ao.AO1volts : ao.AO2volts;
        out.bytes = ui2AnalogOutputCommand(ao.AO1volts, ao.AO2volts);
    } else if (device == kDT800 && channel == 1 && ao.AO1volts != ao.LastAOVolts1) {
        ao.LastAOVolts1 = ao.AO1volts;
        if (const auto command = dt800AnalogOutputCommand(ao.AO1volts)) {
            out.bytes.assign(command->begin(), command->end());
        }
    }
    ao.outbox.push_back(std::move(out));
}

void beginChannel(AnalogOutputState& ao, int16_t device, int32_t now, int channel) {
    const float ticks = 3600.0f * aoStepMinutes(ao, channel, 1);
    ao.NextAOtime[idx(channel)] = now + static_cast<int32_t>(ticks);
    ao.ramping[idx(channel)] = 0;
    SetAOvolts(ao, device, now, channel, aoStepVolts(ao, channel, 1));
    ao.AOstep[idx(channel)] = 1;
}

void stepChannel(AnalogOutputState& ao, int16_t device, int32_t now, int channel) {
    const size_t i = idx(channel);
    if (now > ao.NextAOtime[i]) {
        const int current = ao.AOstep[i];
        const bool wasRamp = ao.ramping[i] != 0;
        ao.lastv[i] = aoStepVolts(ao, channel, current);
        const int s = aoStepNext(ao, channel, current);
        ao.AOstep[i] = static_cast<int16_t>(s);
        if (s >= 1 && s <= aoStepCount(ao, channel)) {
            const auto a = static_cast<int32_t>(3600.0f * aoStepMinutes(ao, channel, s));
            ao.ramping[i] = a < 1 ? 1 : 0;
            ao.startramp[i] = now;
            ao.NextAOtime[i] = now + std::abs(a);
            ao.nextvolts[i] = aoStepVolts(ao, channel, s);
            if (ao.ramping[i] == 0) {
                SetAOvolts(ao, device, now, channel, ao.nextvolts[i]);
            }
        } else {
            doFlag(ao, channel) = 0;
            ao.ramping[i] = 0;
            if (endMode(ao, channel) == 1) {
                SetAOvolts(ao, device, now, channel, aoEndVolts(ao, channel));
            } else if (wasRamp) {
                // A ramp that ends the script keeps the level it ramped to.
                SetAOvolts(ao, device, now, channel, ao.lastv[i]);
            }
        }
    }
    if (ao.ramping[i] != 0) {
        const int32_t span = ao.NextAOtime[i] - ao.startramp[i];
        float f =
            span > 0 ? static_cast<float>(now - ao.startramp[i]) / static_cast<float>(span) : 1.0f;
        f = std::min(std::max(f, 0.0f), 1.0f);
        SetAOvolts(ao, device, now, channel, ao.lastv[i] + f * (ao.nextvolts[i] - ao.lastv[i]));
    }
}

void stopChannel(AnalogOutputState& ao, int16_t device, int32_t now, int channel) {
    doFlag(ao, channel) = 0;
    ao.ramping[idx(channel)] = 0;
    if (endMode(ao, channel) == 1) {
        SetAOvolts(ao, device, now, channel, aoEndVolts(ao, channel));
    }
}

}  // namespace

int aoStepCount(const AnalogOutputState& ao, int channel) {
    const float n = ao.script(0, column(channel));
    return n >= 1.0f && n <= 100.0f ? static_cast<int>(n) : 0;
}
float aoStepVolts(const AnalogOutputState& ao, int channel, int step) {
    return step >= 1 && step <= 100 ? ao.script(step, column(channel)) : 0.0f;
}
float aoStepMinutes(const AnalogOutputState& ao, int channel, int step) {
    return step >= 1 && step <= 100 ? ao.script(step, column(channel) + 1) : 0.0f;
}
int aoStepNext(const AnalogOutputState& ao, int channel, int step) {
    if (step < 1 || step > 100) {
        return 101;
    }
    const float next = ao.script(step, column(channel) + 2);
    return next >= 0.0f && next <= 101.0f ? static_cast<int>(next) : 101;
}
float aoPreRunVolts(const AnalogOutputState& ao, int channel) {
    return ao.script(channel == 1 ? 1 : 4, 0);
}
float aoEndVolts(const AnalogOutputState& ao, int channel) {
    return ao.script(channel == 1 ? 2 : 5, 0);
}
int aoStartMode(const AnalogOutputState& ao, int channel) {
    return static_cast<int>(ao.script(channel == 1 ? 7 : 9, 0));
}
int aoStopMode(const AnalogOutputState& ao, int channel) {
    return static_cast<int>(ao.script(channel == 1 ? 8 : 10, 0));
}
bool aoOn(const AnalogOutputState& ao, int channel) {
    return (channel == 1 ? ao.AO1on : ao.AO2on) != 0;
}
bool aoRunning(const AnalogOutputState& ao, int channel) {
    return (channel == 1 ? ao.DoAO1 : ao.DoAO2) != 0;
}

void SetAOvolts(AnalogOutputState& ao, int16_t device, int32_t now, int channel, float volts) {
    if (now < ao.TimeForNextAOupdate) {
        ao.pendingOn[idx(channel)] = 1;
        ao.pendingVolts[idx(channel)] = volts;
        return;
    }
    accept(ao, device, now, channel, volts);
}

void flushPendingAO(AnalogOutputState& ao, int16_t device, int32_t now) {
    for (int channel : {1, 2}) {
        if (ao.pendingOn[idx(channel)] != 0 && now >= ao.TimeForNextAOupdate) {
            accept(ao, device, now, channel, ao.pendingVolts[idx(channel)]);
        }
    }
}

void startAOForRecording(AnalogOutputState& ao, int16_t device, int32_t now) {
    ao.TimeForNextAOupdate = 0;
    ao.pendingOn = {};
    for (int channel : {1, 2}) {
        ao.firstMarker[idx(channel)] = static_cast<int16_t>(aoStartMode(ao, channel));
        ao.stopX[idx(channel)] = static_cast<int16_t>(aoStopMode(ao, channel));
        ao.ramping[idx(channel)] = 0;
        doFlag(ao, channel) = onFlag(ao, channel) == 1 && ao.firstMarker[idx(channel)] == 1 ? 1 : 0;
    }
    BeginAOscript(ao, device, now);
}

void BeginAOscript(AnalogOutputState& ao, int16_t device, int32_t now) {
    for (int channel : {1, 2}) {
        if (doFlag(ao, channel) == 1 && onFlag(ao, channel) == 1) {
            beginChannel(ao, device, now, channel);
        }
    }
}

void checkAOscript(AnalogOutputState& ao, int16_t device, int32_t now) {
    for (int channel : {1, 2}) {
        if (doFlag(ao, channel) == 1 && onFlag(ao, channel) == 1) {
            stepChannel(ao, device, now, channel);
        }
    }
    flushPendingAO(ao, device, now);
}

namespace {

void startMode(AnalogOutputState& ao, int16_t device, int32_t now, int mode) {
    for (int channel : {1, 2}) {
        if (onFlag(ao, channel) == 1 && doFlag(ao, channel) == 0 &&
            ao.firstMarker[idx(channel)] == mode) {
            doFlag(ao, channel) = 1;
            beginChannel(ao, device, now, channel);
        }
    }
}

}  // namespace

void AOfirstMarker(AnalogOutputState& ao, int16_t device, int32_t now) {
    startMode(ao, device, now, 2);
}

void AOstartKey(AnalogOutputState& ao, int16_t device, int32_t now) {
    startMode(ao, device, now, 3);
}

void AOstopMarker(AnalogOutputState& ao, int16_t device, int32_t now, int code) {
    const int mode = code == 'X' || code == 'x' ? 2 : code == 'Q' || code == 'q' ? 3 : 0;
    if (mode == 0) {
        return;
    }
    for (int channel : {1, 2}) {
        if (onFlag(ao, channel) == 1 && ao.stopX[idx(channel)] == mode) {
            stopChannel(ao, device, now, channel);
        }
    }
}

void AOendOfRecording(AnalogOutputState& ao, int16_t device, int32_t now) {
    for (int channel : {1, 2}) {
        if (onFlag(ao, channel) == 1 && ao.stopX[idx(channel)] == 2) {
            doFlag(ao, channel) = 0;
            ao.ramping[idx(channel)] = 0;
            // No later pass gives a waiting value, so the end volts go out at once.
            accept(ao, device, now, channel, aoEndVolts(ao, channel));
        }
    }
}

float aoVoltageLimit(int16_t device) {
    return device == kDT800 ? 10.0f : 5.0f;
}

std::array<bool, 9> AOmenuAdjust(int16_t device) {
    std::array<bool, 9> on{};
    if (device == 2 || device == 3 || device == 8) {
        return on;
    }
    for (int item = 1; item <= 8; ++item) {
        on[static_cast<size_t>(item)] = !(device == kDT800 && (item == 4 || item == 5));
    }
    return on;
}

}  // namespace trindel
