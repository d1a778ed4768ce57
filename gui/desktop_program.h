// Everything the desktop program holds: state, the Qt platform, the main window, the front end
// and the run driver. main() makes one and runs it; the GUI tests do the same.
#pragma once

#include <memory>
#include <string>

#include "main_window.h"
#include "qt_front_end.h"
#include "qt_platform.h"
#include "run/device_connection.h"
#include "run/run_driver.h"
#include "state/program.h"

namespace trindel::gui {

class DesktopProgram {
  public:
    // `document`: a file the program was started with (a set-up file is loaded as its set-up, a
    // recording is shown in the replay window first); "" for none.
    explicit DesktopProgram(const std::string& document = {});
    // Runs the program until it quits. SIGTERM and SIGHUP put the running recording's journal on
    // disk and end the program; the next start offers to recover it.
    void run();
    // Asks about each recording a stopped program left unsaved in its journal.
    void offerRecovery();

    Program& program() { return *program_; }
    QtPlatform& platform() { return io_; }
    MainWindow& window() { return window_; }
    RunDriver& driver() { return driver_; }

  private:
    // A recording or unreadable document, shown before the start window.
    void showDocument();

    std::string document_;
    std::unique_ptr<Program> program_;
    QtPlatform io_;
    Platform platform_;
    MainWindow window_;
    QtFrontEnd frontEnd_;
    DeviceConnection device_;
    RunDriver driver_;
};

}  // namespace trindel::gui
