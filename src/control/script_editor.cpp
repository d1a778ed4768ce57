#include "control/script_editor.h"

#include <algorithm>
#include <cmath>

#include "control/analog_output.h"

namespace trindel {

ScriptEditor::ScriptEditor(AnalogOutputState& ao, int channel, int16_t device)
    : ao_(ao),
      channel_(channel == 1 ? 1 : 2),
      col_(channel == 1 ? 1 : 4),
      device_(device),
      limit_(aoVoltageLimit(device)) {}

float& ScriptEditor::cell(int row, int offset) {
    return ao_.script(row, col_ + offset);
}
float ScriptEditor::cellAt(int row, int offset) const {
    return ao_.script(row, col_ + offset);
}

int ScriptEditor::steps() const {
    return aoStepCount(ao_, channel_);
}
void ScriptEditor::setCount(int n) {
    cell(0, 0) = static_cast<float>(n);
}
void ScriptEditor::resetFollowOns(int n) {
    for (int k = 1; k <= n; ++k) {
        cell(k, 2) = static_cast<float>(k + 1);
    }
}

float ScriptEditor::totalMinutes() const {
    float total = 0.0f;
    for (int k = 1; k <= steps(); ++k) {
        total += std::fabs(cellAt(k, 1));
    }
    return total;
}

std::string ScriptEditor::title() const {
    return "Voltage output script, AO channel" + std::to_string(channel_);
}
std::string ScriptEditor::topLabel() const {
    return device_ == 4 ? " + 10V -" : " + 5V -";
}
std::string ScriptEditor::bottomLabel() const {
    return device_ == 4 ? "-10V -" : "-5V -";
}

float ScriptEditor::stepVolts(int k) const {
    return aoStepVolts(ao_, channel_, k);
}
float ScriptEditor::stepMinutes(int k) const {
    return aoStepMinutes(ao_, channel_, k);
}
int ScriptEditor::stepNext(int k) const {
    return aoStepNext(ao_, channel_, k);
}
int ScriptEditor::loopTarget() const {
    const int n = steps();
    if (n < 1) {
        return 0;
    }
    const int next = stepNext(n);
    return next >= 1 && next <= n ? next : 0;
}

namespace {

float signedMinutes(const ScriptStepFields& f) {
    const float m = std::fabs(f.minutes);
    return f.ramp ? -m : m;
}

bool usable(const ScriptStepFields& f) {
    return std::isfinite(f.volts) && std::isfinite(f.minutes) && f.minutes != 0.0f;
}

}  // namespace

bool ScriptEditor::addStep(const ScriptStepFields& f) {
    const int n = steps();
    if (n >= 100 || !usable(f)) {
        return false;
    }
    cell(n + 1, 0) = std::clamp(f.volts, -limit_, limit_);
    cell(n + 1, 1) = signedMinutes(f);
    setCount(n + 1);
    resetFollowOns(n + 1);
    return true;
}

bool ScriptEditor::insertStep(int k, bool behind, const ScriptStepFields& f) {
    const int n = steps();
    const int at = behind ? k + 1 : k;
    if (n >= 100 || at < 1 || at > n + 1 || !usable(f)) {
        return false;
    }
    for (int r = n; r >= at; --r) {
        cell(r + 1, 0) = cell(r, 0);
        cell(r + 1, 1) = cell(r, 1);
        cell(r + 1, 2) = cell(r, 2) + 1.0f;
    }
    cell(at, 0) = std::clamp(f.volts, -limit_, limit_);
    cell(at, 1) = signedMinutes(f);
    cell(at, 2) = static_cast<float>(at + 1);
    setCount(n + 1);
    return true;
}

bool ScriptEditor::deleteStep(int k) {
    const int n = steps();
    if (k < 1 || k > n) {
        return false;
    }
    for (int r = k; r < n; ++r) {
        cell(r, 0) = cell(r + 1, 0);
        cell(r, 1) = cell(r + 1, 1);
        cell(r, 2) = cell(r + 1, 2) - 1.0f;
    }
    cell(n, 0) = cell(n, 1) = cell(n, 2) = 0.0f;
    setCount(n - 1);
    return true;
}

bool ScriptEditor::goToStep(int k, ScriptStepFields& out) const {
    if (k < 1 || k > steps()) {
        return false;
    }
    out.volts = stepVolts(k);
    out.minutes = std::fabs(stepMinutes(k));
    out.ramp = stepMinutes(k) < 0.0f;
    return true;
}

bool ScriptEditor::updateStep(int k, const ScriptStepFields& f) {
    if (k < 1 || k > steps() || !usable(f)) {
        return false;
    }
    cell(k, 0) = std::clamp(f.volts, -limit_, limit_);
    cell(k, 1) = signedMinutes(f);
    return true;
}

void ScriptEditor::loopTo(int target) {
    const int n = steps();
    resetFollowOns(n);
    if (n >= 1) {
        cell(n, 2) = static_cast<float>(std::clamp(target, 1, n));
    }
}

void ScriptEditor::deleteLoop() {
    resetFollowOns(steps());
}

void ScriptEditor::clearAll() {
    for (int k = 1; k <= 100; ++k) {
        cell(k, 0) = cell(k, 1) = cell(k, 2) = 0.0f;
    }
    setCount(0);
    ao_.script(channel_ == 1 ? 1 : 4, 0) = 0.0f;
    ao_.script(channel_ == 1 ? 2 : 5, 0) = 0.0f;
}

float ScriptEditor::preRunOutput(float volts) const {
    return std::isfinite(volts) ? std::clamp(volts, -limit_, limit_) : 0.0f;
}

void ScriptEditor::close(float preRunVolts, float endVolts, int endMode, int startMode,
                         int stopMode) {
    const int n = steps();
    setCount(n);
    ao_.script(channel_ == 1 ? 1 : 4, 0) = preRunOutput(preRunVolts);
    ao_.script(channel_ == 1 ? 2 : 5, 0) = preRunOutput(endVolts);
    ao_.script(channel_ == 1 ? 7 : 9, 0) = static_cast<float>(std::clamp(startMode, 1, 3));
    ao_.script(channel_ == 1 ? 8 : 10, 0) = static_cast<float>(std::clamp(stopMode, 1, 3));
    (channel_ == 1 ? ao_.AO1endMode : ao_.AO2endMode) = endMode == 1 ? 1 : 0;
    (channel_ == 1 ? ao_.AO1on : ao_.AO2on) = n > 0 ? 1 : 0;
}

}  // namespace trindel
