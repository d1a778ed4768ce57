#include "terminal_keys.h"

#include <unistd.h>

namespace trindel::cli {

TerminalKeys::TerminalKeys() {
    if (isatty(STDIN_FILENO) == 0 || tcgetattr(STDIN_FILENO, &saved_) != 0) {
        return;
    }
    termios raw = saved_;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    active_ = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
}

TerminalKeys::~TerminalKeys() {
    if (active_) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
}

std::optional<int> TerminalKeys::nextKey() {
    if (!active_) {
        return std::nullopt;
    }
    char buf[64];
    const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
    if (n > 0) {
        pending_.append(buf, static_cast<size_t>(n));
    }
    if (pending_.empty()) {
        return std::nullopt;
    }
    int key = static_cast<unsigned char>(pending_[0]);
    size_t used = 1;
    if (key == 27 && pending_.size() >= 3 && pending_[1] == '[') {
        // Arrow keys arrive as escape sequences.
        switch (pending_[2]) {
            case 'A':
                key = 30;
                break;
            case 'B':
                key = 31;
                break;
            case 'C':
                key = 29;
                break;
            case 'D':
                key = 28;
                break;
            default:
                break;
        }
        used = 3;
    } else if (key == '\n') {
        key = 13;
    }
    pending_.erase(0, used);
    return key;
}

}  // namespace trindel::cli
