// Rules of the chart interval dialog ("Sample Rate"): interval buttons, a typed interval, the
// samples to record, recording-time buttons and which of them fit, and the preview texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/program.h"

namespace trindel {

struct IntervalButton {
    int number;
    const char* label;
    double seconds;
};

struct DurationButton {
    int number;
    const char* label;
    int32_t ticks;
};

class IntervalChoice {
  public:
    // Starts from the last chart interval and button; MaxSamples 0 becomes the window width.
    explicit IntervalChoice(const Program& p);

    // The chart dialog's interval buttons for the current device.
    const std::vector<IntervalButton>& intervalButtons() const { return buttons_; }
    static const std::vector<DurationButton>& durationButtons();

    void chooseInterval(int button);
    // A typed interval; text that is not a positive number becomes 5 s.
    void typeInterval(const std::string& text);
    // The samples-to-record buttons: "|<<", "<<", "<", "-50", "-10", "-1", " + 1", " + 10",
    // " + 50", ">", ">>", ">>|", "X2", "X10", "÷2", "÷10". Returns false with a beep wanted when
    // the count had to be raised to 10.
    bool stepSamples(const std::string& button);
    bool sampleButtonEnabled(const std::string& button) const;
    void chooseDuration(int button);
    bool durationOffered(int button) const;
    // A typed sample count, kept within 10 .. MaximumSamples.
    void typeSamples(const std::string& text);

    double interval() const { return interval_; }
    int button() const { return button_; }
    int32_t maxSamples() const { return maxSamples_; }
    // "  Duration 1.00 min " etc.
    std::string durationText() const;
    // "Maximum time = ..."
    std::string maximumTimeText() const;
    std::string title(const Program& p) const;

    // "Selection OK": stores the choice in the session.
    void apply(Program& p) const;

  private:
    std::vector<IntervalButton> buttons_;
    double interval_;
    int button_;
    int32_t maxSamples_;
    int32_t width_;
    int32_t maximum_;
    bool raisedToTen_ = false;
};

}  // namespace trindel
