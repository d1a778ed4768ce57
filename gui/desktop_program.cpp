#include "desktop_program.h"

#include "windows.h"

#include <QDir>
#include <QStandardPaths>

#include "files/preferences_file.h"

namespace trindel::gui {

namespace {

RunDriverConfig driverConfig(DeviceConnection& device) {
    RunDriverConfig c;
    c.device = &device;
    c.features.saveSetup = true;
    c.features.replay = true;
    c.features.checkAlarms = true;
    c.shutdownMessagePath =
        QDir::home().filePath(".config/Trindel/TDshutdown message.txt").toStdString();
    return c;
}

}  // namespace

DesktopProgram::DesktopProgram()
    : program_(std::make_unique<Program>()),
      io_(1024, 768),
      platform_(io_.platform()),
      window_(*program_, io_),
      frontEnd_(*program_, io_, window_),
      driver_(*program_, platform_, frontEnd_, frontEnd_, driverConfig(device_)) {
    frontEnd_.driver = &driver_;
    window_.onDeviceCommand = [this](MenuCommand command) {
        runDeviceCommand(&window_, *program_, platform_, device_, command);
    };
    io_.host.parent = &window_;
}

void DesktopProgram::run() {
    const ScreenSize screen{io_.host.screenWidth(), io_.host.screenHeight()};
    // The saved preferences (device, colours, window size, flags) when there are any; a damaged
    // file leaves the start-up values.
    driver_.SetDefaultValues(screen, [screen](Program& p) {
        loadPreferencesFile(p, defaultPreferencesPath(), screen.width, screen.height);
    });
    window_.hide();
}

}  // namespace trindel::gui
