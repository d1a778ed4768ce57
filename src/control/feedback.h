// Proportional feedback on analogue output channel 2: the control law, the setpoint schedule's
// stepping during a recording, the end state at a marker, and the schedule editing of the
// "Proportional Feedback Control" window.
#pragma once

#include <cstdint>
#include <string>

#include "state/control_state.h"

namespace trindel {

inline constexpr int32_t kFeedbackNever = 2147483647;
inline constexpr int kMaxFeedbackSteps = 100;

// The update intervals of the pop-up "Update feedback conditions every:" (items 1..7), ticks.
inline constexpr int32_t kFeedbackIntervals[] = {15, 30, 60, 120, 300, 600, 1800};
// The pop-up item (1..7) of an interval; any other value shows item 3.
int feedbackIntervalItem(int32_t ticks);

// The control law: output = midpoint + sense × (S − x) / R × (Vmax − Vmin) / 2, clamped to
// Vmin..Vmax, where sense is +1 for negative feedback (the output rises while the value is below
// the setpoint) and −1 for 'positive'. A range of 0 or less acts as a switch at the setpoint.
float feedbackOutput(float setpoint, float range, float minV, float maxV, bool negative,
                     float value);
// The help text of the window: the law in words.
std::string feedbackLawText();

// Schedule places (step k = 1..100).
int feedbackStepCount(const FeedbackState& fb);  // rows from 1 whose duration is not 0

// At the start of a recording: step 1 comes into force at once.
void BeginFdBk(FeedbackState& fb, int32_t now);
// The step bookkeeping: at the update interval, moves to the next step when the current one has
// ended. A follow-on beyond the schedule keeps the last step in force. True when it acted (the
// law should run).
bool checkFEEDBACKLoop(FeedbackState& fb, int32_t now);
// One feedback pass: the bookkeeping and, when it acted, the law on the regulated channel's
// latest value. Returns true with the volts in `out` when a new output is due.
bool feedbackPass(FeedbackState& fb, int32_t now, float latestValue, float& out);
// The end state at the marker of the feedback's "halt at:" mode ("X"/"x" 2, "Q"/"q" 3).
void feedbackMarker(FeedbackState& fb, int32_t now, int code);

// The schedule window's editing rules.
struct FeedbackStepFields {
    float setpoint = 20.0f, range = 1.0f, maxV = 5.0f, minV = 0.0f, minutes = 10.0f;
};
// "Enter These Values as a New Step"; false when the schedule is full or the duration is 0.
// Returns the new loop-target field value (n + 2) in `loopField`.
bool feedbackAddStep(FeedbackState& fb, const FeedbackStepFields& f, int& loopField);
bool feedbackDeleteStep(FeedbackState& fb, int step);
bool feedbackModifyStep(FeedbackState& fb, int step, const FeedbackStepFields& f);
// "Loop to Step:": every follow-on reset, the last step's follow-on becomes the target (1..n).
void feedbackLoopTo(FeedbackState& fb, int target);
void feedbackClear(FeedbackState& fb);
void feedbackEndStateFrom(FeedbackState& fb, const FeedbackStepFields& f);
FeedbackStepFields feedbackEndStateFields(const FeedbackState& fb);
// "Done": clears durations beyond n (rows up to 40) and switches feedback on when n ≥ 1.
void feedbackClose(FeedbackState& fb, int32_t now);
// The loop target of the last step, 0 when the schedule does not loop.
int feedbackLoopTarget(const FeedbackState& fb);

}  // namespace trindel
