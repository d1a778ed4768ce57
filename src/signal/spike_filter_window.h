// The "Data Spike Filter" window as a model: a check box and a ratio field per channel, the
// "all filters off" and "set filters to:" buttons, double filtration, and what "Done" stores.
#pragma once

#include <array>
#include <string>

#include "state/conversion_tables.h"
#include "state/prefs_array.h"

namespace trindel {

inline constexpr const char* kSpikeFilterTitle = "Data Spike Filter";
inline constexpr const char* kDoubleFiltrationText =
    "Use Double Spike Filtration (Slower, But Better Discrimination)";
inline constexpr std::array<float, 5> kSpikeFilterPresets{1.2f, 1.5f, 2.0f, 5.0f, 10.0f};

class SpikeFilterWindow {
  public:
    // Opens on the channels' stored ratios and the double-filtration preference.
    SpikeFilterWindow(const ConversionTables& tables, const PrefsArray& prefs, int nChan);

    int channels() const { return nChan_; }
    bool checked(int channel) const { return ratios_[index(channel)] != 0.0f; }
    const std::string& field(int channel) const { return fields_[index(channel)]; }
    bool doubleFiltration() const { return doubleFiltration_; }

    // The user types into a channel's ratio field.
    void setField(int channel, std::string text);

    // Clicks a channel's check box; returns the sound to play ("upVip" or "downVip").
    const char* clickChannel(int channel);
    const char* allFiltersOff();
    // One of the "set filters to:" buttons (any value is accepted; the window offers the presets).
    const char* setAllFilters(float ratio);
    void toggleDoubleFiltration() { doubleFiltration_ = !doubleFiltration_; }

    // "Done" or the close box: stores each switched-on channel's field (a value above 1, else 0),
    // the double-filtration preference (33) and whether any filter is on (32). Returns that last
    // flag, which also checks the "Spike Filter…" menu item.
    bool done(ConversionTables& tables, PrefsArray& prefs) const;

  private:
    size_t index(int channel) const;

    int nChan_ = 0;
    std::array<float, 17> ratios_{};
    std::array<std::string, 17> fields_{};
    bool doubleFiltration_ = false;
};

}  // namespace trindel
