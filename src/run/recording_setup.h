// Setting a program up for a chart recording without windows (the command-line tool's record):
// a set-up file or flags, checked and applied; and the default channel rows both front ends use.
#pragma once

#include <cstdint>
#include <string>

#include "state/program.h"

namespace trindel {

// The values of a new channel row before the user changes them.
struct ChannelDefaults {
    float conversionType = 1.0f;
    float displayMin = 0.0f;
    float displayMax = 5.0f;
    float samplesToAverage = 1.0f;
};

// Rows 1..`channels`: input c, the given conversion type and display range, identity
// coefficients (a 0, b 1, c 0) and the readings averaged per sample.
void setDefaultChannels(ChannelTable& table, int channels, const ChannelDefaults& defaults);

// A recording asked for without windows. A set-up file's values stand unless a flag was given.
struct RecordSettings {
    std::string setup;  // set-up file, empty for none
    bool channelsGiven = false, intervalGiven = false, averageGiven = false;
    bool samplesGiven = false, durationGiven = false;  // a given 0 or non-finite value is refused
    int channels = 4;
    double interval = 1.0;  // seconds
    int32_t samples = 0;    // 0: from `duration`, else the set-up's count or 100
    double duration = 0.0;  // seconds
    int average = 1;
};

// Checks the flags' ranges; false with a one-line `error`.
bool checkRecordSettings(const RecordSettings& r, std::string& error);

// Sets `p` up for the recording on the demonstration source in chart mode, window `width` ×
// `height`, demonstration sequence `demoSeed`: the set-up file when given, then the flags over it.
// Returns the number of samples to record (the loop stops after MaxSamples + 1 scans), or 0 with
// a one-line `error`.
int32_t prepareRecording(Program& p, const RecordSettings& r, int width, int height,
                         uint64_t demoSeed, std::string& error);

}  // namespace trindel
