#include "control/trigger.h"

#include <algorithm>
#include <cmath>

#include <cstdlib>

#include "text/field_text.h"

namespace trindel {

int16_t triggerDisplayGain(float level) {
    const float m = std::fabs(level);
    if (m >= 2.5f)
        return 1;
    if (m >= 1.0f)
        return 2;
    if (m >= 0.5f)
        return 5;
    if (m >= 0.25f)
        return 10;
    if (m >= 0.1f)
        return 20;
    if (m >= 0.05f)
        return 50;
    return 100;
}

bool triggerConditionMet(int16_t mode, float level, float value) {
    return mode == 0 ? value >= level : level >= value;
}

std::optional<float> triggerValueFromVolts(float a, float b, float c, int conversionType,
                                           float volts, float level) {
    if (a == -9999.0f) {
        return level;
    }
    if (a == 9999.0f) {
        return std::nullopt;
    }
    if (conversionType != 0) {
        return a + b * volts + c * volts * volts;
    }
    if (volts < 0.0f && c != std::floor(c)) {
        return 0.0f;
    }
    return a + b * std::pow(volts, c);
}

namespace {

// A typed number, or nothing when the text holds none.
std::optional<double> parseNumber(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin) {
        return std::nullopt;
    }
    return v;
}

std::string levelText(float level) {
    if (level == std::floor(level) && std::fabs(level) < 1e9f) {
        return std::to_string(static_cast<long>(level)) + ".0  ";
    }
    return fieldText(level);
}

}  // namespace

std::string triggerWaitText(const TriggerState& t, int nChan, const ChannelTable& table) {
    std::string s;
    if (t.TriggerChan >= 1 && t.TriggerChan <= nChan) {
        s = " Waiting for channel" + std::to_string(t.TriggerChan);
    } else {
        const int input = static_cast<int>(table.Nvar[kRawTriggerRow][kInputNumber]);
        s = " Waiting for A-D #" + std::to_string(input);
    }
    s += t.TriggerMode == 0 ? " to exceed " : " to fall below ";
    return s + levelText(t.triggerval);
}

std::string triggerHintText(int16_t recordingMode, int16_t triggerSequence) {
    if (recordingMode != 2) {
        return "     Click mouse to start";
    }
    if (triggerSequence >= 3) {
        return "Click mouse to save; hit 'space' to Sample; 'return' for continuous";
    }
    return "Click mouse or hit 'space' to Sample; 'return' for continuous";
}

std::string triggerPresentValueText(float value) {
    return "present value " + fieldText(value);
}

int RUNTRIGGER(TriggerState& t, int16_t recordingMode, bool autorepeat, Clock& clock,
               Events& events, const TriggerWait& wait, const std::string& conditionText) {
    const auto show = [&](int line, const std::string& text) {
        if (wait.show) {
            wait.show(line, text);
        }
    };
    show(0, conditionText);
    show(1, triggerHintText(recordingMode, t.TriggerSequence));
    int result = 0;
    while (result == 0) {
        while (auto e = events.nextEvent()) {
            if (e->action == kEventClose) {
                result = kTriggerMet;
            } else if (e->action == kEventKey) {
                const int key = e->eventId;
                if (key == kTriggerEscape ||
                    (recordingMode == 2 && (key == kTriggerReturn || key == kTriggerSpace))) {
                    result = key;
                }
            }
            if (result != 0) {
                break;
            }
        }
        if (result == 0 &&
            (events.isKeyDown(Key::Escape) || (wait.cancelWanted && wait.cancelWanted()))) {
            result = kTriggerEscape;
        }
        if (result == 0 && events.mouseButtonDown()) {
            result = kTriggerMet;
        }
        if (result != 0) {
            break;
        }
        if (wait.readValue) {
            if (const auto value = wait.readValue()) {
                if (recordingMode != 2) {
                    show(2, triggerPresentValueText(*value));
                }
                if (triggerConditionMet(t.TriggerMode, t.triggerval, *value)) {
                    result = kTriggerMet;
                    break;
                }
            }
        }
        clock.waitUntil(clock.GetCurrentTimeInSeconds() + wait.pollSeconds);
    }
    show(0, "");
    show(1, "");
    show(2, "");
    if (autorepeat) {
        t.TriggerON = 0;
    }
    return result;
}

TriggerSetupModel openTriggerSetup(const TriggerState& t, int nChan, const ChannelTable& table) {
    TriggerSetupModel m;
    m.on = t.TriggerON;
    m.channel = t.TriggerChan >= 1 && t.TriggerChan <= nChan ? t.TriggerChan : kRawTriggerRow;
    m.rawInput = std::clamp(static_cast<int>(table.Nvar[kRawTriggerRow][kInputNumber]), 1, 16);
    m.mode = t.TriggerMode == 1 ? 1 : 0;
    m.level = fieldText(t.triggerval);
    return m;
}

std::string triggerActivateTitle(int16_t on) {
    return on != 0 ? "Deactivate" : "Activate";
}
std::string triggerStatusTitle(int16_t on) {
    return on != 0 ? "Triggering ON" : "No Triggering  ";
}

bool applyTriggerSetup(const TriggerSetupModel& m, TriggerState& t, ChannelTable& table) {
    const std::optional<double> level = parseNumber(m.level);
    t.TriggerON = m.on != 0 ? 1 : 0;
    t.TriggerMode = m.mode == 1 ? 1 : 0;
    t.TriggerChan = m.channel;
    if (m.channel == kRawTriggerRow) {
        auto& row = table.Nvar[kRawTriggerRow];
        row[kInputNumber] = static_cast<float>(std::clamp(m.rawInput, 1, 16));
        row[kCoeffA] = 0.0f;
        row[kCoeffB] = 1.0f;
        row[kCoeffC] = 1.0f;
    }
    const bool ok = level.has_value() && std::isfinite(*level);
    if (ok) {
        t.triggerval = static_cast<float>(*level);
    }
    t.TriggerGain = triggerDisplayGain(t.triggerval);
    return ok;
}

}  // namespace trindel
