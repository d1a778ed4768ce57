// What the offscreen window tests share: finding a button by its text, saving a screenshot that
// shows something, and acting on the next modal dialog once it is up.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace trindel::guitest {

// The visible button with this text; rows rebuilt by the last click show after the pending
// events, so they run first.
inline QAbstractButton* buttonNamed(QWidget* w, const QString& text) {
    QApplication::processEvents();
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
        if (b->text() == text && b->isVisible()) {
            return b;
        }
    }
    return nullptr;
}

// Saves the widget's picture in the screenshots folder; false when it is blank or tiny.
inline bool saveShot(QWidget* w, const QString& name) {
    QDir().mkpath(TRINDEL_SCREENSHOT_DIR);
    const QImage image = w->grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 5) {
        for (int x = 0; x < image.width(); x += 5) {
            colours.insert(image.pixel(x, y));
        }
    }
    return image.width() > 100 && image.height() > 60 && colours.size() > 3 &&
           image.save(QDir(TRINDEL_SCREENSHOT_DIR).filePath(name));
}

// Runs `act` on the next modal dialog as soon as it is shown.
inline void whenModal(std::function<void(QDialog*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (d == nullptr) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(d);
    });
    timer->start();
}

}  // namespace trindel::guitest
