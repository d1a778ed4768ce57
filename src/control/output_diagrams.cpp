#include "control/output_diagrams.h"

#include <algorithm>
#include <cmath>

#include "control/analog_output.h"
#include "control/feedback.h"
#include "text/field_text.h"

namespace trindel {

namespace {

constexpr int kAOWidth = 555;
constexpr int kAOHeight = 150;
constexpr int kFBWidth = 349;
constexpr int kFBHeight = 95;

int px(double v) {
    return static_cast<int>(std::lround(v));
}

void addBoundary(OutputDiagram& d, int step, int x) {
    d.boundaries.push_back({x, 0, x, d.height, step % 10 == 0});
    d.stepNumbers.push_back({x, std::to_string(step)});
}

}  // namespace

OutputDiagram aoDiagram(const AnalogOutputState& ao, int channel, int16_t device) {
    OutputDiagram d;
    d.width = kAOWidth;
    d.height = kAOHeight;
    const int n = aoStepCount(ao, channel);
    double total = 0.0;
    for (int k = 1; k <= n; ++k) {
        total += std::fabs(aoStepMinutes(ao, channel, k));
    }
    if (n == 0 || total <= 0.0) {
        return d;
    }
    const double perVolt = device == 4 ? 6.8 : 13.6;
    const int zero = kAOHeight / 2;
    const auto y = [&](float v) { return px(zero - perVolt * v); };
    std::vector<int> stepStart(static_cast<size_t>(n) + 2, 0);
    double t = 0.0;
    float previous = 0.0f;
    for (int k = 1; k <= n; ++k) {
        const float minutes = aoStepMinutes(ao, channel, k);
        const float volts = aoStepVolts(ao, channel, k);
        const int x1 = px(t / total * kAOWidth);
        t += std::fabs(minutes);
        const int x2 = px(t / total * kAOWidth);
        stepStart[static_cast<size_t>(k)] = x1;
        if (minutes < 0.0f) {
            d.trace.push_back({x1, y(previous), x2, y(volts), false});
        } else {
            if (k > 1) {
                d.trace.push_back({x1, y(previous), x1, y(volts), false});
            }
            d.trace.push_back({x1, y(volts), x2, y(volts), false});
        }
        addBoundary(d, k, x1);
        previous = volts;
    }
    const int target = aoStepNext(ao, channel, n);
    if (target >= 1 && target <= n) {
        d.loop = DiagramLine{kAOWidth, kAOHeight - 8, stepStart[static_cast<size_t>(target)],
                             kAOHeight - 8, false};
    }
    return d;
}

OutputDiagram feedbackDiagram(const FeedbackState& fb) {
    OutputDiagram d;
    d.width = kFBWidth;
    d.height = kFBHeight;
    const int n = feedbackStepCount(fb);
    d.note = "no loop";
    if (n == 0) {
        return d;
    }
    double total = 0.0;
    float lo = fb.Feedback[1][1], hi = fb.Feedback[1][1];
    for (int k = 1; k <= n; ++k) {
        total += std::fabs(fb.Feedback[static_cast<size_t>(k)][5]);
        lo = std::min(lo, fb.Feedback[static_cast<size_t>(k)][1]);
        hi = std::max(hi, fb.Feedback[static_cast<size_t>(k)][1]);
    }
    d.high = fieldText(hi);
    d.low = fieldText(lo);
    const double span = hi > lo ? static_cast<double>(hi - lo) : 1.0;
    const auto y = [&](float v) { return px(kFBHeight - (v - lo) / span * kFBHeight); };
    std::vector<int> stepStart(static_cast<size_t>(n) + 2, 0);
    double t = 0.0;
    for (int k = 1; k <= n; ++k) {
        const auto& row = fb.Feedback[static_cast<size_t>(k)];
        const int x1 = px(t / total * kFBWidth);
        t += std::fabs(row[5]);
        const int x2 = px(t / total * kFBWidth);
        stepStart[static_cast<size_t>(k)] = x1;
        if (k > 1) {
            d.trace.push_back({x1, y(fb.Feedback[static_cast<size_t>(k - 1)][1]), x1, y(row[1])});
        }
        d.trace.push_back({x1, y(row[1]), x2, y(row[1]), false});
        addBoundary(d, k, x1);
    }
    const int target = feedbackLoopTarget(fb);
    if (target >= 1) {
        d.loop = DiagramLine{kFBWidth, kFBHeight - 6, stepStart[static_cast<size_t>(target)],
                             kFBHeight - 6, false};
        d.note.clear();
    }
    return d;
}

}  // namespace trindel
