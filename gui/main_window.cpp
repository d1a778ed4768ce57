#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include "calculator_windows.h"
#include "control_windows.h"
#include "display/chart_screen.h"
#include "display/status_texts.h"
#include "files_windows.h"
#include "key_tracker.h"
#include "menu_hooks_views.h"
#include "setup_windows.h"
#include "state/chart_state.h"
#include "toolbar_icons.h"
#include "ui/menu_table.h"
#include "windows.h"

namespace trindel::gui {

namespace {

int virtualKey(int qtKey) {
    static const std::map<int, int> kKeys = {
        {Qt::Key_A, vk::A},           {Qt::Key_S, vk::S},         {Qt::Key_D, vk::D},
        {Qt::Key_F, vk::F},           {Qt::Key_H, vk::H},         {Qt::Key_G, vk::G},
        {Qt::Key_Z, vk::Z},           {Qt::Key_X, vk::X},         {Qt::Key_C, vk::C},
        {Qt::Key_V, vk::V},           {Qt::Key_B, vk::B},         {Qt::Key_Q, vk::Q},
        {Qt::Key_W, vk::W},           {Qt::Key_E, vk::E},         {Qt::Key_R, vk::R},
        {Qt::Key_Y, vk::Y},           {Qt::Key_T, vk::T},         {Qt::Key_O, vk::O},
        {Qt::Key_U, vk::U},           {Qt::Key_I, vk::I},         {Qt::Key_P, vk::P},
        {Qt::Key_L, vk::L},           {Qt::Key_J, vk::J},         {Qt::Key_K, vk::K},
        {Qt::Key_N, vk::N},           {Qt::Key_M, vk::M},         {Qt::Key_1, vk::One},
        {Qt::Key_2, vk::Two},         {Qt::Key_3, vk::Three},     {Qt::Key_4, vk::Four},
        {Qt::Key_5, vk::Five},        {Qt::Key_6, vk::Six},       {Qt::Key_7, vk::Seven},
        {Qt::Key_8, vk::Eight},       {Qt::Key_9, vk::Nine},      {Qt::Key_0, vk::Zero},
        {Qt::Key_Equal, vk::Equal},   {Qt::Key_Minus, vk::Minus}, {Qt::Key_Return, vk::Return},
        {Qt::Key_Escape, vk::Escape}, {Qt::Key_Left, vk::Left},   {Qt::Key_Right, vk::Right},
        {Qt::Key_Up, vk::Up},         {Qt::Key_Down, vk::Down},
    };
    auto it = kKeys.find(qtKey);
    return it == kKeys.end() ? -1 : it->second;
}

// The character code a key event reports (arrows as 28 to 31, Escape 27, Return 13).
int characterOf(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Left:
            return 28;
        case Qt::Key_Right:
            return 29;
        case Qt::Key_Up:
            return 30;
        case Qt::Key_Down:
            return 31;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        default:
            break;
    }
    if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) {
        const bool upper = (e->modifiers() & Qt::ShiftModifier) != 0;
        return (upper ? 'A' : 'a') + (e->key() - Qt::Key_A);
    }
    const QString t = e->text();
    return t.size() == 1 && t[0].unicode() < 128 ? t[0].unicode() : 0;
}

}  // namespace

ChartView::ChartView(ImageCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName("chartView");
    setFocusPolicy(Qt::StrongFocus);
    connect(&canvas_, &ImageCanvas::changed, this, [this](QRect dirty) { update(dirty); });
}

QSize ChartView::sizeHint() const {
    return canvas_.image().size();
}

void ChartView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect image = event->rect() & canvas_.image().rect();
    if (!image.isEmpty()) {
        painter.drawImage(image, canvas_.image(), image);
    }
    // A window larger than the run's layout: the rest is plain background.
    const QRegion rest = QRegion(event->rect()) - QRegion(canvas_.image().rect());
    for (const QRect& r : rest) {
        painter.fillRect(r, background);
    }
}

MainWindow::MainWindow(Program& p, QtPlatform& platform) : p_(p), io_(platform) {
    setWindowTitle("Trindel");
    view_ = new ChartView(platform.canvas, this);
    setCentralWidget(view_);
    buildMenus();
    hookWindows();
    buildToolbar();
    addHelpLine();
    showRecording(false);
    // A key-up may go to a window that opened while the key was down (the options window after
    // Escape, the pause window after Ctrl-P); the held-key map must not keep such a press.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { focusMoved(); });
    qApp->installEventFilter(this);
    KeyTracker::install();
}

void MainWindow::focusMoved() {
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    const bool command = (mods & Qt::ControlModifier) != 0;
    const bool shift = (mods & Qt::ShiftModifier) != 0;
    const bool option = (mods & Qt::AltModifier) != 0;
    keys_.focusMoved(command, shift, option);
    carried_ = CarriedKeys(KeyTracker::presses().held());
    io_.events.setKeyDown(Key::Command, command);
    io_.events.setKeyDown(Key::Shift, shift);
    io_.events.setKeyDown(Key::Option, option);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() != this) {
        auto* e = static_cast<QKeyEvent*>(event);
        if (!e->isAutoRepeat()) {
            const int code = virtualKey(e->key());
            if (code >= 0) {
                keys_.release(code);
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::hookWindows() {
    hookControlMenus(*this, p_, io_);
    for (int item : {3, 4, 5, 6, 7, 9, 10, 11, 13, 14, 15}) {
        setMenuHandler(kSpecialMenu, item,
                       [this, item] { runCalculator(this, p_, io_.sounds, item); });
    }
    setMenuHandler(3, 15, [this] { runSlopeTrendWindow(this, p_); });
    setMenuHandler(3, 10, [this] { runScopeViewDialog(this, p_); });
    setMenuHandler(4, 12, [this] { runSpikeFilterWindow(this, p_, io_.sounds); });
    {
        Platform platform = io_.platform();
        hookFilesMenus(*this, p_, platform);
    }
    for (int n = 1; n <= kMaxChannels; ++n) {
        setMenuHandler(100, n, [this, n] {
            if (onChannelCheck) {
                onChannelCheck(n);
            }
            Platform io = io_.platform();
            runConversionWindow(this, p_, io, n);
        });
        setMenuHandler(120, n, [this, n] {
            runConversionOptionsWindow(this, p_.conversion.SpecialOps[static_cast<size_t>(n)], n,
                                       p_.channels.label(n));
        });
    }
    hookViewWindows(*this, p_, io_);
    hookSetupWindows(*this, p_, io_.platform());
}

void MainWindow::buildMenus() {
    std::map<int, QMenu*> menus;
    for (const MenuDef& def : trindel::menuBar()) {
        QMenu* menu = def.menu < 10 ? menuBar()->addMenu(QString::fromStdString(def.title))
                                    : new QMenu(QString::fromStdString(def.title), this);
        menus[def.menu] = menu;
    }
    for (const MenuDef& def : trindel::menuBar()) {
        QMenu* menu = menus[def.menu];
        for (const MenuItemDef& item : def.items) {
            if (item.text.empty()) {
                menu->addSeparator();
                continue;
            }
            if (item.submenu != 0) {
                menu->addMenu(menus[item.submenu]);
                continue;
            }
            QAction* a = menu->addAction(fromMacRoman(item.text));
            if (item.key != 0) {
                a->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(item.key)));
            }
            const int m = item.menu;
            const int n = item.item;
            actions_[m * 100 + n] = a;
            connect(a, &QAction::triggered, this, [this, m, n] {
                const MenuCommand command = DoMENU(p_, io_.sounds, m, n);
                if (auto h = handlers_.find(m * 100 + n); h != handlers_.end()) {
                    h->second();
                    refreshMenus();
                    return;
                }
                switch (command) {
                    case MenuCommand::Quit:
                        if (onQuit) {
                            onQuit();
                        }
                        break;
                    case MenuCommand::SaveData:
                        if (onSaveData) {
                            onSaveData();
                        }
                        break;
                    case MenuCommand::Redraw:
                    case MenuCommand::Refused:
                    case MenuCommand::None:
                        break;
                    default:
                        if (onDeviceCommand) {
                            onDeviceCommand(command);
                        }
                        break;
                }
                refreshMenus();
            });
        }
    }
    refreshMenus();
}

void MainWindow::refreshMenus() {
    for (auto& [key, action] : actions_) {
        const int m = key / 100;
        const int n = key % 100;
        const std::string text = menuItemText(p_, m, n);
        action->setText(fromMacRoman(text));
        action->setVisible(!text.empty());
        action->setCheckable(menuItemCheckable(m, n));
        action->setChecked(menuItemChecked(p_, m, n));
        const bool hooked = menuItemActsInCore(m, n) || handlers_.count(key) != 0;
        action->setEnabled(hooked && menuItemEnabled(p_, m, n, optionsOpen_, recording_));
    }
}

std::function<void()> MainWindow::menuHandler(int menu, int item) const {
    const auto h = handlers_.find(menu * 100 + item);
    return h != handlers_.end() ? h->second : std::function<void()>();
}

void MainWindow::setMenuHandler(int menu, int item, std::function<void()> handler) {
    handlers_[menu * 100 + item] = std::move(handler);
    refreshMenus();
}

QAction* MainWindow::menuAction(int menu, int item) const {
    const auto a = actions_.find(menu * 100 + item);
    return a != actions_.end() ? a->second : nullptr;
}

void MainWindow::buildToolbar() {
    toolbar_ = addToolBar("Acquisition");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(32, 32));
    struct Button {
        int id;
        const char* tip;
    };
    static constexpr Button kButtons[] = {
        {kToolbarStop, "Stop"},
        {kToolbarPause, "Pause"},
        {kToolbarResume, "Resume"},
        {kToolbarNote, "Note"},
        {kToolbarAddTime, "Add time"},
        {kToolbarReplay, "Replay"},
        {kToolbarTimeToRef, "Time to next reference"},
        {kToolbarBackup, "Backup now"},
        {kToolbarReference, "Reference device on"},
        {kToolbarSample, "Sample device on"},
        {kToolbarSaveScope, "Save scope"},
    };
    for (const Button& b : kButtons) {
        QAction* a = toolbar_->addAction(toolbarIcon(b.id), b.tip);
        a->setObjectName(QString("toolbar-%1").arg(b.id));
        const int id = b.id;
        connect(a, &QAction::triggered, this, [this, id] {
            if (recording_) {
                io_.events.post(UserEvent{kEventControl, id, 0, 0});
            }
        });
    }
}

void MainWindow::addHelpLine() {
    help_ = new QLabel(toolbar_);
    help_->setObjectName("helpLine");
    QFont f = help_->font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    help_->setFont(f);
    help_->setContentsMargins(12, 0, 4, 0);
    toolbar_->addWidget(help_);
}

void MainWindow::showRecording(bool shown) {
    toolbar_->setVisible(shown);
    view_->setVisible(shown);
    setWindowTitle(shown ? " Trindel:  Acquire Data " : "Trindel");
    // Two lines: the plain keys, then the Ctrl commands.
    QString help = fromMacRoman(helpLine(p_, "Ctrl"));
    const qsizetype commands = help.indexOf("Ctrl-");
    if (commands > 0) {
        help.insert(commands, '\n');
    }
    help_->setText(help.trimmed());
    if (shown) {
        const QSize size(p_.prefs[kPrefWindowWidth], p_.prefs[kPrefWindowHeight]);
        io_.canvas.resize(size.width(), size.height());
        view_->background = toQColor(p_.colours.ChartBackgroundColor);
        // The run keeps the layout it starts with: the window may grow, not shrink below it.
        view_->setMinimumSize(size);
        if (!isMaximized() && !isFullScreen()) {
            adjustSize();
        }
        show();
        raise();
        view_->setFocus();
        // Paint once now: the first paint loads fonts and sets up the backing store, which
        // must not happen in the middle of the first scans.
        view_->repaint();
    }
}

void MainWindow::setRecordingActive(bool active) {
    recording_ = active;
    // Between runs the toolbar has nothing to act on (a press must not stop the next run).
    toolbar_->setEnabled(active);
    // The reference, sample and time-to-reference buttons act only with a switching scheme.
    const bool switching = p_.session.SwitchingMode != 0;
    for (int id : {kToolbarTimeToRef, kToolbarReference, kToolbarSample}) {
        if (auto* a = toolbar_->findChild<QAction*>(QString("toolbar-%1").arg(id))) {
            a->setEnabled(switching);
        }
    }
    // Scope mode has only Stop and "Save scope"; "Save scope" is shown in the scope modes only.
    const int16_t mode = p_.session.RecordingMODE;
    for (QAction* a : toolbar_->actions()) {
        const QString name = a->objectName();
        if (!name.startsWith("toolbar-")) {
            continue;
        }
        const int id = name.mid(8).toInt();
        const bool shown =
            id == kToolbarStop || (id == kToolbarSaveScope ? mode == 2 || mode == 3 : mode != 2);
        a->setVisible(shown);
    }
    if (!active) {
        // Between runs the window may be made smaller too; its size lays out the next run.
        view_->setMinimumSize(kMinChartWidth, kMinChartHeight);
    }
    refreshMenus();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (view_->isVisible() && chartWindowResized(p_, view_->width(), view_->height(), recording_)) {
        io_.canvas.resize(p_.prefs[kPrefWindowWidth], p_.prefs[kPrefWindowHeight]);
        view_->update();
    }
}

void MainWindow::setOptionsOpen(bool open) {
    optionsOpen_ = open;
    refreshMenus();
}

void MainWindow::noteKey(QKeyEvent* e, bool down) {
    const int code = virtualKey(e->key());
    if (code >= 0) {
        down ? keys_.press(code) : keys_.release(code);
    }
    const Qt::KeyboardModifiers mods = e->modifiers();
    keys_.setModifiers((mods & Qt::ControlModifier) != 0, (mods & Qt::ShiftModifier) != 0,
                       (mods & Qt::AltModifier) != 0);
    io_.events.setKeyDown(Key::Command, (mods & Qt::ControlModifier) != 0);
    io_.events.setKeyDown(Key::Shift, (mods & Qt::ShiftModifier) != 0);
    io_.events.setKeyDown(Key::Option, (mods & Qt::AltModifier) != 0);
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
    // A key still down from the window before ('r' that chose New Run) is no command here.
    if (!carried_.acts(e->key(), KeyTracker::presses().pressOf(e->key()))) {
        return;
    }
    noteKey(e, true);
    if (e->isAutoRepeat()) {
        return;
    }
    const int ch = characterOf(e);
    if ((e->modifiers() & Qt::ControlModifier) != 0 && (ch == 'q' || ch == 'Q')) {
        if (onQuit) {
            onQuit();
        }
        return;
    }
    // Between runs (options window up) keys here must not wait for the next run.
    if (ch != 0 && recording_) {
        io_.events.post(UserEvent{kEventKey, ch, 0, 0});
    }
}

void MainWindow::keyReleaseEvent(QKeyEvent* e) {
    noteKey(e, false);
    // Modifiers released after the key: keep the loop's view of them current.
    if (e->key() == Qt::Key_Control) {
        keys_.release(vk::Command);
        io_.events.setKeyDown(Key::Command, false);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the window is a Quit: it goes through the unsaved-data check.
    event->ignore();
    if (onQuit) {
        onQuit();
    }
}

}  // namespace trindel::gui
