// The desktop front end: the run driver's windows and the chart loop's hooks on Qt.
#pragma once

#include <QPointer>
#include <array>
#include <string>

#include "main_window.h"
#include "qt_platform.h"
#include "run/chart_hooks.h"
#include "run/run_driver.h"
#include "run/scope_hooks.h"
#include "xy_plot_window.h"

class QDialog;
class QLabel;
class QLineEdit;

namespace trindel::gui {

class QtFrontEnd final : public RunWindows, public ChartHooks, public ScopeHooks {
  public:
    QtFrontEnd(Program& p, QtPlatform& io, MainWindow& window);
    ~QtFrontEnd() override;

    // Set by the program so menu Quit reaches the driver.
    RunDriver* driver = nullptr;

    // RunWindows
    StartChoice startWindow(Program& p, int& device) override;
    bool modesAndChannels(Program& p, ModesChannelsModel& model) override;
    bool chartInterval(Program& p, IntervalDialog& dialog) override;
    SetupOutcome acquisitionParameters(Program& p, AcquisitionParametersModel& model) override;
    void showRecordingWindow(Program& p, bool shown) override;
    int optionsWindow(Program& p, const std::string& title,
                      const std::vector<OptionsButtonInfo>& buttons,
                      const SampleRateReport& rate) override;
    bool possibleDataLoss(const std::string& unsavedText) override;
    bool saveFiles(Program& p) override;
    void sampleRateWindow(const SampleRateReport& report) override;
    bool portDialog(Program& p, PortDialogModel& model) override;
    void startupLine(const std::string& line) override;
    void replayWindow(Program& p) override;
    SaveHooks seriesHooks(Program& p) override;
    void alarmLogWindow(Program& p) override;
    bool streamingChannels(Program& p, SerialPort* port) override;

    // ChartHooks
    void showStatusField(int field, std::string_view text) override;
    // ScopeHooks: the sweep information line and the burst's state in the status fields of a
    // scope run (scope plus chart keeps them for the chart's figures).
    void showScopeInfo(const std::vector<std::string>& lines) override;
    void showBurstStatus(std::string_view text) override;
    void setProgressBar(int segments) override;
    void showReadout(int channel, std::string_view text) override;
    void showChannelStatus(int channel, std::string_view text, bool alert) override;
    void showSwitchingStatus(int channel, std::string_view text) override;
    void flushWindow() override;
    KeyMap heldKeys() override { return window_.heldKeys(); }
    PauseOutcome pauseWindow(Program& p) override;
    void openNoteWindow(Program& p) override;
    bool noteWindowOpen() override;
    void screenInfo(Program& p) override;
    void newScreen(Program& p) override;
    void showReferenceTime(std::string_view text) override;
    void closeReferenceTime() override;
    void switchDeviceSilent(std::string_view message) override;
    void showReplay(Program& p) override;
    void plotXYPoint(Program& p) override;
    void xyCommand(Program& p, int key) override;
    void leaveReplay(Program& p) override;
    void timedBackup(Program& p, int timed) override;

  private:
    void quitRequested();
    // Opens the XY plot beside the recording window when it is wanted, or closes it.
    void showXYPlot(Program& p, bool shown);

    Program& p_;
    QtPlatform& io_;
    MainWindow& window_;
    // Fields waiting to be drawn at the next flush (read-outs change every scan).
    std::array<std::string, 17> readouts_;
    std::array<std::string, 4> outputStatus_;  // outputs and the trigger wait's three lines
    QLabel* controlLine_ = nullptr;
    std::array<bool, 17> readoutDirty_{};
    // Per channel: status text and alert style, switching text; drawn when changed.
    struct ChannelFields {
        std::string status, switching;
        bool alert = false, statusDirty = false, switchingDirty = false;
    };
    std::array<ChannelFields, 17> fields_{};
    std::array<std::string, 5> status_;
    std::array<bool, 5> statusDirty_{};
    // Scope mode's status line: the sweep information and the burst's state.
    std::string scopeInfo_, burstStatus_;
    bool scopeLineDirty_ = false;
    int progress_ = -1;
    bool progressDirty_ = false;
    QPointer<QDialog> note_;
    QPointer<QDialog> startup_;       // the device start-up window with its progress lines
    QPointer<QLabel> referenceTime_;  // the "Next reference in" read-out
    QPointer<QWidget> replay_;        // the replay laid over the recording view during a run
    QString titleBeforeReplay_;
    QPointer<XYPlotView> xy_;
    bool quitAsked_ = false;
    bool scalesEdited_ = false;
};

}  // namespace trindel::gui
