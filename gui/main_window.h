// The main window: menu bar from the menu table, the acquisition toolbar, and the recording view
// that shows the canvas image. Clicks and keys become events for the waiting loop.
#pragma once

#include <QMainWindow>
#include <QWidget>
#include <functional>
#include <map>

#include "devices/serial/serial_port.h"
#include "qt_platform.h"
#include "run/held_keys.h"
#include "state/program.h"
#include "ui/menu_table.h"

class QAction;
class QLabel;
class QToolBar;

namespace trindel::gui {

class ChartView final : public QWidget {
    Q_OBJECT
  public:
    ChartView(ImageCanvas& canvas, QWidget* parent);
    QSize sizeHint() const override;
    QColor background = Qt::white;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ImageCanvas& canvas_;
};

class MainWindow final : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Program& p, QtPlatform& platform);

    // Shows the recording view and the toolbar (run under way) or hides them.
    void showRecording(bool shown);
    void setRecordingActive(bool active);
    void setOptionsOpen(bool open);
    ChartView* chartView() const { return view_; }
    QToolBar* toolbar() const { return toolbar_; }
    // Keys held now, by virtual key code.
    const KeyMap& heldKeys() const { return keys_.map(); }
    void refreshMenus();

    // Hooks a window into the menu bar: choosing the item runs `handler` after DoMENU. An item
    // the core does not carry out stays disabled until a handler is set.
    void setMenuHandler(int menu, int item, std::function<void()> handler);
    // The window hooked to a menu item; empty when it has none.
    std::function<void()> menuHandler(int menu, int item) const;
    QAction* menuAction(int menu, int item) const;

    // Called when Quit is chosen (menu or Command-Q).
    std::function<void()> onQuit;
    // Called for "Save Data As..." while the options window is up.
    std::function<void()> onSaveData;
    // A choice in the External A-D Device submenu (the loggers' windows).
    std::function<void(MenuCommand)> onDeviceCommand;
    // The A-D device's serial port while it is open (valve commands of the switching set-up);
    // null in the demonstration mode.
    std::function<SerialPort*()> switchingPort;
    // Before a channel's conversion window: the device's own check of the channel (the UI2's
    // temperature mode or instrument field).
    std::function<void(int channel)> onChannelCheck;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Between runs a new size becomes the next run's layout.
    void resizeEvent(QResizeEvent* event) override;
    // Key releases delivered to any window of the program.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    // The windows of this program that the menu items open.
    void hookWindows();
    void buildToolbar();
    // The help line beside the toolbar buttons: the keys that work during a run.
    void addHelpLine();
    void noteKey(QKeyEvent* event, bool down);
    // The focus moved between windows: forget held keys, re-read the modifiers.
    void focusMoved();

    Program& p_;
    QtPlatform& io_;
    ChartView* view_;
    QToolBar* toolbar_;
    QLabel* help_ = nullptr;
    std::map<int, QAction*> actions_;  // menu * 100 + item
    std::map<int, std::function<void()>> handlers_;
    bool recording_ = false;
    bool optionsOpen_ = false;
    HeldKeys keys_;
    CarriedKeys carried_;
};

}  // namespace trindel::gui
