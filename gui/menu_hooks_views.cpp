// The View, Edit and Help items hooked to their windows.
#include "menu_hooks_views.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include "control/switching_engine.h"
#include "display/view_windows.h"
#include "main_window.h"
#include "run/interval_dialog.h"
#include "run/switching_steps.h"
#include "switching_window.h"
#include "ui/view_choices.h"
#include "windows.h"

namespace trindel::gui {

namespace {

// The switching set-up between runs: valve commands go to the A-D device's port (answers awaited
// as in a run, a silent device reported once); no marker is placed, as nothing is recorded.
class SetupHooks final : public ChartHooks {
  public:
    explicit SetupHooks(QtPlatform& io) : io_(io) {}
    void switchDeviceSilent(std::string_view message) override {
        io_.host.alert("Switching", std::string(message), {"OK"});
    }

  private:
    QtPlatform& io_;
};

class SetupSwitchEffects final : public SwitchEffects {
  public:
    SetupSwitchEffects(Program& p, QtPlatform& io, SerialPort* port)
        : hooks_(io), platform_(io.platform()), loop_(p, platform_, hooks_) {
        loop_.setPort(port);
    }
    std::string send(const SwitchCommand& command) override { return loop_.send(command); }
    void tickSound() override { loop_.tickSound(); }

  private:
    SetupHooks hooks_;
    Platform platform_;
    LoopSwitchEffects loop_;
};

QSize screenSize() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s != nullptr ? s->availableGeometry().size() : QSize(1024, 768);
}

}  // namespace

void hookViewWindows(MainWindow& w, Program& p, QtPlatform& io) {
    installHelpWithWindows(p);
    QWidget* parent = &w;
    const auto redraw = [&p] { p.events.Action = kEventRedraw; };

    // Help menu and the View menu's help window.
    const auto book = [parent] { showHelpPage(parent, std::string(kHelpHome)); };
    w.setMenuHandler(7, 1, book);
    w.setMenuHandler(3, 18, book);
    w.setMenuHandler(7, 3, [] {
        QDesktopServices::openUrl(
            QUrl(QString::fromUtf8(kWebsiteAddress.data(), kWebsiteAddress.size())));
    });
    w.setMenuHandler(7, 4,
                     [] { QDesktopServices::openUrl(QUrl(QString::fromStdString(mailLink()))); });
    w.setMenuHandler(7, 6, [parent, redraw] {
        runAboutWindow(parent);
        redraw();
    });

    // View.
    w.setMenuHandler(3, 1, [parent, &p, redraw] {
        runColoursWindow(parent, p);
        redraw();
    });
    w.setMenuHandler(3, 8, [parent, &p, redraw] {
        runPlotHeightWindow(parent, p);
        redraw();
    });
    w.setMenuHandler(3, 9, [parent, &p] {
        runChartViewWindow(parent, p);
        p.events.Action = 0;
    });
    w.setMenuHandler(3, 12, [parent, &p, redraw] {
        runStatusDisplaysWindow(parent, p);
        redraw();
    });
    w.setMenuHandler(101, 1, [parent, &p, redraw] {
        runWindowSizeWindow(parent, p);
        redraw();
    });
    const QSize screen = screenSize();
    for (int item = 3; item <= 7; ++item) {
        // A size wider than the screen is not offered.
        if (windowSizeFits(item, screen.width())) {
            w.setMenuHandler(101, item, [&p, item, redraw] {
                const QSize now = screenSize();
                chooseWindowSize(p, item, now.width(), now.height());
                redraw();
            });
        }
    }

    // Edit.
    w.setMenuHandler(2, 13, [parent, &p] { runDataFileInfoWindow(parent, p); });
    w.setMenuHandler(2, 14, [parent, &p] { runRatePrecisionWindow(parent, p); });
    w.setMenuHandler(2, 16, [parent, &p] {
        p.events.MENUID = 0;
        p.events.item = 0;
        IntervalDialog dialog(p, "Chart channels");
        if (runIntervalDialog(parent, p, dialog)) {
            dialog.selectionOK();
            p.session.ChartINTERVALinSECONDS = p.session.SampleIntervalinSeconds;
            p.session.ChartSampleInterval = static_cast<float>(p.session.SampleIntervalinSeconds);
            chartRateChosenFromMenu(p);
        }
    });
    w.setMenuHandler(2, 17, [parent, &p] {
        p.events.MENUID = 0;
        p.events.item = 0;
        IntervalDialog dialog(p, "OSCILLOSCOPE");
        if (runIntervalDialog(parent, p, dialog)) {
            dialog.selectionOK();
            p.session.ScopeINTERVALinSECONDS = p.session.SampleIntervalinSeconds;
            p.session.scopeinterval = static_cast<float>(p.session.SampleIntervalinSeconds);
        }
    });
    w.setMenuHandler(2, 19, [&w, parent, &p, &io, redraw] {
        SetupSwitchEffects fx(p, io, w.switchingPort ? w.switchingPort() : nullptr);
        runSwitchingSetupWindow(parent, p, fx);
        redraw();
    });
}

}  // namespace trindel::gui
