// Experiment-control state: valve switching, analogue output, feedback, alarms, triggers and the
// audible timer. Each block is owned by its module in this folder.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trindel {

struct SwitchingState {
    // Flat element 3c + k (k = 0..2) is zerolink[c][k]: element 0 enables extra zero links,
    // 3c + 1 and 3c + 2 are channel c's linked channels.
    std::array<std::array<int16_t, 4>, 17> zerolink{};
    int16_t RefChan = 0;
    int16_t ReferenceValve = 0;
    int32_t RefOnTime = 0;
    int32_t RefOffTime = 0;
    int16_t RefIsON = 0;
    int16_t OldChan = 0, OldChan2 = 0;
    int16_t PresentChan = 0;
    int16_t DeviceInUse = 0;
    int16_t SampleValve = 0, SampleValve2 = 0;  // sample device of group 1 / 2, next or now
    int16_t PresentChan2 = 0;
    int32_t tick = 0;                     // clock reading of the current loop pass
    int16_t SkipRefsBetweenChannels = 0;  // mode 10: no reference between devices
    std::array<int16_t, 17> cs{};         // RMS ADC-1 output image, elements 1..6
    int16_t chx = 0;                      // the byte the RMS ADC-1 last answered
    float DeviceSwitchZeroValue = 0.0f;   // value recorded for a channel whose device is not live

    // --- Fields stored in set-up files ---
    float switchint = 0.0f;  // minutes on each sample device
    float refint = 0.0f;     // reference duration, minutes
    int16_t RefChan2 = 0;
    int16_t nGroups = 0;
    int16_t ShowSwitchDeviceAsMarker = 0;
    std::string prefix = std::string(160, ' ');  // mode 9: eight 20-character device labels

    bool operator==(const SwitchingState&) const = default;
};

// One value given to an analogue output: when, which channel, the volts, and the bytes for the
// device (empty when the device has no output or the value needs no command).
struct AOOutput {
    int32_t tick = 0;
    int16_t channel = 0;
    float volts = 0.0f;
    std::vector<uint8_t> bytes;
    bool operator==(const AOOutput&) const = default;
};

struct AnalogOutputState {
    int16_t AO1on = 0, AO2on = 0, DoAO1 = 0, DoAO2 = 0, AO1endMode = 0, AO2endMode = 0;
    std::array<float, 1421> AOscript{};  // the two scripts and their start/stop rules

    // --- Run-time state of the two scripts (index 0 channel 1, 1 channel 2) ---
    std::array<int16_t, 2> AOstep{};       // AO1step, AO2step
    std::array<int32_t, 2> NextAOtime{};   // NextAO1time, NextAO2time (ticks)
    std::array<int16_t, 2> ramping{};      // ramping1, ramping2
    std::array<int32_t, 2> startramp{};    // startramp, startramp2
    std::array<float, 2> lastv{};          // lastv, lastv2
    std::array<float, 2> nextvolts{};      // nextvolts, nextvolts2
    std::array<int16_t, 2> firstMarker{};  // AO1firstMarker, AO2firstMarker
    std::array<int16_t, 2> stopX{};        // AO1stopX, AO2stopX
    float AO1volts = 0.0f, AO2volts = 0.0f;
    float LastAOVolts1 = 0.0f;
    int32_t TimeForNextAOupdate = 0;  // ticks
    // A value that came within 30 ticks of the last accepted one waits here for its turn.
    std::array<int16_t, 2> pendingOn{};
    std::array<float, 2> pendingVolts{};
    // Values given since the run layer last sent them (it drains this list every pass).
    std::vector<AOOutput> outbox;

    // Row r, column c of the script table (r = 0..100, c = 0..6).
    float& script(int row, int column) { return AOscript[static_cast<size_t>(row * 7 + column)]; }
    float script(int row, int column) const {
        return AOscript[static_cast<size_t>(row * 7 + column)];
    }

    bool operator==(const AnalogOutputState&) const = default;
};

struct FeedbackState {
    int32_t FeedbackUpdateInterval = 60;  // ticks
    int16_t NegativeFEEDBACK = 1;
    int16_t FeedbackEndMode = 1;
    float FdBkEndRange = 1.0f;
    float FdBkEndSetpoint = 20.0f;
    float FdBkEndMinV = 0.0f;
    float FdBkEndMaxV = 5.0f;

    // --- Fields stored in AO data files ---
    std::array<std::array<float, 7>, 101> Feedback{};  // setpoint schedule, rows 1..100
    int16_t FeedbackChan = 0;
    int16_t FeedbackON = 0;
    int32_t NextFeedbackUpdateTime = 0;  // ticks

    // --- Run-time state ---
    int16_t DoFeedback = 0;
    int16_t FdBkStep = 0;
    int32_t NextFeedbackTime = 0;  // ticks: end of the current step
    float setpoint = 0.0f, range = 1.0f;
    float minV = 0.0f, maxV = 5.0f;  // control volts of the step in force
    float lastOutput = 0.0f;         // the last control volts computed
    float lastInput = 0.0f;          // the regulated value it was computed from

    bool operator==(const FeedbackState&) const = default;
};

struct AlarmState {
    std::array<std::array<float, 24>, 17> alarms{};  // 23 floats per channel
    int16_t StartAlertSound = 1, ContAlertSound = 1, StopAlertSound = 1;
    float StartAlertInt = 1.0f;
    int16_t AudibleALARM = 0;

    bool operator==(const AlarmState&) const = default;
};

struct TriggerState {
    int16_t TriggerChan = 0;
    int16_t TriggerSequence = 1;
    int16_t TriggerSaveCount = 1;

    // --- Fields stored in set-up files ---
    int16_t TriggerON = 0;
    int16_t TriggerMode = 0;  // 0 exceed, 1 fall below
    float triggerval = 0.0f;
    int16_t TriggerGain = 100;
    int16_t TempTriggrON = 0;  // working copy the recording loops use

    bool operator==(const TriggerState&) const = default;
};

struct AudibleTimerState {
    int16_t TimerOn = 0;

    // --- Settings and run-time state stored in set-up files ---
    int16_t StartALERT = 0, ContinueALERT = 0, StopALERTx = 0;
    int16_t StartAlertMODE = 0, ContAlertMODE = 0, StopAlertMODE = 0, StopAlertCASE = 0;
    int16_t AlertSOUNDS = 0, DOstartALERT = 0, DoStopALERT = 0;
    int16_t StartAlertCount = 0, StopAlertCount = 0, ContAlertCount = 0, ContAlertEnd = 0;
    int16_t AlertCount = 0, maxalerts = 0;
    float StopAlertInt = 0.0f, ContinueAlertInt = 0.0f;                              // minutes
    int32_t StartAlertTime = 0, StopAlertTime = 0, ContAlertInt = 0, nextAlert = 0;  // ticks
    int16_t StopAlertNotDoneYet = 0;

    bool operator==(const AudibleTimerState&) const = default;
};

}  // namespace trindel
