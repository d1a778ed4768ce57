// Keys typed on the terminal during a recording: the terminal is put in non-canonical mode without
// echo (Ctrl-C still interrupts) and each key becomes a character code as the chart loop reads
// keys.
#pragma once

#include <termios.h>

#include <optional>
#include <string>

namespace trindel::cli {

class TerminalKeys {
  public:
    // Takes over standard input when it is a terminal; otherwise does nothing.
    TerminalKeys();
    ~TerminalKeys();
    TerminalKeys(const TerminalKeys&) = delete;
    TerminalKeys& operator=(const TerminalKeys&) = delete;

    bool active() const { return active_; }
    int descriptor() const { return active_ ? 0 : -1; }
    // The next key typed, if any: letters and digits as themselves, Return 13, Escape 27, the
    // arrow keys 28 (left), 29 (right), 30 (up), 31 (down).
    std::optional<int> nextKey();

  private:
    bool active_ = false;
    termios saved_{};
    std::string pending_;
};

}  // namespace trindel::cli
