// A simulated device that answers bytes as they arrive (no command lines) and may send text
// unprompted on its own clock: the Sable UI2 and the streaming instrument.
#pragma once

#include <csignal>
#include <functional>
#include <limits>
#include <string>

namespace devsim {

class ByteDevice {
  public:
    virtual ~ByteDevice() = default;
    // The reply to one received byte (often empty while a command is incomplete).
    virtual std::string receive(unsigned char byte) = 0;
    // True when the last reply answered a reading.
    virtual bool lastWasReading() const = 0;
    // When the next unprompted text is due (seconds since start); infinity when never.
    virtual double nextUnpromptedAt() const { return std::numeric_limits<double>::infinity(); }
    // The unprompted text due now; moves the clock of the next one on.
    virtual std::string unprompted() { return {}; }
    // True when the unprompted text is the device's reading (a streaming instrument).
    virtual bool unpromptedIsReading() const { return false; }
};

// Fault and logging options of the loop, as the command line gives them.
struct LoopOptions {
    std::string fault;  // "", silence, garbage, slow or partial
    double delay = 1.0;
    long stopAfter = -1;
};

// Serves `device` on the pseudo-terminal `master` until `stop` is set or the device hangs up;
// `note(direction, bytes)` logs traffic. Returns true when it hung up on purpose.
bool serveByteDevice(int master, ByteDevice& device, const LoopOptions& options,
                     const volatile std::sig_atomic_t& stop,
                     const std::function<void(const char*, const std::string&)>& note,
                     const std::function<double()>& now);

}  // namespace devsim
