// The machine's serial line: raw 8-N-1, flow control off, non-blocking reads, and waits that
// block in poll() on the port's descriptor until a deadline. Ports the system lists go through
// libserialport; a path it cannot describe (a pseudo-terminal, as the device simulator makes)
// is opened with termios directly.
#pragma once

#include "platform/serial_line.h"

struct sp_port;

namespace trindel {

class LibSerialPortLine final : public SerialLine {
  public:
    LibSerialPortLine() = default;
    ~LibSerialPortLine() override;
    LibSerialPortLine(const LibSerialPortLine&) = delete;
    LibSerialPortLine& operator=(const LibSerialPortLine&) = delete;

    bool open(const std::string& path, int32_t baud, std::string& error) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    bool send(std::string_view bytes) override;
    size_t available() override;
    std::string read(size_t count) override;
    bool waitForInput(double timeoutSeconds) override;
    bool failed() const override { return failed_; }

  private:
    bool openWithTermios(const std::string& path, int32_t baud, std::string& error);

    sp_port* port_ = nullptr;  // null for a line opened with termios
    int fd_ = -1;
    bool failed_ = false;
};

// The words shown to a user for an open failure with the system's error number.
std::string openFailureText(const std::string& path, int errorNumber);

}  // namespace trindel
