// A dialog that hands key presses to a function first (for windows that answer to keys).
#pragma once

#include <QDialog>
#include <QKeyEvent>
#include <functional>

namespace trindel::gui {

class KeyDialog final : public QDialog {
  public:
    using QDialog::QDialog;
    // Returns true when it used the key.
    std::function<bool(QKeyEvent*)> onKey;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (onKey && onKey(e)) {
            return;
        }
        QDialog::keyPressEvent(e);
    }
};

}  // namespace trindel::gui
