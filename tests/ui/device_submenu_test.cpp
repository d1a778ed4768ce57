#include <gtest/gtest.h>

#include "platform/virtual_platform.h"
#include "state/program.h"
#include "ui/menu_table.h"

namespace trindel {
namespace {

// The External A-D Device submenu shows the logger's items, and a choice asks for its window.
TEST(DeviceSubmenu, ItemsFollowTheLogger) {
    struct Case {
        int16_t device;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {2, {"    DataTaker Inputs...", "", "    Reset DataTaker", "    DT500 Firmware\xC9", ""}},
        {3, {"    DataTaker Inputs...", "", "    Reset DataTaker", "    DT50 Firmware\xC9", ""}},
        {4,
         {"    DataTaker Inputs...", "    DT800 Acquisition Mode...", "    Reset DataTaker",
          "    DT800 Firmware\xC9", "    Flush DT800 Buffer\xC9"}},
        {0, {"", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        Program p;
        p.device.External_AD = c.device;
        p.device.DemonstrationMODE = c.device == 0 ? 1 : 0;
        for (int item = 1; item <= 5; ++item) {
            EXPECT_EQ(menuItemText(p, 112, item), c.texts[static_cast<size_t>(item - 1)]);
            EXPECT_EQ(menuItemEnabled(p, 112, item, true, false),
                      !c.texts[static_cast<size_t>(item - 1)].empty() && item != 1);
        }
        p.session.nChan = 2;
        EXPECT_EQ(menuItemEnabled(p, 112, 1, true, false), c.device != 0);
        EXPECT_FALSE(menuItemEnabled(p, 112, 3, true, true));  // not while recording
    }
    Program p;
    VirtualSounds sounds;
    EXPECT_EQ(DoMENU(p, sounds, 112, 4), MenuCommand::DeviceFirmware);
    EXPECT_EQ(p.events.MENUID, 255);
    EXPECT_EQ(DoMENU(p, sounds, 112, 5), MenuCommand::DeviceFlush);
}

}  // namespace
}  // namespace trindel
