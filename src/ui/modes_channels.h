// Rules of the "Modes and Channels" window: the mode tabs, the channel-count buttons and when
// "Selection OK" may end the window.
#pragma once

#include <cstdint>

namespace trindel {

class ModesChannelsModel {
  public:
    // `externalDevice` starts the window in chart mode; `slowDevice` (ADC-1, DT500, DT50) offers
    // chart mode only.
    ModesChannelsModel(bool externalDevice, bool slowDevice, int maximumChannels);

    static constexpr int kFirstCountButton = 101;

    // Tab 1 chart, 2 scope, 3 scope plus chart; clears the channel count. Refused when the tab
    // is not offered.
    bool chooseTab(int mode);
    // Count button 101..116; refused beyond the buttons shown.
    bool chooseCountButton(int button);
    // Buttons shown for the current tab: 16 (or the machine's maximum) for chart (and before a tab
    // is chosen), 5 for scope plus chart, none for scope.
    int countButtons() const;
    bool tabOffered(int mode) const;
    bool okEnabled() const { return nChan_ > 0; }
    // Return acts as "Selection OK" only when a count is chosen.
    bool returnEndsWindow() const { return okEnabled(); }

    // "Use Setup File": a set-up file was loaded (the window then ends, keeping it) or not (the
    // window stays as it was).
    void useSetupFile(bool loaded) { setupKept_ = setupKept_ || loaded; }
    // The window ended with a loaded set-up: its mode, channels and interval stand.
    bool setupKept() const { return setupKept_; }

    int16_t RecordingMODE() const { return mode_; }
    int16_t nChan() const { return nChan_; }
    bool slowDevice() const { return slow_; }

  private:
    int16_t mode_ = 0;
    int16_t nChan_ = 0;
    bool slow_;
    int maximum_;
    bool setupKept_ = false;
};

}  // namespace trindel
