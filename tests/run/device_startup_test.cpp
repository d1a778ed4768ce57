#include "run/device_startup.h"

#include <gtest/gtest.h>

#include <functional>

#include "devices/device_table.h"
#include "devices/fake_serial_line.h"
#include "platform/virtual_platform.h"
#include "run/run_driver.h"

namespace trindel {
namespace {

// Only the port dialog is scripted; the other windows are not reached here.
class PortWindows final : public RunWindows {
  public:
    std::function<bool(PortDialogModel&)> answer;
    std::vector<std::string> lines;
    StartChoice startWindow(Program&, int&) override { return StartChoice::Quit; }
    bool modesAndChannels(Program&, ModesChannelsModel&) override { return false; }
    bool chartInterval(Program&, IntervalDialog&) override { return false; }
    int optionsWindow(Program&, const std::string&, const std::vector<OptionsButtonInfo>&,
                      const SampleRateReport&) override {
        return 0;
    }
    bool possibleDataLoss(const std::string&) override { return true; }
    bool saveFiles(Program&) override { return false; }
    void sampleRateWindow(const SampleRateReport&) override {}
    bool portDialog(Program&, PortDialogModel& model) override { return answer(model); }
    void startupLine(const std::string& line) override { lines.push_back(line); }
};

struct Start {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    PortWindows windows;
    FakeSerialLine* line = new FakeSerialLine;
    DeviceConnection connection{std::unique_ptr<SerialLine>(line)};
};

std::string dt800(const std::string& command) {
    return command == "STATUS1" ? "aT800 V6.18.0002  Flash 2048K\r\n" : "";
}

TEST(DeviceStartup, PortDialogOutcomes) {
    struct Case {
        const char* name;
        std::function<bool(PortDialogModel&)> dialog;
        bool answers;
        int alertAnswer;
        DeviceStartup result;
        int16_t device;
    };
    const Case cases[] = {
        {"typed path, logger answers",
         [](PortDialogModel& m) {
             m.typePath("/dev/pts/9");
             m.selectionOK();
             return true;
         },
         true, 0, DeviceStartup::Connected, 4},
        {"demonstration chosen",
         [](PortDialogModel& m) {
             m.useDemoMode();
             return true;
         },
         true, 0, DeviceStartup::Demonstration, 0},
        {"quit in the dialog", [](PortDialogModel&) { return false; }, true, 0, DeviceStartup::Quit,
         4},
        {"silent logger, proceed in demo mode",
         [](PortDialogModel& m) {
             m.typePath("/dev/pts/9");
             m.selectionOK();
             return true;
         },
         false, 0, DeviceStartup::Demonstration, 0},
        {"silent logger, quit",
         [](PortDialogModel& m) {
             m.typePath("/dev/pts/9");
             m.selectionOK();
             return true;
         },
         false, 1, DeviceStartup::Quit, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start s;
        s.p.prefs[kPrefSkipDeviceChooser] = 0;
        s.windows.answer = c.dialog;
        if (c.answers) {
            s.line->responder = dt800;
        }
        s.vp.host.alertAnswers = {c.alertAnswer};
        EXPECT_EQ(startExternalDevice(s.p, s.io, s.windows, s.connection, 4), c.result);
        EXPECT_EQ(s.p.device.External_AD, c.device);
        EXPECT_EQ(s.p.prefs[kPrefSkipDeviceChooser], 0);  // this session still chooses a mode
        if (c.result == DeviceStartup::Connected) {
            EXPECT_TRUE(s.connection.isOpen());
            EXPECT_EQ(s.p.device.DemonstrationMODE, 0);
            EXPECT_TRUE(deviceReaderInstalled(4));
            ASSERT_GE(s.windows.lines.size(), 3u);
            EXPECT_EQ(s.windows.lines.back(), "");  // the start-up window closes
        }
    }
}

}  // namespace
}  // namespace trindel
