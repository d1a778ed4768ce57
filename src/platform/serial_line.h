// A serial line: the devices' readers talk through it, so tests can feed bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trindel {

class SerialLine {
  public:
    virtual ~SerialLine() = default;
    // Opens the port at the speed; false with `error` set when it cannot be opened.
    virtual bool open(const std::string& path, int32_t baud, std::string& error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool send(std::string_view bytes) = 0;
    // Bytes waiting to be read.
    virtual size_t available() = 0;
    // Reads up to `count` waiting bytes without blocking.
    virtual std::string read(size_t count) = 0;
};

}  // namespace trindel
