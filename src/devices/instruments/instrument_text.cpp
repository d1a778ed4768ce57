#include "devices/instruments/instrument_text.h"

#include <algorithm>
#include <chrono>

#include "devices/serial/serial_port.h"

namespace trindel {

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

constexpr size_t kKept = 4096;
constexpr size_t kLongestLine = 255;

}  // namespace

void InstrumentText::add(const std::string& bytes) {
    if (bytes.empty()) {
        return;
    }
    lastWasCR_ = bytes.back() == '\r';
    text_ += bytes;
    // Nobody reading for a while never lets the text grow without bound.
    if (text_.size() > kKept) {
        text_.erase(0, text_.size() - kKept);
    }
}

void InstrumentText::takeFrom(SerialPort& port) {
    const size_t n = port.available();
    if (n > 0) {
        add(port.readBytes(n));
    }
}

bool InstrumentText::takeFreshestLine(std::string& line) {
    const size_t end = text_.find_last_of("\r\n");
    if (end == std::string::npos) {
        return false;
    }
    // The text before the last run of line ends, back to the line end before it.
    size_t textEnd = end;
    while (textEnd > 0 && isLineEnd(text_[textEnd - 1])) {
        --textEnd;
    }
    size_t from = textEnd;
    while (from > 0 && !isLineEnd(text_[from - 1])) {
        --from;
    }
    line = text_.substr(from, std::min(textEnd - from, kLongestLine));
    text_.erase(0, end + 1);
    return !line.empty();
}

std::string waitForInstrumentLine(SerialPort& port, InstrumentText& text, double timeoutSeconds,
                                  double quietSeconds) {
    using Steady = std::chrono::steady_clock;
    const auto deadline = Steady::now() + std::chrono::duration<double>(timeoutSeconds);
    std::string line;
    for (;;) {
        text.takeFrom(port);
        if (text.takeFreshestLine(line)) {
            return line;
        }
        const double left = std::chrono::duration<double>(deadline - Steady::now()).count();
        if (left <= 0.0 || !port.isOpen() || port.lost()) {
            return {};
        }
        // A line without a line end is finished once the instrument falls quiet (a whole quiet
        // spell: a line cut off by the deadline is not read).
        if (left < quietSeconds) {
            port.waitForBytes(1, left);
            continue;
        }
        if (!port.waitForBytes(1, quietSeconds) && text.pending().size() > 1 &&
            port.available() == 0) {
            line = text.pending().substr(0, kLongestLine);
            text.clear();
            return line;
        }
    }
}

}  // namespace trindel
