// The main window: menu bar from the menu table, the acquisition toolbar, and the recording view
// that shows the canvas image. Clicks and keys become events for the waiting loop.
#pragma once

#include <QMainWindow>
#include <QWidget>
#include <functional>
#include <map>

#include "qt_platform.h"
#include "run/read_keys.h"
#include "state/program.h"

class QAction;
class QToolBar;

namespace trindel::gui {

class ChartView final : public QWidget {
    Q_OBJECT
  public:
    ChartView(ImageCanvas& canvas, QWidget* parent);
    QSize sizeHint() const override;

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
    const KeyMap& heldKeys() const { return keys_; }
    void refreshMenus();

    // Hooks a window into the menu bar: choosing the item runs `handler` after DoMENU. An item
    // the core does not carry out stays disabled until a handler is set.
    void setMenuHandler(int menu, int item, std::function<void()> handler);
    QAction* menuAction(int menu, int item) const;

    // Called when Quit is chosen (menu or Command-Q).
    std::function<void()> onQuit;
    // Called for "Save Data As..." while the options window is up.
    std::function<void()> onSaveData;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    // The windows of this program that the menu items open.
    void hookWindows();
    void buildToolbar();
    void noteKey(QKeyEvent* event, bool down);

    Program& p_;
    QtPlatform& io_;
    ChartView* view_;
    QToolBar* toolbar_;
    std::map<int, QAction*> actions_;  // menu * 100 + item
    std::map<int, std::function<void()>> handlers_;
    bool recording_ = false;
    bool optionsOpen_ = false;
    KeyMap keys_;
};

}  // namespace trindel::gui
