#include "ui/menu_table.h"

#include "platform/events.h"

namespace trindel {

namespace {

// Menu items that only flip a preference flag, with the flag.
struct FlagItem {
    int menu, item, pref;
};
constexpr FlagItem kFlagItems[] = {
    {2, 11, kPrefWeirdSounds},     {3, 14, kPrefLargeReadouts},     {90, 1, kPrefShowTimeGrids},
    {90, 2, kPrefDashedGridLines}, {90, 4, kPrefDashedMarkerLines}, {91, 1, kPrefShowScaleGrid},
    {91, 2, kPrefManyGridLines},   {91, 4, kPrefShowZeroLines},
};

const FlagItem* flagItem(int menu, int item) {
    for (const FlagItem& f : kFlagItems) {
        if (f.menu == menu && f.item == item) {
            return &f;
        }
    }
    return nullptr;
}

void cue(Program& p, Sounds& sounds, bool on) {
    if (soundsOn(p.menus)) {
        sounds.play(on ? "upVip" : "downVip");
    }
}

}  // namespace

const std::vector<MenuDef>& menuBar() {
    static const std::vector<MenuDef> kBar = {
        {1,
         "File",
         {{1, 1, "Save Data As...", 'S'},
          {1, 2, ""},
          {1, 3, "Kestrine Binary Rormat"},
          {1, 4, "ASCII Text Format"},
          {1, 5, "Sable ExpeData Format"},
          {1, 6, ""},
          {1, 14, "Quit", 'Q'}}},
        {2, "Edit", {{2, 10, "Play Sounds"}, {2, 11, "    Weird Sounds"}}},
        {3,
         "View",
         {{3, 3, "Time Grid Display", 0, 90},
          {3, 4, "Scale Grid Display", 0, 91},
          {3, 5, ""},
          {3, 14, "Large Readouts", 'L'}}},
        {4, "A-D", {{4, 6, "External A-D Device", 0, 112}}},
        {6,
         "Special",
         {{6, 3, "   STP Adjustment\xC9"},
          {6, 4, "   Altitude and Pressure\xC9"},
          {6, 5, "          Altitude Simulation\xC9"},
          {6, 6, "   pO2 Estimation\xC9"},
          {6, 7, "   Dissolved Oxygen\xC9"},
          {6, 8, ""},
          {6, 9, "   Metabolic Allometry, flow rates\xC9"},
          {6, 10, "   Q10 Adjustment\xC9"},
          {6, 11, "   Closed System Respirometry\xC9"},
          {6, 12, ""},
          {6, 13, "   Day of the Year\xC9"},
          {6, 14, "   Sunrise, Sunset\xC9"},
          {6, 15, "   Unit Conversions\xC9"}}},
        {112,
         "External A-D Device",
         {{112, 1, "    "},
          {112, 2, "    "},
          {112, 3, "    "},
          {112, 4, "    "},
          {112, 5, "    "}}},
        {90,
         "Time Grid Display",
         {{90, 1, "Show Time Grids"},
          {90, 2, "Dashed Grid Lines"},
          {90, 3, ""},
          {90, 4, "Dashed Marker Lines"}}},
        {91,
         "Scale Grid Display",
         {{91, 1, "Show Scale Grid", 'Y'},
          {91, 2, "Many Grid Lines"},
          {91, 3, ""},
          {91, 4, "Show Zero Lines"}}},
    };
    return kBar;
}

namespace {

bool isLogger(const Program& p) {
    const int16_t d = p.device.External_AD;
    return p.device.DemonstrationMODE == 0 && d >= 2 && d <= 4;
}

}  // namespace

std::string menuItemText(const Program& p, int menu, int item) {
    if (menu != 112) {
        for (const MenuDef& def : menuBar()) {
            for (const MenuItemDef& i : def.items) {
                if (i.menu == menu && i.item == item) {
                    return i.text;
                }
            }
        }
        return {};
    }
    if (!isLogger(p)) {
        return {};
    }
    const int16_t d = p.device.External_AD;
    const std::string model = d == 2 ? "DT500" : d == 3 ? "DT50" : "DT800";
    switch (item) {
        case 1:
            return "    DataTaker Inputs...";
        case 2:
            return d == 4 ? "    DT800 Acquisition Mode..." : "";
        case 3:
            return "    Reset DataTaker";
        case 4:
            return "    " + model + " Firmware\xC9";
        case 5:
            return d == 4 ? "    Flush DT800 Buffer\xC9" : "";
        default:
            return {};
    }
}

bool menuItemChecked(const Program& p, int menu, int item) {
    if (menu == 112 && item == 1) {
        return p.device.External_AD >= 1 && p.device.External_AD <= 3;
    }
    if (const FlagItem* f = flagItem(menu, item)) {
        return p.prefs[f->pref] != 0;
    }
    if (menu == 1) {
        const bool text = p.prefs[kPrefFormatText] != 0;
        const bool expe = p.prefs[kPrefFormatExpeData] != 0;
        return (item == 3 && !text && !expe) || (item == 4 && text) || (item == 5 && expe);
    }
    return menu == 2 && item == 10 && soundsOn(p.menus);
}

bool menuItemEnabled(const Program& p, int menu, int item, bool optionsOpen, bool recording) {
    if (menu == 1 && item == 14) {
        return true;
    }
    if (recording) {
        return false;
    }
    if (menu == 1 && item == 1) {
        return optionsOpen;
    }
    if (menu == 2 && item == 11) {
        return soundsOn(p.menus);
    }
    if (menu == 112) {
        // The inputs window needs channels to show.
        return isLogger(p) && !menuItemText(p, menu, item).empty() &&
               (item != 1 || p.session.nChan > 0);
    }
    if ((menu == 90 && item == 2)) {
        return p.prefs[kPrefShowTimeGrids] != 0;
    }
    if (menu == 91 && item == 2) {
        return p.prefs[kPrefShowScaleGrid] != 0;
    }
    return true;
}

MenuCommand DoMENU(Program& p, Sounds& sounds, int menu, int item) {
    // Choices in submenu 112 leave MENUID 255.
    p.events.MENUID = static_cast<int16_t>(menu == 112 ? 255 : menu);
    p.events.item = static_cast<int16_t>(item);
    if (const FlagItem* f = flagItem(menu, item)) {
        p.prefs.TogglePrefs(f->pref);
        const bool on = p.prefs[f->pref] != 0;
        if (f->pref == kPrefWeirdSounds && on && soundsOn(p.menus)) {
            sounds.play("rip");
            sounds.play("scream");
        } else {
            cue(p, sounds, on);
        }
        p.events.Action = kEventRedraw;
        return MenuCommand::Redraw;
    }
    switch (menu * 100 + item) {
        case 101:
            return MenuCommand::SaveData;
        case 103:
            p.prefs[kPrefFormatExpeData] = 0;
            p.prefs[kPrefFormatText] = 0;
            cue(p, sounds, true);
            return MenuCommand::None;
        case 104:
            p.prefs[kPrefFormatText] = 1;
            p.prefs[kPrefFormatExpeData] = 0;
            cue(p, sounds, false);
            return MenuCommand::None;
        case 105:
            p.prefs[kPrefFormatExpeData] = 1;
            p.prefs[kPrefFormatText] = 0;
            cue(p, sounds, false);
            return MenuCommand::None;
        case 114:
            return MenuCommand::Quit;
        case 11201:
            return MenuCommand::DeviceInputs;
        case 11202:
            return MenuCommand::DeviceMode;
        case 11203:
            return MenuCommand::DeviceReset;
        case 11204:
            return MenuCommand::DeviceFirmware;
        case 11205:
            return MenuCommand::DeviceFlush;
        case 210:
            p.menus.Sound_Is_On = p.menus.Sound_Is_On != 0 ? 0 : 1;
            if (soundsOn(p.menus)) {
                sounds.play("upVip");
            }
            return MenuCommand::None;
        default:
            return MenuCommand::None;
    }
}

}  // namespace trindel
