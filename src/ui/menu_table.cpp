#include "ui/menu_table.h"

namespace trindel {

namespace {

// The per-channel submenus list channels 1..16; their texts follow the labels (menuItemText).
MenuDef channelSubmenu(int16_t menu, const char* title) {
    MenuDef def{menu, title, {}};
    for (int16_t n = 1; n <= 16; ++n) {
        def.items.push_back({menu, n, "Ch." + std::to_string(n)});
    }
    return def;
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
          {1, 7, "Timed Data Saves...", 'T'},
          {1, 8, "    Backup File Name...", 'B'},
          {1, 9, ""},
          {1, 10, "Load Preferences..."},
          {1, 11, ""},
          {1, 12, "Save Setup File...", 'M'},
          {1, 13, "Print Setup Data...", 'P'},
          {1, 14, "Quit", 'Q'}}},
        {2,
         "Edit",
         {{2, 1, "Custom Conversions..."},
          {2, 2, "Re-arrange Channel Order..."},
          {2, 9, ""},
          {2, 10, "Play Sounds"},
          {2, 11, "    Weird Sounds"},
          {2, 12, ""},
          {2, 13, "Data File Info...", 'I'},
          {2, 14, "Rate Records Precision..."},
          {2, 15, ""},
          {2, 16, "Chart Sample Rate...", 'R'},
          {2, 17, "Scope Sample Rate..."},
          {2, 18, ""},
          {2, 19, "External Device Control...", 'E'},
          {2, 20, ""},
          {2, 21, "Preferences..."}}},
        {3,
         "View",
         {{3, 1, "Screen Colors..."},
          {3, 2, ""},
          {3, 3, "Time Grid Display", 0, 90},
          {3, 4, "Scale Grid Display", 0, 91},
          {3, 5, ""},
          {3, 6, "Recording Window Size", 0, 101},
          {3, 7, ""},
          {3, 8, "Plot Height..."},
          {3, 9, "Chart Views and Tics...", 'G'},
          {3, 10, "Scope Views and Tics..."},
          {3, 11, ""},
          {3, 12, "Status Displays...", 'D'},
          {3, 13, "Show Switch Status"},
          {3, 14, "Large Readouts", 'L'},
          {3, 15, "Slope Trends..."},
          {3, 16, ""},
          {3, 17, "Always Show Help Data"},
          {3, 18, "     Open Help Window...", 'H'},
          {3, 19, ""},
          {3, 20, "Significant Digits", 0, 79}}},
        {4,
         "A-D",
         {{4, 1, "Conversion Equations", 0, 100},
          {4, 2, "Conversion Options", 0, 120},
          {4, 3, ""},
          {4, 4, "UI2 Serial Instruments..."},
          {4, 5, ""},
          {4, 6, "External A-D Device", 0, 112},
          {4, 7, "    Configure Serial Port..."},
          {4, 8, ""},
          {4, 9, "Test Mode ['DEMO']", 'F'},
          {4, 10, ""},
          {4, 11, "Sample Averaging", 0, 110},
          {4, 12, "Spike Filter\xC9"},
          {4, 13, ""},
          {4, 14, "Audible Event Timer\xC9"},
          {4, 15, "Beep at Sample"},
          {4, 16, "Alarms...", 'W'},
          {4, 17, ""},
          {4, 18, "Trigger Controls\xC9"},
          {4, 19, "Autorepeat"},
          {4, 20, "Cut Channels\xC9", 'K'},
          {4, 21, "Add a Channel\xC9"},
          {4, 22, ""},
          {4, 23, "2-channel X-Y Plot\xC9"},
          {4, 24, ""},
          {4, 25, "Extra Zero Linkages\xC9"}}},
        {5,
         "D-A",
         {{5, 1, "Analog Output, Channel 1\xC9"},
          {5, 2, "Feedback Control, Channel 1\xC9"},
          {5, 3, ""},
          {5, 4, "Analog Output, Channel 2\xC9"},
          {5, 5, "Feedback Control, Channel 2\xC9"},
          {5, 6, ""},
          {5, 7, "Open AO Data\xC9", 'O'},
          {5, 8, "Save AO Data\xC9"}}},
        {6,
         "Special",
         {{6, 1, "   Simple Math\xC9"},
          {6, 2, ""},
          {6, 3, "   STP Adjustment\xC9"},
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
        {7,
         "Help",
         {{7, 1, "Trindel Help Book"},
          {7, 2, ""},
          {7, 3, "     Kestrine Website"},
          {7, 4, "     Send Me an Email\xC9"},
          {7, 5, ""},
          {7, 6, "About Trindel..."}}},
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
        {101,
         "Recording Window Size",
         {{101, 1, "Drag to Desired Size..."},
          {101, 2, ""},
          {101, 3, "640 X 480"},
          {101, 4, "800 X 600"},
          {101, 5, "832 X 624"},
          {101, 6, "1024 X 768"},
          {101, 7, "Fill Screen"}}},
        {79, "Significant Digits", {{79, 1, "Four"}, {79, 2, "Five"}, {79, 3, "Six"}}},
        channelSubmenu(100, "Conversion Equations"),
        channelSubmenu(120, "Conversion Options"),
        {112,
         "External A-D Device",
         {{112, 1, "    Device Inputs..."},
          {112, 2, "    Device Settings..."},
          {112, 3, "    Reset Device"},
          {112, 4, "    Firmware\xC9"},
          {112, 5, "    Device Extra\xC9"}}},
        {110,
         "Sample Averaging",
         {{110, 1, "User-specified, Each Channel"},
          {110, 2, "Continuous, Last Channel"},
          {110, 3, "Continuous, All Channels", 'N'}}},
    };
    return kBar;
}

const MenuItemDef* findMenuItem(int menu, int item) {
    for (const MenuDef& def : menuBar()) {
        if (def.menu != menu) {
            continue;
        }
        for (const MenuItemDef& i : def.items) {
            if (i.item == item && !i.text.empty()) {
                return &i;
            }
        }
    }
    return nullptr;
}

}  // namespace trindel
