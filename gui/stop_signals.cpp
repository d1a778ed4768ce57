#include "stop_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace trindel::gui {

namespace {

int gSignalSocket[2] = {-1, -1};

// Only writes the signal's number: everything else happens in the event loop.
extern "C" void onStopSignal(int sig) {
    const auto byte = static_cast<unsigned char>(sig);
    const ssize_t ignored = ::write(gSignalSocket[0], &byte, 1);
    (void)ignored;
}

}  // namespace

void callOnStopSignals(QObject* parent, std::function<void(int signal)> onStop) {
    if (gSignalSocket[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gSignalSocket) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(gSignalSocket[1], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, parent, [onStop = std::move(onStop)] {
        unsigned char byte = 0;
        while (::read(gSignalSocket[1], &byte, 1) == 1) {
            onStop(byte);
        }
    });
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : {SIGTERM, SIGHUP}) {
        sigaction(sig, &action, nullptr);
    }
}

}  // namespace trindel::gui
