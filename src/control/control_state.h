// Experiment-control state: valve switching, analogue output, feedback, alarms, triggers and the
// audible timer. Each block is owned by its module in this folder.
#pragma once

#include <array>
#include <cstdint>

namespace trindel {

struct SwitchingState {
    std::array<std::array<int16_t, 4>, 17> zerolink{};  // 3 shorts per channel
    int16_t RefChan = 0;
    int16_t ReferenceValve = 0;
    int32_t RefOnTime = 0;
    int32_t RefOffTime = 0;
    int16_t RefChan2 = 0;
    int16_t RefIsON = 0;
    int16_t OldChan = 0, OldChan2 = 0;
    int16_t PresentChan = 0;
    int16_t nGroups = 0;
    int16_t DeviceInUse = 0;
    int16_t ShowSwitchDeviceAsMarker = 0;
    float DeviceSwitchZeroValue = 0.0f;  // value recorded for a channel whose device is not live
};

struct AnalogOutputState {
    int16_t AO1on = 0, AO2on = 0, DoAO1 = 0, DoAO2 = 0, AO1endMode = 0, AO2endMode = 0;
    std::array<float, 1421> AOscript{};  // the two scripts and their start/stop rules
};

struct FeedbackState {
    int16_t FeedbackUpdateInterval = 60;
    int16_t NegativeFEEDBACK = 1;
    int16_t FeedbackEndMode = 1;
    float FdBkEndRange = 1.0f;
    float FdBkEndSetpoint = 20.0f;
    float FdBkEndMinV = 0.0f;
    float FdBkEndMaxV = 5.0f;
};

struct AlarmState {
    std::array<std::array<float, 24>, 17> alarms{};  // 23 floats per channel
    int16_t StartAlertSound = 1, ContAlertSound = 1, StopAlertSound = 1;
    float StartAlertInt = 1.0f;
    int16_t AudibleALARM = 0;
};

struct TriggerState {
    int16_t TriggerChan = 0;
    int16_t TriggerSequence = 1;
    int16_t TriggerSaveCount = 1;
};

struct AudibleTimerState {
    int16_t TimerOn = 0;
};

}  // namespace trindel
