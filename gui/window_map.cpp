#include "window_map.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

namespace trindel::gui {

namespace {

QJsonArray rectOf(const QWidget* w) {
    const QPoint topLeft = w->mapToGlobal(QPoint(0, 0));
    return QJsonArray{topLeft.x(), topLeft.y(), w->width(), w->height()};
}

QJsonObject control(const QWidget* w, const QString& kind, const QString& text) {
    QJsonObject c;
    c["kind"] = kind;
    c["text"] = text;
    c["name"] = w->objectName();
    c["rect"] = rectOf(w);
    c["enabled"] = w->isEnabled();
    return c;
}

QJsonArray controlsOf(const QWidget* window) {
    QJsonArray list;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != window) {
            continue;
        }
        if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
            const auto* tool = qobject_cast<const QToolButton*>(w);
            const QString text = tool != nullptr && tool->defaultAction() != nullptr
                                     ? tool->defaultAction()->objectName()
                                     : b->text();
            list.append(control(w, "button", text));
        } else if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
            list.append(control(w, "field", e->text()));
        } else if (const auto* box = qobject_cast<const QComboBox*>(w)) {
            list.append(control(w, "popup", box->currentText()));
        } else if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                QJsonObject c = control(w, "tab", tabs->tabText(i));
                const QRect r = tabs->tabRect(i);
                const QPoint at = w->mapToGlobal(r.topLeft());
                c["rect"] = QJsonArray{at.x(), at.y(), r.width(), r.height()};
                c["enabled"] = tabs->isTabEnabled(i);
                list.append(c);
            }
        } else if (const auto* bar = qobject_cast<const QMenuBar*>(w)) {
            for (QAction* a : bar->actions()) {
                QJsonObject c = control(w, "menu", a->text());
                const QRect r = bar->actionGeometry(a);
                const QPoint at = w->mapToGlobal(r.topLeft());
                c["rect"] = QJsonArray{at.x(), at.y(), r.width(), r.height()};
                c["enabled"] = a->isEnabled();
                list.append(c);
            }
        } else if (w->objectName() == "chartView") {
            list.append(control(w, "view", "chartView"));
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            list.append(control(w, "label", label->text()));
        }
    }
    return list;
}

void writeMap(const QString& path) {
    QJsonArray windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || top->windowHandle() == nullptr) {
            continue;
        }
        QJsonObject w;
        w["id"] = QString::number(top->winId());
        w["title"] = top->windowTitle();
        w["modal"] = top->isModal();
        w["active"] = top->isActiveWindow();
        w["rect"] = rectOf(top);
        QJsonArray controls = controlsOf(top);
        if (const auto* menu = qobject_cast<const QMenu*>(top)) {
            for (QAction* a : menu->actions()) {
                if (a->isSeparator() || !a->isVisible()) {
                    continue;
                }
                QJsonObject c = control(top, "item", a->text());
                const QRect r = menu->actionGeometry(a);
                const QPoint at = top->mapToGlobal(r.topLeft());
                c["rect"] = QJsonArray{at.x(), at.y(), r.width(), r.height()};
                c["enabled"] = a->isEnabled();
                c["checked"] = a->isChecked();
                controls.append(c);
            }
        }
        w["controls"] = controls;
        windows.append(w);
    }
    const QByteArray bytes = QJsonDocument(windows).toJson(QJsonDocument::Compact);
    static QByteArray last;
    if (bytes == last) {
        return;
    }
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit()) {
        last = bytes;
    }
}

}  // namespace

void startWindowMap(QObject* owner) {
    const QString path = qEnvironmentVariable("TRINDEL_WINDOW_MAP");
    if (path.isEmpty()) {
        return;
    }
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, owner, [path] { writeMap(path); });
    timer->start(100);
}

}  // namespace trindel::gui
