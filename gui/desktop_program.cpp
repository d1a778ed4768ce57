#include "desktop_program.h"

#include <QDir>
#include <QStandardPaths>

namespace trindel::gui {

namespace {

RunDriverConfig driverConfig() {
    RunDriverConfig c;
    c.features.saveSetup = true;
    c.features.replay = true;
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
      driver_(*program_, platform_, frontEnd_, frontEnd_, driverConfig()) {
    frontEnd_.driver = &driver_;
    io_.host.parent = &window_;
}

void DesktopProgram::run() {
    driver_.SetDefaultValues(ScreenSize{io_.host.screenWidth(), io_.host.screenHeight()});
    window_.hide();
}

}  // namespace trindel::gui
