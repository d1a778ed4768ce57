#include "signal/averaging_window.h"

#include <cmath>

#include "text/field_text.h"

namespace trindel {

namespace {

bool continuousOn(const PrefsArray& prefs) {
    return prefs[kPrefContinuousScanning] != 0 || prefs[kPrefLastChannelContinuous] != 0;
}

}  // namespace

bool averagingWindowAvailable(const Program& p) {
    return p.session.RecordingMODE == 1 && p.prefs[kPrefContinuousScanning] == 0;
}

AveragingWindow::AveragingWindow(Program& p, int channel) : p_(p), channel_(channel) {
    field_ = std::to_string(p_.chart.MaxAvrg);
    refreshField();
}

std::string AveragingWindow::title() const {
    return "CHANNEL" + wholeNumberText(channel_);
}

bool AveragingWindow::lastChannelButtonShown() const {
    return p_.session.RecordingMODE == 1 && channel_ == p_.session.nChan;
}

bool AveragingWindow::absoluteValueEnabled() const {
    return p_.prefs[kPrefLastChannelContinuous] != 0;
}

void AveragingWindow::toggleAllChannels() {
    p_.prefs.TogglePrefs(kPrefContinuousScanning);
    p_.prefs[kPrefLastChannelContinuous] = 0;
    p_.conversion.AbsVal = 0;
    refreshField();
}

void AveragingWindow::toggleLastChannel() {
    p_.prefs.TogglePrefs(kPrefLastChannelContinuous);
    p_.prefs[kPrefContinuousScanning] = 0;
    if (p_.prefs[kPrefLastChannelContinuous] == 0) {
        p_.conversion.AbsVal = 0;
    }
    refreshField();
}

void AveragingWindow::toggleAbsoluteValue() {
    if (absoluteValueEnabled()) {
        p_.conversion.AbsVal = p_.conversion.AbsVal == 0 ? 1 : 0;
    }
}

void AveragingWindow::refreshField() {
    if (continuousOn(p_.prefs)) {
        field_ = kContinuousFieldText;
    } else if (field_ == kContinuousFieldText) {
        field_ = std::to_string(p_.chart.MaxAvrg);
    }
}

int AveragingWindow::selectionOK() const {
    if (p_.prefs[kPrefLastChannelContinuous] != 0 && channel_ == p_.session.nChan) {
        return 0;
    }
    const double typed = fieldValue(field_);
    if (!(typed >= 1.0)) {
        return 1;
    }
    return typed >= 1.0e6 ? 1000000 : static_cast<int>(typed);
}

}  // namespace trindel
