#include "key_tracker.h"

#include <QApplication>
#include <QKeyEvent>

namespace trindel::gui {

namespace {

KeyPresses& held() {
    static KeyPresses keys;
    return keys;
}

}  // namespace

void KeyTracker::install() {
    static KeyTracker* tracker = nullptr;
    if (tracker == nullptr && qApp != nullptr) {
        tracker = new KeyTracker;
        tracker->setParent(qApp);
        qApp->installEventFilter(tracker);
    }
}

const KeyPresses& KeyTracker::presses() {
    return held();
}

bool KeyTracker::eventFilter(QObject* watched, QEvent* event) {
    // Each key event reaches the filter once per object it passes through; the window's own
    // copy is enough.
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (key && watched->isWindowType()) {
        auto* e = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyPress) {
            held().press(e->key(), e->timestamp(), e->isAutoRepeat());
        } else if (!e->isAutoRepeat()) {
            held().release(e->key(), e->timestamp());
        }
    } else if (event->type() == QEvent::ApplicationDeactivate) {
        held().clear();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace trindel::gui
