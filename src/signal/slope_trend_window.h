// The slope-indicator window (SETSLOPETREND) as a model: per channel "Show Slope" and the
// "number of points", "Clear All", "Set All", and what "Slope Setup OK" stores.
#pragma once

#include <array>
#include <string>

#include "state/control_state.h"

namespace trindel {

class SlopeTrendWindow {
  public:
    SlopeTrendWindow(const AlarmState& alarm, int nChan);

    int channels() const { return nChan_; }
    bool showSlope(int channel) const { return show_[index(channel)]; }
    const std::string& points(int channel) const { return points_[index(channel)]; }

    void toggleShowSlope(int channel);
    void setPoints(int channel, std::string text);
    void clearAll();
    void setAll();

    // "Slope Setup OK": element 21 takes the box, element 22 the field as a whole number
    // (a field that is not a number, or is negative, gives 0).
    void slopeSetupOK(AlarmState& alarm) const;

  private:
    size_t index(int channel) const;

    int nChan_;
    std::array<bool, 17> show_{};
    std::array<std::string, 17> points_{};
};

}  // namespace trindel
