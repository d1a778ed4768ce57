#include "control/feedback.h"

#include <algorithm>
#include <cmath>

namespace trindel {

namespace {

enum FeedbackColumn : size_t {
    kSetpoint = 1,
    kMinV = 2,
    kMaxV = 3,
    kRange = 4,
    kMinutes = 5,
    kNext = 6,
};

void renumber(FeedbackState& fb, int n) {
    for (int k = 1; k <= n; ++k) {
        fb.Feedback[static_cast<size_t>(k)][kNext] = static_cast<float>(k + 1);
    }
}

void applyStep(FeedbackState& fb, int step) {
    const auto& row = fb.Feedback[static_cast<size_t>(step)];
    fb.setpoint = row[kSetpoint];
    fb.range = row[kRange];
    fb.minV = row[kMinV];
    fb.maxV = row[kMaxV];
}

void storeFields(std::array<float, 7>& row, const FeedbackStepFields& f) {
    row[kSetpoint] = f.setpoint;
    row[kMinV] = f.minV;
    row[kMaxV] = f.maxV;
    row[kRange] = f.range;
    row[kMinutes] = f.minutes;
}

}  // namespace

int feedbackIntervalItem(int32_t ticks) {
    for (int i = 0; i < 7; ++i) {
        if (kFeedbackIntervals[i] == ticks) {
            return i + 1;
        }
    }
    return 3;
}

float feedbackOutput(float setpoint, float range, float minV, float maxV, bool negative,
                     float value) {
    const float lo = std::min(minV, maxV);
    const float hi = std::max(minV, maxV);
    const float sense = negative ? 1.0f : -1.0f;
    const float error = sense * (setpoint - value);
    if (!std::isfinite(value)) {
        return (lo + hi) / 2.0f;
    }
    if (!(range > 0.0f)) {
        return error > 0.0f ? hi : error < 0.0f ? lo : (lo + hi) / 2.0f;
    }
    const float out = (lo + hi) / 2.0f + error / range * (hi - lo) / 2.0f;
    return std::clamp(out, lo, hi);
}

std::string feedbackLawText() {
    return "Output channel 2 is set at every update from the regulated channel's latest value x:\n"
           "  volts = (Vmin + Vmax)/2 + sense \xC3\x97 (setpoint \xE2\x88\x92 x) / range "
           "\xC3\x97 (Vmax \xE2\x88\x92 Vmin)/2,\n"
           "kept within Vmin to Vmax. Sense is +1 for negative feedback (the output rises while "
           "the value is below the setpoint) and \xE2\x88\x92"
           "1 for 'positive'. At x = setpoint "
           "the output is the midpoint; at setpoint \xE2\x88\x93 range it reaches a limit.";
}

int feedbackStepCount(const FeedbackState& fb) {
    int n = 0;
    while (n < kMaxFeedbackSteps && fb.Feedback[static_cast<size_t>(n + 1)][kMinutes] != 0.0f) {
        ++n;
    }
    return n;
}

void BeginFdBk(FeedbackState& fb, int32_t now) {
    if (fb.DoFeedback == 1) {
        fb.NextFeedbackTime = now;
        fb.FdBkStep = 1;
        fb.NextFeedbackUpdateTime = now;
        applyStep(fb, 1);
    }
}

bool checkFEEDBACKLoop(FeedbackState& fb, int32_t now) {
    if (fb.DoFeedback != 1 || now < fb.NextFeedbackUpdateTime) {
        return false;
    }
    fb.NextFeedbackUpdateTime = now + std::max<int32_t>(fb.FeedbackUpdateInterval, 1);
    if (now >= fb.NextFeedbackTime && fb.NextFeedbackTime != kFeedbackNever) {
        const int n = feedbackStepCount(fb);
        const int step = fb.FdBkStep;
        if (step < 1 || step > n) {
            // The schedule has run out: the last step stays in force.
            fb.NextFeedbackTime = kFeedbackNever;
            return true;
        }
        const auto& row = fb.Feedback[static_cast<size_t>(step)];
        applyStep(fb, step);
        fb.FdBkStep = static_cast<int16_t>(row[kNext]);
        fb.NextFeedbackTime = now + static_cast<int32_t>(3600.0f * std::fabs(row[kMinutes]));
    }
    return true;
}

bool feedbackPass(FeedbackState& fb, int32_t now, float latestValue, float& out) {
    if (!checkFEEDBACKLoop(fb, now)) {
        return false;
    }
    fb.lastInput = latestValue;
    fb.lastOutput = feedbackOutput(fb.setpoint, fb.range, fb.minV, fb.maxV,
                                   fb.NegativeFEEDBACK != 0, latestValue);
    out = fb.lastOutput;
    return true;
}

void feedbackMarker(FeedbackState& fb, int32_t now, int code) {
    const int mode = code == 'X' || code == 'x' ? 2 : code == 'Q' || code == 'q' ? 3 : 0;
    if (fb.DoFeedback != 1 || mode == 0 || fb.FeedbackEndMode != mode) {
        return;
    }
    fb.NextFeedbackTime = kFeedbackNever;
    fb.setpoint = fb.FdBkEndSetpoint;
    fb.range = fb.FdBkEndRange;
    fb.minV = fb.FdBkEndMinV;
    fb.maxV = fb.FdBkEndMaxV;
    fb.NextFeedbackUpdateTime = now;  // the end state takes effect at this pass
}

bool feedbackAddStep(FeedbackState& fb, const FeedbackStepFields& f, int& loopField) {
    const int n = feedbackStepCount(fb);
    if (n >= kMaxFeedbackSteps || f.minutes == 0.0f || !std::isfinite(f.minutes)) {
        return false;
    }
    storeFields(fb.Feedback[static_cast<size_t>(n + 1)], f);
    renumber(fb, n + 1);
    loopField = n + 2;
    return true;
}

bool feedbackDeleteStep(FeedbackState& fb, int step) {
    const int n = feedbackStepCount(fb);
    if (step < 1 || step > n) {
        return false;
    }
    for (int k = step; k < n; ++k) {
        fb.Feedback[static_cast<size_t>(k)] = fb.Feedback[static_cast<size_t>(k + 1)];
        fb.Feedback[static_cast<size_t>(k)][kNext] -= 1.0f;
    }
    fb.Feedback[static_cast<size_t>(n)] = {};
    return true;
}

bool feedbackModifyStep(FeedbackState& fb, int step, const FeedbackStepFields& f) {
    const int n = feedbackStepCount(fb);
    if (step < 1 || step > n || f.minutes == 0.0f) {
        return false;
    }
    auto& row = fb.Feedback[static_cast<size_t>(step)];
    storeFields(row, f);
    row[kNext] = static_cast<float>(step + 1);
    return true;
}

void feedbackLoopTo(FeedbackState& fb, int target) {
    const int n = feedbackStepCount(fb);
    renumber(fb, n);
    if (n >= 1) {
        fb.Feedback[static_cast<size_t>(n)][kNext] = static_cast<float>(std::clamp(target, 1, n));
    }
}

void feedbackClear(FeedbackState& fb) {
    for (auto& row : fb.Feedback) {
        row = {};
    }
    fb.FeedbackON = 0;
}

void feedbackEndStateFrom(FeedbackState& fb, const FeedbackStepFields& f) {
    fb.FdBkEndSetpoint = f.setpoint;
    fb.FdBkEndMinV = f.minV;
    fb.FdBkEndMaxV = f.maxV;
    fb.FdBkEndRange = f.range;
}

FeedbackStepFields feedbackEndStateFields(const FeedbackState& fb) {
    FeedbackStepFields f;
    f.setpoint = fb.FdBkEndSetpoint;
    f.minV = fb.FdBkEndMinV;
    f.maxV = fb.FdBkEndMaxV;
    f.range = fb.FdBkEndRange;
    return f;
}

void feedbackClose(FeedbackState& fb, int32_t now) {
    const int n = feedbackStepCount(fb);
    for (int k = n + 1; k <= 40; ++k) {
        fb.Feedback[static_cast<size_t>(k)][kMinutes] = 0.0f;
    }
    const int16_t on = n >= 1 ? 1 : 0;
    fb.FeedbackON = on;
    fb.DoFeedback = on;
    if (on != 0) {
        fb.NextFeedbackUpdateTime = now + fb.FeedbackUpdateInterval;
    }
}

int feedbackLoopTarget(const FeedbackState& fb) {
    const int n = feedbackStepCount(fb);
    if (n < 1) {
        return 0;
    }
    const int next = static_cast<int>(fb.Feedback[static_cast<size_t>(n)][kNext]);
    return next >= 1 && next <= n ? next : 0;
}

}  // namespace trindel
