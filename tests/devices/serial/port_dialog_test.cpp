#include "devices/serial/port_dialog.h"

#include <gtest/gtest.h>

#include "state/program.h"

namespace trindel {
namespace {

std::vector<SerialPortInfo> ports(std::initializer_list<const char*> names) {
    std::vector<SerialPortInfo> out;
    for (const char* n : names) {
        out.push_back({n, std::string("/dev/") + n, ""});
    }
    return out;
}

TEST(PortDialog, ListingAndPreferredPort) {
    struct Case {
        std::vector<SerialPortInfo> system;
        std::vector<int> listed;
        int preferred;
        int provisional;
    };
    const Case cases[] = {
        {ports({"Bluetooth-Incoming", "USA19H1a", "FT232R", "modem", "Modem2"}), {2, 3}, 2, 3},
        {ports({"KeySerial1", "USA19H2", "KeySerial2"}), {1, 2, 3}, 3, 3},
        {ports({"USA19H2", "USA19H9", "FT232R"}), {1, 2, 3}, 1, 3},
        {ports({"FT232R"}), {1}, 0, 1},
    };
    for (const Case& c : cases) {
        Program p;
        p.device.External_AD = 4;
        PortDialogModel m(p, c.system);
        EXPECT_EQ(m.listed(), c.listed);
        EXPECT_EQ(m.preferred(), c.preferred);
        EXPECT_EQ(m.chosenPort(), c.provisional);  // the last listed port is preselected
        EXPECT_EQ(m.headingLines().front(), "Available serial ports:");
        EXPECT_EQ(m.title(), "Serial Port Selection:  DT800");
    }
}

TEST(PortDialog, HeightGrowsBeyondFourPortsListedOrNot) {
    Program p;
    const int four = PortDialogModel(p, ports({"a", "b", "c", "d"})).height();
    EXPECT_EQ(PortDialogModel(p, ports({"a"})).height(), four);
    EXPECT_EQ(PortDialogModel(p, ports({"a", "b", "c", "d", "Bluetooth", "Modem"})).height(),
              four + 40);
}

TEST(PortDialog, NoUsablePortSetsTheDemonstrationModeAtOnce) {
    for (const int16_t device : {4, 8}) {
        Program p;
        p.device.External_AD = device;
        p.menus.Sound_Is_On = 0;
        PortDialogModel m(p, ports({"Bluetooth-PDA", "modem"}));
        EXPECT_TRUE(m.noPorts());
        EXPECT_EQ(m.headingLines().front(), "No appropriate ports found!");
        EXPECT_EQ(m.openingSound(), "AlarmBUZZ");
        EXPECT_EQ(p.device.ActiveSerialPort, 0);
        EXPECT_EQ(p.device.DemonstrationMODE, 1);
        EXPECT_EQ(p.device.External_AD, device == 8 ? 8 : 0);  // streaming keeps its code
        EXPECT_FALSE(m.canConfirm());
        // A typed path (a pseudo-terminal is never listed) brings the device back.
        m.typePath("/dev/pts/7");
        m.selectionOK();
        EXPECT_EQ(m.outcome(), PortDialogModel::Outcome::Chosen);
        EXPECT_EQ(m.chosenPath(), "/dev/pts/7");
        EXPECT_EQ(p.device.External_AD, device);
        EXPECT_EQ(p.device.DemonstrationMODE, 0);
    }
}

TEST(PortDialog, AutomaticSelection) {
    struct Case {
        std::vector<SerialPortInfo> system;
        int chosen;
    };
    for (const Case& c : {Case{ports({"FT232R", "USA19H3", "PL2303"}), 2},
                          Case{ports({"FT232R", "PL2303"}), 2}}) {  // no preferred: last listed
        Program p;
        p.prefs[kPrefAutoSelectPort] = 1;
        PortDialogModel m(p, c.system);
        EXPECT_TRUE(m.skipsDialog());
        EXPECT_EQ(m.chosenPort(), c.chosen);
        EXPECT_EQ(p.device.ActiveSerialPort, -c.chosen);
    }
}

TEST(PortDialog, ButtonsAndBaudRates) {
    Program p;
    p.device.External_AD = 2;
    p.device.baudrate = 4800;
    PortDialogModel m(p, ports({"FT232R", "PL2303"}));
    EXPECT_EQ(m.baudItems()[static_cast<size_t>(m.baudIndex())], 4800);
    m.chooseBaud(4);
    EXPECT_EQ(p.device.baudrate, 9600);
    m.choosePort(1);
    EXPECT_EQ(m.chosenPath(), "/dev/FT232R");
    m.choosePort(9);  // not listed: ignored
    EXPECT_EQ(m.chosenPort(), 1);
    m.selectionOK();
    EXPECT_EQ(p.prefs[kPrefSkipDeviceChooser], 1);
    m.useDemoMode();
    EXPECT_EQ(p.prefs[kPrefSkipDeviceChooser], 0);
    EXPECT_EQ(p.device.External_AD, 0);
    EXPECT_EQ(p.device.ActiveSerialPort, 0);
    // A speed that is not in the pop-up shows as its last item; the UI2 always uses 115200.
    Program q;
    q.device.baudrate = 1000;
    EXPECT_EQ(PortDialogModel(q, ports({"a"})).baudIndex(), 9);
    q.device.External_AD = 1;
    PortDialogModel ui2(q, ports({"a"}));
    EXPECT_EQ(q.device.baudrate, 115200);
}

}  // namespace
}  // namespace trindel
