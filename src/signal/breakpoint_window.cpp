#include "signal/breakpoint_window.h"

#include <stdexcept>

#include "text/field_text.h"

namespace trindel {

namespace {

int onElement(BreakpointPart part) {
    switch (part) {
        case BreakpointPart::Initial:
            return kBpInitialOn;
        case BreakpointPart::Lower:
            return kBpLowerOn;
        case BreakpointPart::Upper:
            return kBpUpperOn;
    }
    return kBpInitialOn;
}

size_t storedRow(int slot) {
    if (slot < 1 || slot > 6) {
        throw std::out_of_range("stored breakpoint slots are 1 to 6");
    }
    return static_cast<size_t>(16 + slot);
}

}  // namespace

BreakpointWindow::BreakpointWindow(Program& p, int channel)
    : p_(p), channel_(static_cast<size_t>(channel)) {
    if (channel < 1 || channel > kMaxChannels) {
        throw std::out_of_range("no such channel for the breakpoint window");
    }
    previousType_ = p_.channels.Nvar[0][channel_];
    p_.channels.Nvar[0][channel_] = static_cast<float>(kConvLinear);
    field_ = fieldText(rec()[kBpBreakpoint]);
}

BreakpointRecord& BreakpointWindow::rec() {
    return p_.conversion.BPconvert[channel_];
}

const BreakpointRecord& BreakpointWindow::record() const {
    return p_.conversion.BPconvert[channel_];
}

void BreakpointWindow::toggle(BreakpointPart part) {
    float& on = rec()[static_cast<size_t>(onElement(part))];
    on = on != 0.0f ? 0.0f : 1.0f;
}

bool BreakpointWindow::inForce(BreakpointPart part) const {
    return record()[static_cast<size_t>(onElement(part))] != 0.0f;
}

bool BreakpointWindow::setEquation(BreakpointPart part, int type, Coefficients k) {
    if (!inForce(part)) {
        return false;
    }
    const auto first = static_cast<size_t>(onElement(part) + 1);
    rec()[first] = static_cast<float>(type);
    rec()[first + 1] = k.a;
    rec()[first + 2] = k.b;
    rec()[first + 3] = k.c;
    return true;
}

void BreakpointWindow::setMultiplies(BreakpointPart range, bool multiplies) {
    if (range != BreakpointPart::Initial) {
        rec()[range == BreakpointPart::Lower ? kBpLowerMultiplies : kBpUpperMultiplies] =
            multiplies ? 1.0f : 0.0f;
    }
}

void BreakpointWindow::setOnVolts(BreakpointPart range, bool onVolts) {
    if (range != BreakpointPart::Initial) {
        rec()[range == BreakpointPart::Lower ? kBpLowerOnVolts : kBpUpperOnVolts] =
            onVolts ? 1.0f : 0.0f;
    }
}

void BreakpointWindow::storeAs(int slot) {
    storeBreakpoint();
    p_.conversion.BPconvert[storedRow(slot)] = rec();
}

void BreakpointWindow::get(int slot) {
    rec() = p_.conversion.BPconvert[storedRow(slot)];
    field_ = fieldText(rec()[kBpBreakpoint]);
}

void BreakpointWindow::storeBreakpoint() {
    rec()[kBpBreakpoint] = static_cast<float>(fieldValue(field_));
}

void BreakpointWindow::done() {
    storeBreakpoint();
    p_.channels.Nvar[0][channel_] = static_cast<float>(kConvBreakpoint);
}

void BreakpointWindow::closeBox() {
    storeBreakpoint();
    p_.channels.Nvar[0][channel_] = previousType_;
}

}  // namespace trindel
