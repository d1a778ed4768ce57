// Replay: the whole recording held in the sample store compressed into one window, each channel
// drawn as the min-max envelope of the samples in each pixel column, with bands, scales and
// markers. After a run it has a window of its own; during a chart run it overlays the recording.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "display/min_max_envelope.h"
#include "platform/canvas.h"
#include "state/program.h"

namespace trindel {

// Samples replayed: the chart samples taken (scope mode: the sweep length).
int64_t replaySampleCount(const Program& p);

// "Replay Recorded Data    (Sample n;  D seconds)" (minutes above 300 s, hours above 7200 s);
// during a run followed by the hint to resume.
std::string replayTitle(const Program& p, bool afterRun);

// Width and height of the replay's drawing area (window width - 50 wide, down to the lowest
// band plus the foot lines).
int replayCanvasWidth(const Program& p);
int replayCanvasHeight(const Program& p, bool afterRun);

// Horizontal scale: pixels per sample, (window width - 50) / n. 0 when nothing was recorded.
double replayStep(const Program& p);

// The geometry of one channel's band and scale as the replay draws it.
struct ReplayBand {
    int top = 0, bottom = 0, height = 0;
    float rangeMax = 0.0f, rangeMin = 0.0f;  // full range of the data or the display range
    int zeroRow = -1;                        // -1 when no zero line is drawn
    std::vector<int> gridRows;
};

ReplayBand replayBand(const Program& p, int channel, const std::vector<EnvelopeColumn>& envelope);

// Row of value v in a band: clamped to the band, T for values at or above the top of the range.
int replayRow(const ReplayBand& band, float v);

// The per-channel envelopes of the store, computed once per replay and reused when only the
// scaling changes.
struct ReplayEnvelopes {
    int64_t samples = 0;
    double step = 0.0;
    std::vector<std::vector<EnvelopeColumn>> channels;  // index c - 1
};
ReplayEnvelopes computeReplayEnvelopes(const Program& p);

// REPLAY: draws everything. `envelopes` must come from computeReplayEnvelopes of the same run.
void drawReplay(const Program& p, Canvas& canvas, bool afterRun, const ReplayEnvelopes& envelopes);

// ShowMarkersInReplay: marker labels and lines (when "Show Markers in 'Replay' Window" is set).
void ShowMarkersInReplay(const Program& p, Canvas& canvas, double step);

// The after-run button that flips the scaling, and the flip itself.
std::string replayScalingButtonText(const Program& p);
void switchReplayScaling(Program& p);

}  // namespace trindel
