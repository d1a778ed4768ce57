#include "devices/serial/serial_port.h"

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
    // Bounded: a device that streams without pause cannot keep us here.
    for (int i = 0; i < 64 && line_.isOpen() && line_.available() > 0; ++i) {
        if (line_.read(LineBuffer::kCapacity).empty()) {
            break;
        }
    }
    buffer_.clear();
}

}  // namespace trindel
