#include "qt_front_end.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTime>
#include <QToolBar>
#include <QVBoxLayout>

#include "control_windows.h"
#include "devices/device_table.h"
#include "display/chart_axis.h"
#include "display/chart_screen.h"
#include "display/xy_plot.h"
#include "files/backups.h"
#include "files/file_series.h"
#include "files/save_files.h"
#include "files/setup_file.h"
#include "files_windows.h"
#include "replay_window.h"
#include "run/auto_repeat.h"
#include "run/chart_actions.h"
#include "run/control_steps.h"
#include "text/number_text.h"
#include "ui/data_file_types.h"
#include "ui2_windows.h"
#include "windows.h"
#include "xy_plot_window.h"

namespace trindel::gui {

QtFrontEnd::QtFrontEnd(Program& p, QtPlatform& io, MainWindow& window)
    : p_(p), io_(io), window_(window) {
    window_.onQuit = [this] { quitRequested(); };
    window_.onSaveData = [this] {
        if (QDialog* options = window_.findChild<QDialog*>("OptionsWindow")) {
            options->setProperty("chosen", kOptionsSave);
            options->done(QDialog::Accepted);
        }
    };
}

QtFrontEnd::~QtFrontEnd() {
    delete note_;
}

void QtFrontEnd::quitRequested() {
    quitAsked_ = true;
    if (driver != nullptr) {
        driver->requestQuit();
    }
    io_.events.post(UserEvent{kEventKey, 0, 0, 0});
    // A window waiting for an answer ends; the driver then goes through Quit.
    if (auto* options = window_.findChild<QDialog*>("OptionsWindow")) {
        options->reject();
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    }
}

RunWindows::StartChoice QtFrontEnd::startWindow(Program& p, int& device) {
    if (quitAsked_) {
        return StartChoice::Quit;
    }
    return runStartWindow(&window_, p, io_.sounds, device);
}

bool QtFrontEnd::portDialog(Program& p, PortDialogModel& model) {
    return !quitAsked_ && runPortDialog(&window_, p, model, io_.sounds);
}

void QtFrontEnd::startupLine(const std::string& line) {
    if (line.empty()) {
        if (startup_) {
            startup_->close();
            startup_->deleteLater();
        }
        return;
    }
    if (!startup_) {
        startup_ = new QDialog(&window_);
        startup_->setWindowTitle(fromMacRoman(deviceInfo(p_.device.External_AD).startupTitle));
        auto* layout = new QVBoxLayout(startup_);
        auto* banner = new QLabel(fromMacRoman(deviceInfo(p_.device.External_AD).banner));
        QFont f = banner->font();
        f.setBold(true);
        f.setPointSize(f.pointSize() + 4);
        banner->setFont(f);
        layout->addWidget(banner);
        startup_->resize(420, 220);
        startup_->show();
    }
    startup_->layout()->addWidget(new QLabel(fromMacRoman(line)));
    QCoreApplication::processEvents();
}

bool QtFrontEnd::modesAndChannels(Program& p, ModesChannelsModel& model) {
    const auto loadSetup = [this, &p] {
        const SetupLoadContext ctx =
            setupLoadContextFor(io_.host, io_.sounds, p.menus.Sound_Is_On != 0);
        return GETSETUP(p, io_.host, io_.sounds, ctx).ok;
    };
    return !quitAsked_ && runModesWindow(&window_, model, loadSetup) && !quitAsked_;
}

bool QtFrontEnd::streamingChannels(Program& p, SerialPort* port) {
    return !quitAsked_ && runStreamChannelsWindow(&window_, p, port) && !quitAsked_;
}

bool QtFrontEnd::chartInterval(Program& p, IntervalDialog& dialog) {
    return !quitAsked_ && runIntervalDialog(&window_, p, dialog) && !quitAsked_;
}

RunWindows::SetupOutcome QtFrontEnd::acquisitionParameters(Program& p,
                                                           AcquisitionParametersModel& model) {
    if (quitAsked_) {
        return SetupOutcome::Skipped;
    }
    Platform io = io_.platform();
    return runAcquisitionWindow(&window_, p, io, model, [this](int menu, int item) {
        return window_.menuHandler(menu, item);
    });
}

void QtFrontEnd::showRecordingWindow(Program& p, bool shown) {
    window_.showRecording(shown);
    showXYPlot(p, shown);
    window_.setRecordingActive(shown);
    readoutDirty_.fill(false);
    statusDirty_.fill(false);
    fields_ = {};
}

int QtFrontEnd::optionsWindow(Program& p, const std::string& title,
                              const std::vector<OptionsButtonInfo>& buttons,
                              const SampleRateReport& rate) {
    flushWindow();
    window_.setRecordingActive(false);
    window_.setOptionsOpen(true);
    int button = 0;
    while (button == 0) {
        if (quitAsked_) {
            quitAsked_ = false;
            button = kOptionsQuit;
            break;
        }
        std::vector<std::string> notice = ShowFileIsSaved(p);
        for (std::string& line : SHOWROOTFILE(p)) {
            notice.push_back(std::move(line));
        }
        button = runOptionsWindow(&window_, title, buttons, rate, notice);
    }
    window_.setOptionsOpen(false);
    window_.setRecordingActive(button == kOptionsNewRun);
    if (button == kOptionsNewRun) {
        // The XY plot may have been asked for (or given up) between runs.
        showXYPlot(p, true);
    }
    return button;
}

bool QtFrontEnd::possibleDataLoss(const std::string& unsavedText) {
    quitAsked_ = false;
    return runDataLossWindow(&window_, unsavedText);
}

SaveHooks QtFrontEnd::seriesHooks(Program& /*p*/) {
    SaveHooks hooks;
    hooks.playSound = [this](std::string_view sound) {
        if (p_.menus.Sound_Is_On != 0) {
            io_.sounds.play(sound);
        }
    };
    hooks.textCaution = [this] {
        io_.host.alert("Caution",
                       "A text file holds the values as text: it is larger and slower to write "
                       "than the binary file, and the program cannot replay it. The file comment, "
                       "notes and gas-exchange constants are not saved in it.",
                       {"OK"});
    };
    hooks.fileComments = [this](const std::string&) {
        runCommentWindow(&window_, p_, p_.prefs[kPrefFormatExpeData] != 0);
    };
    return hooks;
}

void QtFrontEnd::timedBackup(Program& p, int timed) {
    Platform platform = io_.platform();
    AutoTimedBACKUP(p, timed != 0, backupMomentNow(platform, programDataFolder()), io_.host);
    showStatusField(199, p.files.BackupFileIndicator);
}

bool QtFrontEnd::saveFiles(Program& p) {
    SaveHooks hooks = seriesHooks(p);
    // The save dialog's file type chooses the format as the File menu does.
    io_.host.fileTypes = dataFileTypes();
    io_.host.fileType = dataFileTypeIndex(p.prefs);
    io_.host.onFileType = [&p](int type) { chooseDataFileType(p.prefs, type); };
    const bool saved = SAVEFILES(p, io_.host, hooks) == SaveOutcome::Saved;
    io_.host.fileTypes.clear();
    io_.host.onFileType = nullptr;
    window_.refreshMenus();
    return saved;
}

void QtFrontEnd::sampleRateWindow(const SampleRateReport& report) {
    runSampleRateWindow(&window_, report);
}

void QtFrontEnd::alarmLogWindow(Program& p) {
    runAlarmLogWindow(&window_, p, io_.host);
}

void QtFrontEnd::replayWindow(Program& p) {
    runReplayWindow(&window_, p);
}

void QtFrontEnd::showStatusField(int field, std::string_view text) {
    if (field == 199) {
        drawBackupIndicator(p_, io_.canvas, text);
        io_.canvas.flush();
        return;
    }
    if (field >= kStatusFieldOutputs && field <= kStatusFieldTrigger + 2) {
        // Outputs and the trigger wait: the window's status line.
        outputStatus_[static_cast<size_t>(field - kStatusFieldOutputs)] = std::string(text);
        std::string line;
        for (const std::string& part : outputStatus_) {
            if (!part.empty()) {
                line += (line.empty() ? "" : "   ") + part;
            }
        }
        if (controlLine_ == nullptr && window_.toolbar() != nullptr) {
            // A label at the end of the toolbar, so the chart keeps its size.
            controlLine_ = new QLabel;
            controlLine_->setObjectName("controlLine");
            window_.toolbar()->addWidget(controlLine_);
        }
        if (controlLine_ != nullptr) {
            controlLine_->setText("  " + fromMacRoman(line));
        }
        return;
    }
    if (field >= 2 && field <= 4) {
        status_[static_cast<size_t>(field)] = std::string(text);
        statusDirty_[static_cast<size_t>(field)] = true;
    }
}

void QtFrontEnd::showScopeInfo(const std::vector<std::string>& lines) {
    if (p_.session.RecordingMODE != 2 || lines.size() < 3) {
        return;
    }
    scopeInfo_ = lines[0] + "   " + lines[1] + "   " + lines[2];
    scopeLineDirty_ = true;
}

void QtFrontEnd::showBurstStatus(std::string_view text) {
    if (p_.session.RecordingMODE == 2) {
        burstStatus_ = std::string(text);
        scopeLineDirty_ = true;
    }
}

void QtFrontEnd::setProgressBar(int segments) {
    if (segments != progress_) {
        progress_ = segments;
        progressDirty_ = true;
    }
}

void QtFrontEnd::showReadout(int channel, std::string_view text) {
    if (channel >= 1 && channel <= 16) {
        readouts_[static_cast<size_t>(channel)] = std::string(text);
        readoutDirty_[static_cast<size_t>(channel)] = true;
    }
}

void QtFrontEnd::showChannelStatus(int channel, std::string_view text, bool alert) {
    if (channel < 1 || channel > 16) {
        return;
    }
    ChannelFields& f = fields_[static_cast<size_t>(channel)];
    if (f.status != text || f.alert != alert) {
        f.status = std::string(text);
        f.alert = alert;
        f.statusDirty = true;
    }
}

void QtFrontEnd::showSwitchingStatus(int channel, std::string_view text) {
    if (channel < 1 || channel > 16) {
        return;
    }
    ChannelFields& f = fields_[static_cast<size_t>(channel)];
    if (f.switching != text) {
        f.switching = std::string(text);
        f.switchingDirty = true;
    }
}

void QtFrontEnd::flushWindow() {
    for (int c = 1; c <= p_.session.nChan && c <= 16; ++c) {
        if (readoutDirty_[static_cast<size_t>(c)] || fields_[static_cast<size_t>(c)].statusDirty) {
            drawReadout(p_, io_.canvas, c, readouts_[static_cast<size_t>(c)],
                        fields_[static_cast<size_t>(c)].alert);
            readoutDirty_[static_cast<size_t>(c)] = false;
        }
        ChannelFields& f = fields_[static_cast<size_t>(c)];
        if (f.statusDirty) {
            drawChannelStatus(p_, io_.canvas, c, f.status, f.alert);
            f.statusDirty = false;
        }
        if (f.switchingDirty) {
            drawSwitchingStatus(p_, io_.canvas, c, f.switching);
            f.switchingDirty = false;
        }
    }
    if (scopeLineDirty_) {
        // One line across the chart's three status fields, which a scope run does not use.
        io_.canvas.fillRect(Rect{4, 0, 646, 16}, p_.colours.LightGray);
        io_.canvas.text(4, 12, scopeInfo_, TextStyle{10, false, RGBColor{0, 0, 0}});
        io_.canvas.text(470, 12, burstStatus_, TextStyle{10, true, RGBColor{0, 0, 0}});
        scopeLineDirty_ = false;
    }
    for (int f = 2; f <= 4; ++f) {
        if (statusDirty_[static_cast<size_t>(f)]) {
            drawStatusField(p_, io_.canvas, f, status_[static_cast<size_t>(f)]);
            statusDirty_[static_cast<size_t>(f)] = false;
        }
    }
    if (progressDirty_) {
        drawProgressBar(p_, io_.canvas, progress_);
        progressDirty_ = false;
    }
    io_.canvas.flush();
}

PauseOutcome QtFrontEnd::pauseWindow(Program& p) {
    flushWindow();
    Platform platform = io_.platform();
    const auto refresh = [this, &p, &platform] {
        const std::array<float, 17> values = pauseRefreshValues(p, platform);
        for (int c = 1; c <= p.session.nChan && c <= 16; ++c) {
            drawReadout(p, io_.canvas, c,
                        StringFormatter(
                            roundSignificant(values[static_cast<size_t>(c)], p.session.SigFigs)));
        }
        io_.canvas.flush();
    };
    const PauseOutcome out = runPauseWindow(&window_, p, refresh);
    scalesEdited_ = out.scalesEdited;
    return out;
}

void QtFrontEnd::openNoteWindow(Program& p) {
    if (note_ != nullptr) {
        note_->raise();
        return;
    }
    if (p.notes.NumberOfNotes >= kMaxNotes) {
        io_.sounds.play("bzot");
        return;
    }
    // The note window stays open while recording goes on; keys go to it, not to the loop.
    const std::string sample = runtimeText(p.session.Sample);
    const std::string time = QTime::currentTime().toString("HH:mm:ss").toStdString();
    auto* d = new QDialog(&window_);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowTitle("Note");
    auto* layout = new QVBoxLayout(d);
    layout->addWidget(new QLabel("Enter Notes -- No Arrow Keys or Cursor"));
    auto* text = new QLineEdit;
    text->setObjectName("noteText");
    text->setMaxLength(static_cast<int>(kMaxNoteText));
    layout->addWidget(text);
    auto* counter = new QLabel("0 characters (250 possible)");
    layout->addWidget(counter);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(box);
    QObject::connect(text, &QLineEdit::textChanged, counter, [counter](const QString& t) {
        counter->setText(QString("%1 characters (250 possible)").arg(t.size()));
    });
    QObject::connect(box, &QDialogButtonBox::accepted, d, [this, d, text, sample, time] {
        if (!text->text().isEmpty()) {
            p_.notes.addNote(FileNote{sample, time, toMacRoman(text->text())});
        }
        d->close();
    });
    QObject::connect(box, &QDialogButtonBox::rejected, d, &QDialog::close);
    note_ = d;
    d->show();
}

bool QtFrontEnd::noteWindowOpen() {
    return note_ != nullptr && note_->isVisible();
}

void QtFrontEnd::screenInfo(Program& p) {
    if (p.session.SampleRateChanged != 0) {
        // A new interval from the pause window: new tick spacing from the next screen's phase.
        const float next = p.view.axis.NextTicPosition;
        COMPUTETICS(p);
        p.view.axis.NextTicPosition = next;
    }
    ScreenINFO(p, io_.canvas);
    // The display range changed in the pause window.
    if (scalesEdited_) {
        scalesEdited_ = false;
        for (int c = p.view.axis.FirstChan; c <= p.session.nChan; ++c) {
            drawScaleLabels(p, io_.canvas, c, true);
        }
    }
    io_.canvas.flush();
}

void QtFrontEnd::newScreen(Program& p) {
    flushWindow();
    REDRAWSCREEN(p, io_.canvas);
    readoutDirty_.fill(true);
}

void QtFrontEnd::showReferenceTime(std::string_view text) {
    closeReferenceTime();
    // A small borderless white window at 16 points; the loop closes it 60 ticks later.
    auto* label = new QLabel(QString::fromUtf8(text.data(), static_cast<int>(text.size())),
                             &window_, Qt::Tool | Qt::FramelessWindowHint);
    label->setAttribute(Qt::WA_DeleteOnClose);
    label->setStyleSheet("background: white; color: black; padding: 10px;");
    QFont font = label->font();
    font.setPointSize(16);
    label->setFont(font);
    label->adjustSize();
    label->move(window_.geometry().center() - label->rect().center());
    label->show();
    referenceTime_ = label;
}

void QtFrontEnd::closeReferenceTime() {
    if (referenceTime_) {
        referenceTime_->close();
    }
}

void QtFrontEnd::switchDeviceSilent(std::string_view message) {
    window_.statusBar()->showMessage(
        QString::fromUtf8(message.data(), static_cast<int>(message.size())));
}

void QtFrontEnd::showXYPlot(Program& p, bool shown) {
    delete xy_.data();
    p.view.XYPlotWindow = 0;
    if (shown && p.view.ShowXYPlot != 0 && makeXYPlotWindow(p, io_.host.screenWidth())) {
        xy_ = new XYPlotView(p, &window_);
        xy_->show();
    }
}

void QtFrontEnd::plotXYPoint(Program& p) {
    if (xy_ != nullptr) {
        trindel::plotXYPoint(p, xy_->canvas());
        xy_->canvas().flush();
    }
}

void QtFrontEnd::xyCommand(Program& p, int key) {
    if (xy_ != nullptr) {
        trindel::xyCommand(p, xy_->canvas(), key);
    }
}

void QtFrontEnd::showReplay(Program& p) {
    // The run goes on underneath; the overlay is drawn again on each switch of scale.
    if (auto* overlay = qobject_cast<ReplayOverlay*>(replay_.data())) {
        overlay->refresh();
        return;
    }
    replay_ = new ReplayOverlay(p, window_.chartView());
    // The title goes on the window as well: a full recording view leaves no room for its strip.
    titleBeforeReplay_ = window_.windowTitle();
    window_.setWindowTitle(QString::fromStdString(replayTitle(p, false)));
}

void QtFrontEnd::leaveReplay(Program& /*p*/) {
    if (replay_ != nullptr) {
        window_.setWindowTitle(titleBeforeReplay_);
    }
    delete replay_.data();
    window_.chartView()->setFocus();
}

}  // namespace trindel::gui
