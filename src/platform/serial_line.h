// A serial line: the devices' readers talk through it, so tests can feed bytes. Every wait is a
// blocking wait with a deadline; nothing here spins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trindel {

class SerialLine {
  public:
    virtual ~SerialLine() = default;
    // Opens the port raw 8-N-1 without flow control at the speed; false with `error` set (in
    // words a user understands) when it cannot be opened.
    virtual bool open(const std::string& path, int32_t baud, std::string& error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Writes every byte; false when the line failed.
    virtual bool send(std::string_view bytes) = 0;
    // Bytes waiting to be read; never waits.
    virtual size_t available() = 0;
    // Reads up to `count` waiting bytes without blocking.
    virtual std::string read(size_t count) = 0;
    // Blocks until bytes are waiting, the line fails or `timeoutSeconds` pass; true when bytes
    // are waiting.
    virtual bool waitForInput(double timeoutSeconds) = 0;
    // True once the device has gone away (adapter pulled, other end closed) since the open.
    virtual bool failed() const = 0;
};

}  // namespace trindel
