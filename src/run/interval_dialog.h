// The interval dialog (GETINTERVAL) as a model: interval buttons, the typed interval, the samples
// and sweep-length buttons, the recording-time buttons, the preview line and "Selection OK".
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/program.h"

namespace trindel {

// Buttons of the samples field ("Total samples:") in the chart dialog.
enum class SamplesButton {
    Min,        // "|<<"
    Max,        // ">>|"
    DownWidth,  // "<<"
    UpWidth,    // ">>"
    DownHalf,   // "<"
    UpHalf,     // ">"
    Minus50,
    Minus10,
    Minus1,
    Plus1,
    Plus10,
    Plus50,
    Times2,
    Times10,
    Half,
    Tenth,
};

enum class SweepButton { Min, Down, Up, Max };

// Interval of an interval button in the given dialog; nothing for a button without one.
std::optional<double> intervalOfButton(int button, bool scopeDialog);

// A typed interval: a value that is not a positive number becomes 1/30 s (scope) or 5 s (chart).
double typedInterval(std::string_view text, bool scopeDialog);

// Recording-time buttons 51..62 in ticks, and the samples a duration gives at an interval.
inline constexpr std::array<int32_t, 12> kDurationTicks{
    300, 600, 1800, 3600, 18000, 36000, 72000, 108000, 216000, 1296000, 2592000, 5184000};
int32_t samplesForDuration(int32_t ticks, double interval, int32_t maximumSamples);

// SETMINIMUM: which of the twelve duration buttons (5 s .. 24 hr) are offered.
std::array<bool, 12> SETMINIMUM(double interval, int32_t maximumSamples);

// The preview's duration text ("  Duration " ...) for a planned length in seconds.
std::string durationText(double seconds);

class IntervalDialog {
  public:
    // `title` "Chart Channels"/"Chart channels" opens the chart dialog, "OSCILLOSCOPE" the scope.
    IntervalDialog(Program& p, std::string_view title);

    bool scopeDialog() const { return scope_; }
    const std::string& windowTitle() const { return windowTitle_; }
    double interval() const { return p_.session.SampleIntervalinSeconds; }
    int button() const { return button_; }
    int32_t maxSamples() const { return maxSamples_; }
    int32_t scopeMax() const { return scopeMax_; }
    bool buttonOffered(int button) const;

    void pressIntervalButton(int button);
    void typeInterval(std::string_view text);  // accepted with Return or "Selection OK"
    void pressSamples(SamplesButton b);
    // A number typed into "Total samples:", bounded as the buttons bound it (10 to
    // MaximumSamples, "bzot" below 10). Text that is not a whole number changes nothing and
    // returns false.
    bool typeSamples(std::string_view text);
    bool samplesEnabled(SamplesButton b) const;
    void pressSweep(SweepButton b);
    bool sweepEnabled(SweepButton b) const;
    void pressDuration(int index);  // 0..11 for buttons 51..62
    std::array<bool, 12> durationsOffered() const {
        return SETMINIMUM(interval(), p_.session.MaximumSamples);
    }
    // Sounds the last change asked for ("bzot" when the samples were raised to 10).
    bool lastChangeBuzzed() const { return buzzed_; }

    // PRINTTRACE: the preview lines after each change.
    std::vector<std::string> PRINTTRACE();

    // "Selection OK": leaves the choice in the program and applies its effects. Returns the menu
    // states it sets.
    struct MenuEffects {
        bool beepItemEnabled = false;
        bool beepItemChecked = false;
        bool menu3Item15Enabled = false;
        bool dt800HighSpeed = false;  // the high-speed command set is to be sent
        bool dt800LowSpeed = false;   // the low-speed set is to be sent
    };
    MenuEffects selectionOK();

  private:
    void refreshSamplesButtons();
    void setSamples(int64_t v);
    Program& p_;
    bool scope_;
    std::string windowTitle_;
    int button_;
    int32_t maxSamples_;
    int32_t scopeMax_;
    int32_t width_;
    bool buzzed_ = false;
    bool lowDisabled_ = false;
    std::optional<double> typed_;
};

}  // namespace trindel
