// Text an instrument sends unprompted, gathered from the port: the freshest complete line is
// taken (older lines are stale by then), with a time limit on the wait for one.
#pragma once

#include <string>

namespace trindel {

class SerialPort;

class InstrumentText {
  public:
    // Adds bytes received (kept to the last 4096).
    void add(const std::string& bytes);
    // Moves everything the port holds into the text.
    void takeFrom(SerialPort& port);
    // The freshest complete line (line ends CR or LF removed); false when no line is complete.
    // Everything up to its line end is dropped.
    bool takeFreshestLine(std::string& line);
    const std::string& pending() const { return text_; }
    void clear() { text_.clear(); }
    // True when the last byte added was a CR (the LF of a CR LF line end may still come); other
    // traffic on the line since then is marked with forgetLineEnd.
    bool endsWithCR() const { return lastWasCR_; }
    void forgetLineEnd() { lastWasCR_ = false; }

  private:
    std::string text_;
    bool lastWasCR_ = false;
};

// Waits up to `timeoutSeconds` for a complete line from the port, gathering into `text`; a line
// without a line end counts once the instrument has been quiet for `quietSeconds`. Returns the
// line (at most 255 characters), or "" when none arrived in time.
std::string waitForInstrumentLine(SerialPort& port, InstrumentText& text, double timeoutSeconds,
                                  double quietSeconds);

}  // namespace trindel
