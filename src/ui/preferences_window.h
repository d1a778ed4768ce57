// The "User Preferences" window as a model: its three tabs of check boxes, radio groups and the
// default-size pop-up over the preference flags, the sound switch, and what "OK" stores.
#pragma once

#include <string>
#include <vector>

#include "state/program.h"

namespace trindel {

enum class PrefControl { Check, Radio, PopUp };

struct PrefChoice {
    int value;
    const char* text;
};

// One control of the window. A check box inverts its flag; a radio group or pop-up stores the
// chosen value. Index kPrefSoundSwitch is the sound switch, kPrefFileFormat the file format
// (indices 16 and 17 together).
struct PrefItem {
    int tab;  // 0 "Appearance, Sounds", 1 "A-D Interface, Files", 2 "Acquiring Data"
    PrefControl control;
    int index;
    const char* text;
    std::vector<PrefChoice> choices;
};

inline constexpr int kPrefSoundSwitch = 100;
inline constexpr int kPrefFileFormat = 101;
inline constexpr const char* kPreferencesTabs[] = {"Appearance, Sounds", "A-D Interface, Files",
                                                   "Acquiring Data"};

const std::vector<PrefItem>& preferenceItems();

class PreferencesWindowModel {
  public:
    explicit PreferencesWindowModel(const Program& p);

    // The value an item shows: 0 or 1 for a check box, the chosen value otherwise. The window-size
    // pop-up shows 5 for any value outside 1 to 6; the file format is 0 binary, 1 ExpeData,
    // 2 text.
    int value(const PrefItem& item) const;
    void setValue(const PrefItem& item, int value);
    void toggle(const PrefItem& item) { setValue(item, value(item) != 0 ? 0 : 1); }

    // "OK": the flags and the sound switch go into the program. A fixed default size sets the
    // recording window's width and height (indices 11, 12); "Fill Screen" the screen less 30 by
    // 47 pixels.
    void store(Program& p, int screenWidth, int screenHeight) const;

  private:
    PrefsArray prefs_;
    int sound_;
};

}  // namespace trindel
