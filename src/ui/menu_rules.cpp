// What the menu items show and do: texts that follow the program, check marks, enabling and the
// choices the core carries out itself.
#include <algorithm>

#include "platform/events.h"
#include "ui/channel_editing.h"
#include "ui/menu_table.h"

namespace trindel {

namespace {

// Menu items that only flip a preference flag, with the flag.
struct FlagItem {
    int menu, item, pref;
};
constexpr FlagItem kFlagItems[] = {
    {2, 11, kPrefWeirdSounds},       {3, 13, kPrefSwitchingStatusInPlots},
    {3, 14, kPrefLargeReadouts},     {3, 17, 10},
    {90, 1, kPrefShowTimeGrids},     {90, 2, kPrefDashedGridLines},
    {90, 4, kPrefDashedMarkerLines}, {91, 1, kPrefShowScaleGrid},
    {91, 2, kPrefManyGridLines},     {91, 4, kPrefShowZeroLines},
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

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
        s.pop_back();
    }
    return s;
}

// Any channel has an alarm switched on (element 0 of its alarm row).
bool anyAlarmSet(const Program& p) {
    for (int c = 1; c <= 16; ++c) {
        if (p.alarm.alarms[static_cast<size_t>(c)][0] != 0.0f) {
            return true;
        }
    }
    return false;
}

// The D-A menu by device: none for the DT500, DT50 and serial instruments, no channel 2 on the
// DT800; only in the chart modes.
bool analogOutputItemEnabled(const Program& p, int item) {
    const int16_t device = p.device.External_AD;
    if (p.session.RecordingMODE == 2 || device == 2 || device == 3 || device == 8) {
        return false;
    }
    return !(device == 4 && (item == 4 || item == 5));
}

int repeatFlag(const Program& p) {
    return p.session.RecordingMODE == 3 ? kPrefAutomarkers : kPrefAutorepeat;
}

// The A-D device submenu by device: items 1 to 5, empty where the device has none.
struct DeviceItems {
    int device;
    const char* items[5];
};
constexpr DeviceItems kDeviceItems[] = {
    {1, {"    Sable UI2 Temperature Channels...", "    UI2 Firmware\xC9", "", "", ""}},
    {2, {"    DataTaker Inputs...", "", "    Reset DataTaker", "    DT500 Firmware\xC9", ""}},
    {3, {"    DataTaker Inputs...", "", "    Reset DataTaker", "    DT50 Firmware\xC9", ""}},
    {4,
     {"    DataTaker Inputs...", "    DT800 Acquisition Mode...", "    Reset DataTaker",
      "    DT800 Firmware\xC9", "    Flush DT800 Buffer\xC9"}},
    {5,
     {"    ADAM-4019 Inputs...", "", "    ADAM Firmware and CJC\xC9", "",
      "    Set ADAM Module Address\xC9"}},
};

constexpr double kSlowestBeepInterval = 0.2;

}  // namespace

std::string menuItemText(const Program& p, int menu, int item) {
    if ((menu == 100 || menu == 120) && item >= 1 && item <= 16) {
        // "Ch.3   label", cut to fit a menu.
        std::string text = "Ch." + std::to_string(item) + "   " + trimmed(p.channels.label(item));
        return text.substr(0, 40);
    }
    if (menu == 4 && item == 19 && p.session.RecordingMODE == 3) {
        return "Automarkers";
    }
    if (menu == 112 && item >= 1 && item <= 5) {
        if (p.device.DemonstrationMODE != 0) {
            return "";
        }
        for (const DeviceItems& d : kDeviceItems) {
            if (d.device == p.device.External_AD) {
                return d.items[item - 1];
            }
        }
        return "";
    }
    const MenuItemDef* def = findMenuItem(menu, item);
    return def != nullptr ? def->text : std::string();
}

bool menuItemActsInCore(int menu, int item) {
    if (flagItem(menu, item) != nullptr || menu == 79 || menu == 110 || menu == 112) {
        return true;
    }
    switch (menu * 100 + item) {
        case 101:
        case 103:
        case 104:
        case 105:
        case 114:
        case 210:
        case 404:
        case 409:
        case 415:
        case 419:
            return true;
        default:
            return false;
    }
}

bool menuItemCheckable(int menu, int item) {
    if (flagItem(menu, item) != nullptr || menu == 79 || menu == 110) {
        return true;
    }
    switch (menu * 100 + item) {
        case 103:
        case 104:
        case 105:
        case 107:
        case 210:
        case 404:
        case 409:
        case 412:
        case 415:
        case 416:
        case 419:
        case 501:
        case 502:
        case 504:
        case 505:
        case 11201:
            return true;
        default:
            return false;
    }
}

bool menuItemChecked(const Program& p, int menu, int item) {
    if (const FlagItem* f = flagItem(menu, item)) {
        return p.prefs[f->pref] != 0;
    }
    const bool text = p.prefs[kPrefFormatText] != 0;
    const bool expe = p.prefs[kPrefFormatExpeData] != 0;
    const bool allContinuous = p.prefs[kPrefContinuousScanning] != 0;
    const bool lastContinuous = p.prefs[kPrefLastChannelContinuous] != 0;
    switch (menu * 100 + item) {
        case 103:
            return !text && !expe;
        case 104:
            return text;
        case 105:
            return expe;
        case 107:
            return p.session.TimedSaveINTERVAL != 0;
        case 210:
            return soundsOn(p.menus);
        case 409:
            return p.device.DemonstrationMODE != 0;
        case 412:
            return p.prefs[kPrefSpikeFilter] != 0;
        case 415:
            return p.prefs[kPrefBeepAtSample] != 0;
        case 416:
            return anyAlarmSet(p);
        case 419:
            return p.prefs[repeatFlag(p)] != 0;
        case 501:
            return p.analogOutput.AO1on != 0;
        case 504:
            return p.analogOutput.AO2on != 0;
        case 502:
        case 505:
            return p.feedback.FeedbackON != 0;
        case 7901:
        case 7902:
        case 7903:
            return p.session.SigFigs - 3 == item;
        case 11001:
            return !allContinuous && !lastContinuous;
        case 11002:
            return !allContinuous && lastContinuous;
        case 11003:
            return allContinuous;
        case 11201:
            return p.device.External_AD >= 1 && p.device.External_AD <= 3;
        default:
            return false;
    }
}

bool menuItemEnabled(const Program& p, int menu, int item, bool optionsOpen, bool recording) {
    if (menu == 1 && item == 14) {
        return true;
    }
    if (recording) {
        return false;
    }
    if (menu == 100 || menu == 120) {
        if (menu == 100 && item == 1 && p.session.RecordingMODE > 1) {
            return false;
        }
        return item >= 1 && item <= p.session.nChan;
    }
    if (menu == 112) {
        // The inputs window needs channels to show.
        return !menuItemText(p, menu, item).empty() && (item != 1 || p.session.nChan > 0);
    }
    switch (menu * 100 + item) {
        case 101:
            return optionsOpen;
        case 211:
            return soundsOn(p.menus);
        case 216:
            return p.session.nChan > 0 &&
                   (p.session.RecordingMODE == 1 || p.session.RecordingMODE == 3);
        case 217:
            return p.session.nChan > 0 &&
                   (p.session.RecordingMODE == 2 || p.session.RecordingMODE == 3);
        case 219:
            return p.session.nChan > 0;
        case 308:
        case 309:
            return p.session.nChan > 0 && p.session.RecordingMODE != 2;
        case 313:
            return p.session.SwitchingMode != 0;
        case 317:
            return p.prefs[kPrefWindowWidth] != 640;
        case 404:
            return p.device.External_AD == 1;
        case 202:
            return p.session.nChan > 1 && p.session.RecordingMODE != 2;
        case 420:
            return cutChannelsEnabled(p);
        case 421:
            return addChannelEnabled(p);
        case 415:
            return p.session.ChartINTERVALinSECONDS >= kSlowestBeepInterval;
        case 418:
            return p.session.RecordingMODE != 0;
        case 501:
        case 502:
        case 504:
        case 505:
        case 507:
        case 508:
            return analogOutputItemEnabled(p, item);
        case 9002:
            return p.prefs[kPrefShowTimeGrids] != 0;
        case 9102:
            return p.prefs[kPrefShowScaleGrid] != 0;
        default:
            return true;
    }
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
    const int last = std::clamp<int>(p.session.nChan, 0, kMaxChannels);
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
        case 404:
            return MenuCommand::DeviceSerialInstruments;
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
        case 409:
            p.device.External_AD = 0;
            p.device.DemonstrationMODE = 1;
            if (soundsOn(p.menus)) {
                sounds.play("switch");
            }
            return MenuCommand::Redraw;
        case 415:
            // A beep every sample is refused at intervals below 0.2 s.
            if (p.session.ChartINTERVALinSECONDS < kSlowestBeepInterval) {
                p.prefs[kPrefBeepAtSample] = 0;
                return MenuCommand::Refused;
            }
            p.prefs.TogglePrefs(kPrefBeepAtSample);
            if (p.prefs[kPrefBeepAtSample] != 0 && soundsOn(p.menus)) {
                sounds.play("sample");
            }
            return MenuCommand::None;
        case 419:
            p.prefs.TogglePrefs(repeatFlag(p));
            cue(p, sounds, p.prefs[repeatFlag(p)] != 0);
            return MenuCommand::None;
        case 7901:
        case 7902:
        case 7903:
            p.session.SigFigs = static_cast<int16_t>(item + 3);
            p.events.Action = kEventRedraw;
            return MenuCommand::Redraw;
        case 11001:
        case 11002:
        case 11003:
            p.prefs[kPrefContinuousScanning] = item == 3 ? 1 : 0;
            p.prefs[kPrefLastChannelContinuous] = item == 2 ? 1 : 0;
            if (item != 3 && last >= 1) {
                p.channels.Nvar[static_cast<size_t>(last)][kSamplesToAverage] =
                    item == 1 ? static_cast<float>(std::max<int16_t>(1, p.chart.MaxAvrg)) : 0.0f;
            }
            if (soundsOn(p.menus)) {
                sounds.play("switch");
            }
            return MenuCommand::None;
        default:
            return MenuCommand::None;
    }
}

}  // namespace trindel
