#include "ui/preferences_window.h"

namespace trindel {

namespace {

struct Size {
    int width, height;
};
// The fixed sizes of the default-size pop-up, values 1 to 4.
constexpr Size kSizes[] = {{640, 480}, {800, 600}, {832, 624}, {1024, 768}};
constexpr int kCurrentSize = 5;
constexpr int kFillScreen = 6;

}  // namespace

const std::vector<PrefItem>& preferenceItems() {
    static const std::vector<PrefItem> items = {
        {0, PrefControl::Check, kPrefSoundSwitch, "Play Sounds at Events", {}},
        {0, PrefControl::Check, 2, "Use 'Weird' Sounds", {}},
        {0, PrefControl::Check, 5, "Use Large Readouts in Plots", {}},
        {0, PrefControl::Check, 6, "Show Switching Status in Plots", {}},
        {0, PrefControl::Check, 22, "Show Time Grid Lines in Plots", {}},
        {0, PrefControl::Check, 24, "Show Zero Lines in Plots", {}},
        {0, PrefControl::Check, 10, "Always Show Help Data", {}},
        {0, PrefControl::Check, 51, "Enable Toolbar Help", {}},
        {0, PrefControl::Check, 14, "'Aqua' Style Window Labels", {}},
        {0, PrefControl::Check, 21, "Show the 'Hexley' OS X mascot ", {}},
        {0, PrefControl::Radio, 15, "Toolbar:", {{0, "Dark Toolbar"}, {1, "Light Toolbar"}}},
        {0,
         PrefControl::PopUp,
         8,
         "Set Default Size at:",
         {{1, "640 X 480"},
          {2, "800 X 600"},
          {3, "832 X 624"},
          {4, "1024 X 768"},
          {kCurrentSize, "Current Size"},
          {kFillScreen, "Fill Screen"}}},
        {1,
         PrefControl::Radio,
         3,
         "Digital Control Mode:",
         {{0, "1 line/device"}, {1, "3-bit Word (Sable devices)"}}},
        {1,
         PrefControl::Radio,
         kPrefFileFormat,
         "Default File Format is",
         {{0, "Kestrine Binary"}, {1, "Sable ExpeData"}, {2, "ASCII Text Format"}}},
        {1, PrefControl::Check, 52, "Add Extension (.kstn, .sabl, .txt) to Data Files", {}},
        {1, PrefControl::Check, 7, "Check Backup File Name", {}},
        {1, PrefControl::Check, 28, "Use Automatic Backup", {}},
        {1, PrefControl::Check, 31, "Warn Before Overwriting Files or Flushing Unsaved Data", {}},
        {1, PrefControl::Check, 53, "Automatically Select Serial Port at Startup", {}},
        {2,
         PrefControl::Radio,
         18,
         "For a bad A/D reading, store:",
         {{0, "'-99999'"}, {1, "Last Sample Value"}}},
        {2, PrefControl::Check, 30, "Use Continuous Scanning", {}},
        {2, PrefControl::Check, 29, "Show Markers in 'Replay' Window", {}},
    };
    return items;
}

PreferencesWindowModel::PreferencesWindowModel(const Program& p)
    : prefs_(p.prefs), sound_(p.menus.Sound_Is_On != 0 ? 1 : 0) {}

int PreferencesWindowModel::value(const PrefItem& item) const {
    switch (item.index) {
        case kPrefSoundSwitch:
            return sound_;
        case kPrefFileFormat:
            return prefs_[16] != 0 ? 1 : (prefs_[17] != 0 ? 2 : 0);
        case 8:
            return prefs_[8] >= 1 && prefs_[8] <= 6 ? prefs_[8] : kCurrentSize;
        default:
            break;
    }
    const int v = prefs_[item.index];
    return item.control == PrefControl::Check ? (v != 0 ? 1 : 0) : v;
}

void PreferencesWindowModel::setValue(const PrefItem& item, int v) {
    switch (item.index) {
        case kPrefSoundSwitch:
            sound_ = v != 0 ? 1 : 0;
            return;
        case kPrefFileFormat:
            prefs_[16] = v == 1 ? 1 : 0;
            prefs_[17] = v == 2 ? 1 : 0;
            return;
        default:
            break;
    }
    bool offered = item.control == PrefControl::Check ? (v == 0 || v == 1) : false;
    for (const PrefChoice& c : item.choices) {
        offered = offered || c.value == v;
    }
    if (offered) {
        prefs_[item.index] = static_cast<int16_t>(v);
    }
}

void PreferencesWindowModel::store(Program& p, int screenWidth, int screenHeight) const {
    const int16_t oldSize = p.prefs[8];
    p.prefs = prefs_;
    // The menus and the recording core read one sound switch each; both follow the window.
    p.menus.Sound_Is_On = sound_;
    p.session.Sound_Is_On = sound_;
    const int size = prefs_[8];
    if (size == oldSize) {
        return;
    }
    if (size >= 1 && size <= 4) {
        const Size s = kSizes[size - 1];
        if (s.width <= screenWidth && s.height <= screenHeight) {
            p.prefs[11] = static_cast<int16_t>(s.width);
            p.prefs[12] = static_cast<int16_t>(s.height);
        }
    } else if (size == kFillScreen) {
        p.prefs[11] = static_cast<int16_t>(screenWidth - 30);
        p.prefs[12] = static_cast<int16_t>(screenHeight - 47);
    }
}

}  // namespace trindel
