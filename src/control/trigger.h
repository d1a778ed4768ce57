// Triggers: the "Set Trigger Conditions" rules, the trigger input's value and condition, and the
// wait (RUNTRIGGER) on the machine's clock and events, which the chart start and each scope
// sweep call.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/events.h"
#include "state/channel_table.h"
#include "state/control_state.h"

namespace trindel {

// What RUNTRIGGER returns: the condition held, the window closed or the mouse was clicked
// (scope sequences 3 and 4 take a click as "save"); or the key that ended the wait.
inline constexpr int kTriggerMet = 999;
inline constexpr int kTriggerReturn = 13;  // scope: "continuous"
inline constexpr int kTriggerSpace = 32;   // scope: sample now
inline constexpr int kTriggerEscape = 27;  // the wait was cancelled
inline constexpr int kRawTriggerRow = 16;  // Channel-table row of a raw A-D input trigger

// The trigger gain for a level: 100, lowered step by step as |level| grows.
int16_t triggerDisplayGain(float level);
// Whether a value meets the condition: value ≥ level (exceed, mode 0), level ≥ value (mode 1).
bool triggerConditionMet(int16_t mode, float level, float value);
// The trigger input's value from its volts with the channel's coefficients: the level itself
// when a is −9999; a + bV + cV² when the type code is not 0; a + bV^c otherwise (0 for a
// negative reading with a fractional c). Nothing when a is 9999 (the caller's polynomial).
std::optional<float> triggerValueFromVolts(float a, float b, float c, int conversionType,
                                           float volts, float level);

// The wait's status lines.
std::string triggerWaitText(const TriggerState& t, int nChan, const ChannelTable& table);
std::string triggerHintText(int16_t recordingMode, int16_t triggerSequence);
std::string triggerPresentValueText(float value);

// How the wait reads and shows. `readValue` takes one reading of the trigger input and returns
// it in the channel's units (nothing when no reading could be taken); `show` writes status line
// 0 (the condition), 1 (the hint) or 2 (the present value), "" clears a line.
struct TriggerWait {
    std::function<std::optional<float>()> readValue;
    std::function<void(int line, const std::string& text)> show;
    double pollSeconds = 1.0 / 60.0;     // time between readings; the wait sleeps in between
    std::function<bool()> cancelWanted;  // a front end's cancel (Ctrl-C): ends as Escape does
};

// Waits until the trigger condition holds (returns kTriggerMet), the window closes or the mouse
// is clicked (kTriggerMet), or a key ends the wait: Escape (kTriggerEscape) in every mode,
// Return and Space in scope mode. Other events are dropped (menus are ignored while waiting).
// With autorepeat, TriggerON is cleared afterwards so repeated recordings do not wait again.
int RUNTRIGGER(TriggerState& t, int16_t recordingMode, bool autorepeat, Clock& clock,
               Events& events, const TriggerWait& wait, const std::string& conditionText);

// The "Set Trigger Conditions" window's rules.
struct TriggerSetupModel {
    int16_t on = 0;
    int16_t channel = 1;  // 1..nChan, or kRawTriggerRow for a raw A-D input
    int rawInput = 1;     // "Volts only; A-D INPUT #"
    int16_t mode = 0;
    std::string level;  // the level field's text
};
TriggerSetupModel openTriggerSetup(const TriggerState& t, int nChan, const ChannelTable& table);
std::string triggerActivateTitle(int16_t on);  // "Deactivate" while on, else "Activate"
std::string triggerStatusTitle(int16_t on);    // "Triggering ON" / "No Triggering  "
// "Triggering OK": reads the level (a level that is not a number keeps the old one and returns
// false), sets a raw input's row 16, the channel and mode, and the gain.
bool applyTriggerSetup(const TriggerSetupModel& m, TriggerState& t, ChannelTable& table);

}  // namespace trindel
