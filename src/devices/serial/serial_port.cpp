#include "devices/serial/serial_port.h"

#include <algorithm>
#include <chrono>

#include "devices/serial/serial_speed.h"

namespace trindel {

bool SerialPort::open(const std::string& path, int32_t baud, std::string& error) {
    close();
    path_ = path;
    speed_ = standardSpeed(baud);
    return line_.open(path, speed_, error);
}

bool SerialPort::reopen(int32_t baud, std::string& error) {
    const std::string path = path_;
    return open(path, baud, error);
}

void SerialPort::close() {
    if (line_.isOpen()) {
        line_.close();
    }
    buffer_.clear();
    lateUntil_.clear();
}

void SerialPort::send(std::string_view text) {
    if (line_.isOpen() && !text.empty()) {
        line_.send(text);
    }
}

void SerialPort::command(std::string_view text) {
    send(text);
    sendCR();
}

size_t SerialPort::available() {
    if (line_.isOpen() && buffer_.room() > 0) {
        const size_t waiting = line_.available();
        if (waiting > 0) {
            buffer_.feed(line_.read(std::min(waiting, buffer_.room())));
        }
    }
    return buffer_.size();
}

template <class Done>
bool SerialPort::waitUntil(Done done, double timeoutSeconds) {
    using Steady = std::chrono::steady_clock;
    const auto deadline = Steady::now() + std::chrono::duration<double>(timeoutSeconds);
    for (;;) {
        available();
        if (done()) {
            return true;
        }
        if (!line_.isOpen() || line_.failed() || buffer_.room() == 0) {
            return false;
        }
        const double left = std::chrono::duration<double>(deadline - Steady::now()).count();
        if (left <= 0.0 || !line_.waitForInput(left)) {
            available();
            return done();
        }
    }
}

bool SerialPort::waitForBytes(size_t n, double timeoutSeconds) {
    const size_t want = std::min(n, LineBuffer::kCapacity);
    return waitUntil([&] { return buffer_.size() >= want; }, timeoutSeconds);
}

bool SerialPort::waitForLineEnd(double timeoutSeconds) {
    return waitUntil([&] { return buffer_.hasLineEnd(); }, timeoutSeconds);
}

void SerialPort::discardInput() {
    size_t lines = 0;
    for (const char c : buffer_.readBytes(buffer_.size())) {
        lines += c == '\r' ? 1 : 0;
    }
    // Bounded: a device that streams without pause cannot keep us here.
    for (int i = 0; i < 64 && line_.isOpen() && line_.available() > 0; ++i) {
        const std::string dropped = line_.read(LineBuffer::kCapacity);
        if (dropped.empty()) {
            break;
        }
        for (const char c : dropped) {
            lines += c == '\r' ? 1 : 0;
        }
    }
    buffer_.clear();
    dropLateAnswers(lines);
}

void SerialPort::dropLateAnswers(size_t lines) {
    const auto now = std::chrono::steady_clock::now();
    while (!lateUntil_.empty() && lateUntil_.front() < now) {
        lateUntil_.pop_front();
    }
    for (; lines > 0 && !lateUntil_.empty(); --lines) {
        lateUntil_.pop_front();
    }
}

void SerialPort::noteUnansweredRequest(double staleAfterSeconds) {
    lateUntil_.push_back(std::chrono::steady_clock::now() +
                         std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                             std::chrono::duration<double>(staleAfterSeconds)));
    // Bounded: a device that never answers leaves no growing list behind.
    while (lateUntil_.size() > 64) {
        lateUntil_.pop_front();
    }
}

bool SerialPort::waitForReplyLine(double timeoutSeconds) {
    using Steady = std::chrono::steady_clock;
    const auto deadline = Steady::now() + std::chrono::duration<double>(timeoutSeconds);
    for (;;) {
        const double left = std::chrono::duration<double>(deadline - Steady::now()).count();
        if (!waitForLineEnd(std::max(0.0, left))) {
            return false;
        }
        dropLateAnswers(0);
        if (lateUntil_.empty()) {
            return true;
        }
        buffer_.readLine();  // the answer to an earlier request
        lateUntil_.pop_front();
    }
}

}  // namespace trindel
