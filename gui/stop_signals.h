// SIGTERM and SIGHUP (a session logging out, a service manager stopping the program) reach the
// program through its Qt event loop, where the recording can be put safely on disk.
#pragma once

#include <QObject>
#include <functional>

namespace trindel::gui {

// From now on SIGTERM and SIGHUP call `onStop` from the event loop instead of ending the program
// at once. `parent` owns the listener.
void callOnStopSignals(QObject* parent, std::function<void(int signal)> onStop);

}  // namespace trindel::gui
