#include "byte_device.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cmath>
#include <deque>
#include <random>

namespace devsim {

namespace {

struct Pending {
    double at;
    std::string bytes;
};

}  // namespace

bool serveByteDevice(int master, ByteDevice& device, const LoopOptions& o,
                     const volatile std::sig_atomic_t& stop,
                     const std::function<void(const char*, const std::string&)>& note,
                     const std::function<double()>& now) {
    std::mt19937 random(12345);
    std::deque<Pending> queue;
    long readings = 0;
    auto schedule = [&](std::string reply, bool reading) {
        if (o.fault == "silence" || reply.empty() ||
            (o.stopAfter >= 0 && readings >= o.stopAfter)) {
            return;
        }
        if (reading) {
            ++readings;
        }
        if (o.fault == "garbage" && reading) {
            for (char& c : reply) {
                if (c != '\r' && c != '\n') {  // a garbled line still ends
                    c = "#@!?~xQ%&*"[random() % 10];
                }
            }
        }
        const double at = now() + (o.fault == "slow" ? o.delay : 0.0);
        if (o.fault == "partial" && reply.size() > 1) {
            const size_t half = reply.size() / 2;
            queue.push_back({at, reply.substr(0, half)});
            queue.push_back({at + 0.15, reply.substr(half)});
        } else {
            queue.push_back({at, reply});
        }
    };
    while (stop == 0) {
        double due = device.nextUnpromptedAt();
        if (!queue.empty()) {
            due = std::min(due, queue.front().at);
        }
        int timeoutMs = -1;
        if (std::isfinite(due)) {
            const double left = due - now();
            timeoutMs = left <= 0.0 ? 0 : static_cast<int>(std::ceil(left * 1000.0));
        }
        pollfd pfd{master, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, timeoutMs);
        if (device.nextUnpromptedAt() <= now()) {
            schedule(device.unprompted(), device.unpromptedIsReading());
        }
        while (!queue.empty() && queue.front().at <= now()) {
            const std::string& bytes = queue.front().bytes;
            if (::write(master, bytes.data(), bytes.size()) > 0) {
                note("TX", bytes);
            }
            queue.pop_front();
        }
        if (o.stopAfter >= 0 && readings >= o.stopAfter && queue.empty()) {
            // The last reply reaches the program before the line goes dead.
            ::tcdrain(master);
            ::usleep(200000);
            return true;
        }
        if (ready <= 0 || (pfd.revents & POLLIN) == 0) {
            continue;
        }
        char buf[512];
        const ssize_t n = ::read(master, buf, sizeof buf);
        if (n <= 0) {
            continue;
        }
        const std::string chunk(buf, static_cast<size_t>(n));
        note("RX", chunk);
        for (const char c : chunk) {
            std::string reply = device.receive(static_cast<unsigned char>(c));
            schedule(std::move(reply), device.lastWasReading());
        }
    }
    return false;
}

}  // namespace devsim
