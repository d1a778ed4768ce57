// A serial line for byte protocols: each byte sent may be answered at once; waits never block.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/serial_line.h"

namespace trindel {

class ByteFakeLine final : public SerialLine {
  public:
    std::function<std::string(unsigned char byte)> onByte;
    std::string sent;
    std::string incoming;
    std::vector<int32_t> openedAt;
    int closes = 0;

    bool open(const std::string&, int32_t baud, std::string&) override {
        open_ = true;
        openedAt.push_back(baud);
        return true;
    }
    void close() override {
        open_ = false;
        ++closes;
    }
    bool isOpen() const override { return open_; }
    bool send(std::string_view bytes) override {
        sent.append(bytes);
        for (const char c : bytes) {
            if (onByte) {
                incoming += onByte(static_cast<unsigned char>(c));
            }
        }
        return true;
    }
    size_t available() override { return incoming.size(); }
    std::string read(size_t count) override {
        std::string out = incoming.substr(0, count);
        incoming.erase(0, out.size());
        return out;
    }
    bool waitForInput(double) override { return !incoming.empty(); }
    bool failed() const override { return false; }

  private:
    bool open_ = false;
};

}  // namespace trindel
