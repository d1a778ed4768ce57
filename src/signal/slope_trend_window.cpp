#include "signal/slope_trend_window.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "text/field_text.h"

namespace trindel {

SlopeTrendWindow::SlopeTrendWindow(const AlarmState& alarm, int nChan)
    : nChan_(std::clamp(nChan, 0, 16)) {
    for (size_t c = 1; c <= 16; ++c) {
        show_[c] = alarm.alarms[c][21] != 0.0f;
        points_[c] = fieldText(alarm.alarms[c][22]);
    }
}

size_t SlopeTrendWindow::index(int channel) const {
    if (channel < 1 || channel > nChan_) {
        throw std::out_of_range("no such channel in the slope window");
    }
    return static_cast<size_t>(channel);
}

void SlopeTrendWindow::toggleShowSlope(int channel) {
    const size_t c = index(channel);
    show_[c] = !show_[c];
}

void SlopeTrendWindow::setPoints(int channel, std::string text) {
    points_[index(channel)] = std::move(text);
}

void SlopeTrendWindow::clearAll() {
    std::fill(show_.begin(), show_.end(), false);
}

void SlopeTrendWindow::setAll() {
    for (int c = 1; c <= nChan_; ++c) {
        show_[static_cast<size_t>(c)] = true;
    }
}

void SlopeTrendWindow::slopeSetupOK(AlarmState& alarm) const {
    for (int c = 1; c <= nChan_; ++c) {
        const auto i = static_cast<size_t>(c);
        const double typed = fieldValue(points_[i]);
        const double whole = typed >= 0.0 && typed < 2.0e6 ? std::trunc(typed) : 0.0;
        alarm.alarms[i][21] = show_[i] ? 1.0f : 0.0f;
        alarm.alarms[i][22] = static_cast<float>(whole);
    }
}

}  // namespace trindel
