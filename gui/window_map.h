// For the tests on a real X server: when TRINDEL_WINDOW_MAP names a file, the program keeps in it
// a list of its visible windows (X window id, title) and their controls (text, screen rectangle),
// so a test can find where to click. Input still goes through the X server.
#pragma once

class QObject;

namespace trindel::gui {

// Starts writing the map when the environment asks for it; does nothing otherwise.
void startWindowMap(QObject* owner);

}  // namespace trindel::gui
