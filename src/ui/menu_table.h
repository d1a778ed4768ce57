// The menu bar as a table: menus, item texts, command keys, check marks and what a choice does.
// Only commands whose windows exist are listed; later features add their rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sounds.h"
#include "state/program.h"

namespace trindel {

struct MenuItemDef {
    int16_t menu;  // 1 File, 2 Edit, 3 View, 6 Special; 90 and 91 are View's grid submenus
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

bool menuItemChecked(const Program& p, int menu, int item);
// `optionsOpen`: the after-run options window is up (saving is possible); `recording`: menus
// are switched off during a run except Quit.
bool menuItemEnabled(const Program& p, int menu, int item, bool optionsOpen, bool recording);

enum class MenuCommand {
    None,
    SaveData,
    Quit,
    Redraw,
    // Submenu 112 "External A-D Device" for the loggers.
    DeviceInputs,    // DATATAKERSTATUS
    DeviceMode,      // DT800COMMUNICATIONS
    DeviceReset,     // ResetDataTaker
    DeviceFirmware,  // GetFirmware(0)
    DeviceFlush,     // FlushDT800Buffer(0)
};

// The text an item shows now: the table's, except submenu 112 whose items depend on the device
// ("" hides the item).
std::string menuItemText(const Program& p, int menu, int item);

// Carries out a choice: flags are toggled here (with the rising or falling cue); commands that
// need the driver are returned. MENUID and item are left in the event fields.
MenuCommand DoMENU(Program& p, Sounds& sounds, int menu, int item);

}  // namespace trindel
