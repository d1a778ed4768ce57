// The port in use: a SerialLine with its receive buffer and the operations the device
// protocols use (send, send CR, command, available, reads, and waits with deadlines).
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "devices/serial/line_buffer.h"
#include "platform/serial_line.h"

namespace trindel {

class SerialPort {
  public:
    explicit SerialPort(SerialLine& line) : line_(line) {}

    // Opens `path` at the standard speed for `baud` (closing first when open); the receive
    // buffer starts empty. False with `error` in words when the port cannot be opened.
    bool open(const std::string& path, int32_t baud, std::string& error);
    // Closes and reopens the same path at another speed.
    bool reopen(int32_t baud, std::string& error);
    void close();
    bool isOpen() const { return line_.isOpen(); }
    // The device stopped answering at the line level (port vanished).
    bool lost() const { return line_.isOpen() && line_.failed(); }
    const std::string& path() const { return path_; }
    int32_t speed() const { return speed_; }

    // Writes the text; nothing is added. Does nothing on a closed port.
    void send(std::string_view text);
    void sendCR() { send("\r"); }
    // A command: the text followed by a carriage return.
    void command(std::string_view text);

    // Moves what the device has delivered into the buffer (as far as there is room) and returns
    // the number of buffered bytes; never waits.
    size_t available();
    // Waits (blocking on the descriptor, never spinning) until at least `n` bytes are buffered
    // or `timeoutSeconds` pass; true when they are.
    bool waitForBytes(size_t n, double timeoutSeconds);
    // Waits until a whole line (a carriage return) is buffered or `timeoutSeconds` pass.
    bool waitForLineEnd(double timeoutSeconds);
    // Drops everything received so far (buffered and waiting in the system).
    void discardInput();

    // Request and reply accounting for devices that answer each request with one line: a
    // request that timed out may still be answered, and that late line must not pass for the
    // answer to a later request. Lines arriving within `staleAfterSeconds` of the unanswered
    // request are dropped.
    void noteUnansweredRequest(double staleAfterSeconds);
    // Waits until a line answering the latest request is buffered (late answers to earlier
    // requests are dropped on the way) or `timeoutSeconds` pass.
    bool waitForReplyLine(double timeoutSeconds);

    std::string readBytes(size_t n) { return buffer_.readBytes(n); }
    std::string readLine() { return buffer_.readLine(); }
    std::string readItem() { return buffer_.readItem(); }
    double readNumericItem() { return buffer_.readNumericItem(); }
    LineBuffer& buffer() { return buffer_; }

  private:
    template <class Done>
    bool waitUntil(Done done, double timeoutSeconds);

    void dropLateAnswers(size_t lines);

    SerialLine& line_;
    LineBuffer buffer_;
    std::deque<std::chrono::steady_clock::time_point> lateUntil_;
    std::string path_;
    int32_t speed_ = 0;
};

}  // namespace trindel
