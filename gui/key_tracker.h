// Which keys are down now anywhere in the program, from the key events of all its windows;
// forgotten when the program loses the keyboard to another application.
#pragma once

#include <QObject>

#include "run/held_keys.h"

namespace trindel::gui {

class KeyTracker final : public QObject {
  public:
    // Installs the tracker on the application once; later calls do nothing.
    static void install();
    // The presses holding keys down now (Qt key codes).
    static const KeyPresses& presses();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace trindel::gui
