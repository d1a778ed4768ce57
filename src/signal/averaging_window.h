// The averaging window of one channel as a model: the readings-per-sample field, the two
// continuous-averaging switches, "Absolute value", and what leaving the window stores.
#pragma once

#include <string>

#include "state/program.h"

namespace trindel {

inline constexpr const char* kContinuousFieldText = "continuous";

// The window is not offered in the scope modes, nor while all channels average continuously.
bool averagingWindowAvailable(const Program& p);

class AveragingWindow {
  public:
    // Opens for `channel`; the field starts at MaxAvrg (or "continuous"). The switches act on the
    // program's preferences and AbsVal at once.
    AveragingWindow(Program& p, int channel);

    std::string title() const;
    const std::string& field() const { return field_; }
    void setField(std::string text) { field_ = std::move(text); }

    // "(last channel only)" is offered in chart mode for the last channel.
    bool lastChannelButtonShown() const;
    bool absoluteValueEnabled() const;

    void toggleAllChannels();  // "Continous Averaging (all channels)"
    void toggleLastChannel();  // "Continuous Averaging (last channel only)"
    void toggleAbsoluteValue();

    // "Selection OK": the samples to average (the field truncated, at least 1), which the channel
    // set-up stores; 0 for the last channel while it averages continuously.
    int selectionOK() const;

  private:
    void refreshField();

    Program& p_;
    int channel_;
    std::string field_;
};

}  // namespace trindel
