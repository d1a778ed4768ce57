// A dialog that hands key presses to a function first (for windows that answer to keys).
#pragma once

#include <QDialog>
#include <QKeyEvent>
#include <functional>

#include "key_tracker.h"
#include "run/held_keys.h"

namespace trindel::gui {

class KeyDialog final : public QDialog {
  public:
    explicit KeyDialog(QWidget* parent) : QDialog(parent) { KeyTracker::install(); }
    // Returns true when it used the key. Keys already down when the window opened (Escape that
    // ended a run, Ctrl-P that opened the pause window) and their repeats are not passed on:
    // holding them must not choose anything here.
    std::function<bool(QKeyEvent*)> onKey;

  protected:
    void showEvent(QShowEvent* e) override {
        carried_ = CarriedKeys(KeyTracker::presses().held());
        QDialog::showEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (!carried_.acts(e->key(), KeyTracker::presses().pressOf(e->key()))) {
            e->accept();
            return;
        }
        if (onKey && onKey(e)) {
            return;
        }
        QDialog::keyPressEvent(e);
    }

  private:
    CarriedKeys carried_;
};

}  // namespace trindel::gui
