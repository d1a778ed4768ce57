// The menu bar as a table: menus, item texts, command keys, check marks and what a choice does.
// Every menu and item of the bar is listed; a window hooks in by the item's menu and number, and
// an item whose window is not there yet stays disabled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sounds.h"
#include "state/program.h"

namespace trindel {

struct MenuItemDef {
    // 1 File, 2 Edit, 3 View, 4 A-D, 5 D-A, 6 Special, 7 Help; submenus 79 (digits), 90 and 91
    // (grids), 100 and 120 (per channel), 101 (window size), 110 (averaging), 112 (A-D device).
    int16_t menu;
    int16_t item;
    std::string text;
    char key = 0;         // command key, 0 for none
    int16_t submenu = 0;  // this item opens the submenu with this number
};

struct MenuDef {
    int16_t menu;
    std::string title;
    std::vector<MenuItemDef> items;  // in order; an empty text is a separator
};

// The bar in order, with submenus listed after the main menus.
const std::vector<MenuDef>& menuBar();

// The item's row, or null for a separator or an item not in the bar.
const MenuItemDef* findMenuItem(int menu, int item);

// The text shown: the table's, except the per-channel submenus ("Ch.3   label"), "Automarkers"
// in scope-plus-chart mode and the A-D device submenu, whose items follow the device (empty:
// the device has no such item).
std::string menuItemText(const Program& p, int menu, int item);

// Items DoMENU carries out by itself (flags, formats, averaging, digits, Test Mode, Save, Quit);
// every other item needs a window hooked in by the front end.
bool menuItemActsInCore(int menu, int item);

// Items that carry a check mark at all.
bool menuItemCheckable(int menu, int item);
bool menuItemChecked(const Program& p, int menu, int item);
// `optionsOpen`: the after-run options window is up (saving is possible); `recording`: menus
// are switched off during a run except Quit.
bool menuItemEnabled(const Program& p, int menu, int item, bool optionsOpen, bool recording);

enum class MenuCommand {
    None,
    SaveData,
    Quit,
    Redraw,
    Refused,
    // Submenu 112 "External A-D Device": the device's windows and exchanges.
    DeviceInputs,    // DATATAKERSTATUS
    DeviceMode,      // DT800COMMUNICATIONS
    DeviceReset,     // ResetDataTaker
    DeviceFirmware,  // GetFirmware(0)
    DeviceFlush,     // FlushDT800Buffer(0)
    // A-D item 4 "UI2 Serial Instruments...": SerialInstrumentInput.
    DeviceSerialInstruments,
};

// Carries out a choice: flags are toggled here (with the rising or falling cue); commands that
// need the driver are returned. MENUID and item are left in the event fields.
MenuCommand DoMENU(Program& p, Sounds& sounds, int menu, int item);

}  // namespace trindel
