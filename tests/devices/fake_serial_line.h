// A serial line for tests: records what is sent and answers each CR-terminated command with
// the bytes a responder returns; waits never block (no answer means a time-out at once).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/serial_line.h"

namespace trindel {

class FakeSerialLine final : public SerialLine {
  public:
    std::function<std::string(const std::string& command)> responder;
    std::string sent;                   // every byte sent, in order
    std::vector<std::string> commands;  // the CR-terminated commands, CR dropped
    std::string incoming;               // bytes the "device" has delivered
    std::vector<int32_t> openedAt;      // the speed of every open
    bool gone = false;                  // the port vanished
    bool refuseOpen = false;

    bool open(const std::string&, int32_t baud, std::string& error) override {
        if (refuseOpen) {
            error = "refused";
            return false;
        }
        open_ = true;
        openedAt.push_back(baud);
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool send(std::string_view bytes) override {
        if (gone) {
            return false;
        }
        sent.append(bytes);
        for (const char c : bytes) {
            if (c != '\r') {
                partial_.push_back(c);
                continue;
            }
            commands.push_back(partial_);
            if (responder) {
                incoming += responder(partial_);
            }
            partial_.clear();
        }
        return true;
    }
    size_t available() override { return gone ? 0 : incoming.size(); }
    std::string read(size_t count) override {
        std::string out = incoming.substr(0, count);
        incoming.erase(0, out.size());
        return out;
    }
    bool waitForInput(double) override { return !gone && !incoming.empty(); }
    bool failed() const override { return gone; }

  private:
    bool open_ = false;
    std::string partial_;
};

}  // namespace trindel
