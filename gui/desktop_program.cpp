#include "desktop_program.h"

#include "files_windows.h"
#include "ui2_windows.h"
#include "windows.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

#include <QDialog>

#include "files/preferences_file.h"
#include "files/recording_file_reader.h"
#include "replay_window.h"
#include "run/journal_recovery.h"
#include "run/open_document.h"
#include "stop_signals.h"
#include "text/date_stamp.h"

namespace trindel::gui {

namespace {

RunDriverConfig driverConfig(DeviceConnection& device, const std::string& document) {
    RunDriverConfig c;
    if (!document.empty() && documentKind(document) == DocumentKind::Setup) {
        c.openedSetup = document;
    }
    c.device = &device;
    c.features.saveSetup = true;
    c.features.replay = true;
    c.features.quickSave = true;
    c.features.rootFileName = true;
    c.dataFolder = programDataFolder();
    c.features.checkAlarms = true;
    c.journalFolder = programDataFolder();
    c.shutdownMessagePath =
        QDir::home().filePath(".config/Trindel/TDshutdown message.txt").toStdString();
    return c;
}

}  // namespace

DesktopProgram::DesktopProgram(const std::string& document)
    : document_(document),
      program_(std::make_unique<Program>()),
      io_(1024, 768),
      platform_(io_.platform()),
      window_(*program_, io_),
      frontEnd_(*program_, io_, window_),
      driver_(*program_, platform_, frontEnd_, frontEnd_, driverConfig(device_, document)) {
    frontEnd_.driver = &driver_;
    window_.onDeviceCommand = [this](MenuCommand command) {
        runDeviceCommand(&window_, *program_, platform_, device_, command);
    };
    window_.onChannelCheck = [this](int channel) {
        DeviceLink link = device_.link(*program_, platform_);
        runUI2ChannelCheck(&window_, link, channel);
    };
    io_.host.parent = &window_;
    window_.switchingPort = [this]() -> SerialPort* {
        return device_.isOpen() && !device_.lost() ? &device_.port() : nullptr;
    };
}

void DesktopProgram::showDocument() {
    if (document_.empty() || documentKind(document_) == DocumentKind::Setup) {
        return;
    }
    ReadResult read = readRecordingFile(document_);
    if (!read.ok) {
        io_.host.alert("Cannot Open", document_ + ": " + read.error, {"OK"});
        return;
    }
    // The document's own program: the one the user records with keeps its start-up values.
    auto doc = std::make_unique<Program>();
    const ScreenSize screen{io_.host.screenWidth(), io_.host.screenHeight()};
    SetInitialVariableValues(*doc, screen);
    if (!recordingIntoProgram(read.file, *doc)) {
        io_.host.alert("Cannot Open",
                       document_ + ": a scope recording holds one sweep and has no replay.",
                       {"OK"});
        return;
    }
    const std::unique_ptr<QDialog> replay(makeReplayWindow(nullptr, *doc));
    replay->setWindowTitle(QString::fromStdString(recordingFacts(document_, read.file)));
    replay->exec();
}

void DesktopProgram::offerRecovery() {
    const std::string folder = programDataFolder();
    if (!folder.empty()) {
        offerLeftoverJournals(io_.host, folder);
    }
}

void DesktopProgram::run() {
    callOnStopSignals(&window_, [this](int) {
        driver_.keepJournal();
        ::_exit(0);
    });
    showDocument();
    const ScreenSize screen{io_.host.screenWidth(), io_.host.screenHeight()};
    // The saved preferences (device, colours, window size, flags) when there are any; a damaged
    // file leaves the start-up values.
    driver_.SetDefaultValues(screen, [screen](Program& p) {
        loadPreferencesFile(p, defaultPreferencesPath(), screen.width, screen.height);
    });
    window_.hide();
}

}  // namespace trindel::gui
