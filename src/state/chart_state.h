// Working state of the chart recording loop: toolbar flags, keyboard level, marker bookkeeping,
// progress figures and the pause record.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace trindel {

// Acquisition toolbar buttons, as a toolbar press reports them in EventID.
enum ToolbarButton : int32_t {
    kToolbarStop = 1,
    kToolbarPause = 2,  // Save scope in scope mode
    kToolbarResume = 3,
    kToolbarNote = 4,
    kToolbarAddTime = 5,
    kToolbarReplay = 6,
    kToolbarTimeToRef = 7,
    kToolbarBackup = 8,
    kToolbarReference = 9,
    kToolbarSample = 10,
    kToolbarSaveScope = 11,
};

// The click flags of the toolbar; cleared after every pass.
struct ToolbarClicks {
    bool StopIconClicked = false;
    bool PauseIconClicked = false;
    bool ResumeIconClicked = false;
    bool MarkerIconClicked = false;
    bool AddTimeIconClicked = false;
    bool ReplayIconClicked = false;
    bool TimeToRefIconClicked = false;
    bool BackupIconClicked = false;
    bool ReferenceIconClicked = false;
    bool SampleIconClicked = false;
    bool SaveScopeIconClicked = false;
    bool ControlStripClicked = false;  // any toolbar button

    bool operator==(const ToolbarClicks&) const = default;
};

struct ChartState {
    ToolbarClicks clicks;
    int32_t NextTimeMoreCASEs = 0;       // ticks before which Add time is not repeated
    int32_t TimeForNextWindowFlush = 0;  // ticks
    int16_t ASCIIvalue = 0;              // keyboard level recorded by conversion type 7
    int16_t markerFlag = 0;              // a marker was placed during this scan
    int16_t ShiftON = 0;
    int16_t MarkerCounter = 201;
    int16_t replayTheData = 0;
    int16_t ReplayAutoScaling = 0;
    int32_t scanavrg = 0;           // device scans summed in scanvolts
    int16_t previousColumn = -500;  // pen column of the last scan

    // Progress bar and planned duration.
    int16_t SegmentsInProgressBar = 0;
    double donefact = 0.0;     // 100 / MaxSamples
    double TraceLength = 0.0;  // planned recording time, seconds
    int16_t minute_units = 0;  // TraceLength is shown in minutes

    // Continuous reading of the last channel between scans (samples to average 0).
    double lastChannelSum = 0.0;
    int32_t lastChannelReads = 0;

    // Over-range threshold of the device in use, set when a run starts.
    float OverRangeVolts = 5.0f;
    // Interval limits computed by the interval dialog and the speed test.
    int16_t MaxAvrg = 1;
    int16_t FreeRunSpeed = 0;
    int16_t CPU_is_Fast = 0;
    int16_t AltChartInt = 0;
    int16_t AltScopeInt = 0;
    float NewInterval = 0.0f;

    bool operator==(const ChartState&) const = default;
};

}  // namespace trindel
