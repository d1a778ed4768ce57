// The scalars of the recording session: mode, channel count, sample counters, intervals and
// time bookkeeping shared by the run driver and the recording loops.
#pragma once

#include <cstdint>
#include <string>

namespace trindel {

struct Session {
    int16_t RecordingMODE = 1;  // 1 chart, 2 scope, 3 scope plus chart, 0 ends the run sequence
    int16_t nChan = 0;
    int32_t Sample = 0;      // scans taken; also the slot the next chart scan is written to
    int32_t MaxSamples = 0;  // the chart recording stops when Sample exceeds it
    int32_t nSamples = 0;    // sample count handed to file writers and replay
    int32_t TotalScans = 0;  // device scans in continuous-scanning mode
    int16_t NscrnCASEs = 0;  // samples drawn on the current chart screen
    int16_t ScreenCapacity = 0;
    float ChartView = 1.0f;  // samples per horizontal pixel

    double SampleIntervalinSeconds = 0.0;
    float SampleInterval = 0.0f;  // interval written with a saved recording
    double ChartINTERVALinSECONDS = 1.0;
    float ChartSampleInterval = 0.0f;
    double ScopeINTERVALinSECONDS = 1.0 / 60.0;
    float scopeinterval = 0.016666668f;
    double OldChartSpeed = 1.0;
    double OldScopeSpeed = 1.0 / 60.0;
    int16_t OldChartSpeedBut = 9;
    int16_t OldScopeSpeedBut = 2;

    double CurrentTimeInSeconds = 0.0;
    double TimeOfNextChartSample = 0.0;
    int32_t TimeAtStart = 0;
    int32_t TicsAtLastSample = 0;
    int32_t timeNow = 0;
    int32_t NextMarkerTime = 0;
    int32_t TimedSaveINTERVAL = 108000;  // ticks between timed backups; 0 is off
    int32_t Max_Display_Speed = 10000;   // microseconds
    float SampRateError = 0.03f;

    int16_t SwitchingMode = 0;
    int16_t mainsfrequency = 60;
    float BarometricPressure = 760.0f;
    float flowrate = 100.0f;
    int16_t SigFigs = 5;
    int16_t WindowFont = 8;
    int16_t ShowDisplays = 0;
    int16_t HavePaused = 0;
    float totalPauseDuration = 0.0f;  // minutes

    // Capacities that depend on the machine.
    int16_t MaximumChans = 16;
    int32_t MaximumSamples = 2000000;
    int32_t MaximumScopeSamples = 16384;

    // Per-run bookkeeping reset by the driver before each run.
    float LastScopeDur = 0.0f;
    int16_t SampleRateChanged = 0;
    int32_t LastXYClear = 1;  // first sample shown since the XY plot was last cleared
    int16_t NoteCount = 0;
    double TimeForNextAOupdate = 0.0;

    // --- Set-up file and preferences file fields (files room) ---
    int32_t ScopeMax = 0;                 // scope samples per sweep
    int16_t tb = 0, sint = 0, speed = 0;  // fast scope time base chosen with the scope interval
    std::string SetupFileName;            // name of the set-up file last saved or loaded
    int16_t NoSetupFileFound = 0;         // 1 when the set-up chooser was cancelled
    int32_t Sound_Is_On = 1;              // "Play Sounds at Events"

    bool operator==(const Session&) const = default;
};

}  // namespace trindel
