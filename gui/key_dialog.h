// A dialog that hands key presses to a function first (for windows that answer to keys).
#pragma once

#include <QDialog>
#include <QKeyEvent>
#include <functional>

namespace trindel::gui {

class KeyDialog final : public QDialog {
  public:
    using QDialog::QDialog;
    // Returns true when it used the key. Repeats of a key held down are not passed on: the key
    // may have been pressed in the window before this one (Escape that ended a run, Ctrl-P that
    // opened the pause window), and holding it must not choose anything here.
    std::function<bool(QKeyEvent*)> onKey;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->isAutoRepeat()) {
            e->accept();
            return;
        }
        if (onKey && onKey(e)) {
            return;
        }
        QDialog::keyPressEvent(e);
    }
};

}  // namespace trindel::gui
