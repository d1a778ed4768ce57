// trindel-devsim: opens a pseudo-terminal, prints its path and answers as the chosen device,
// with values a test can predict and faults on request.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <random>
#include <string>

#include "adam_sim.h"
#include "adc1_sim.h"
#include "datataker_sim.h"
#include "sim_values.h"
#include "stream_sim.h"
#include "ui2_sim.h"

namespace {

volatile sig_atomic_t gStop = 0;
extern "C" void onSignal(int) {
    gStop = 1;
}

void usage() {
    std::fputs(
        "usage: trindel-devsim --device dt500|dt50|dt800|adam|adc1|ui2|stream [options]\n"
        "  --link PATH          make PATH a symbolic link to the pseudo-terminal\n"
        "  --value IN=RULE      values of input IN (0 or 'all': every input); RULE is\n"
        "                       fixed:X, ramp:START:STEP or sine:OFFSET:AMPLITUDE:PERIOD,\n"
        "                       in the logger's units (mV, degC, ohms, counts), by request\n"
        "  --fault KIND         silence, garbage, slow or partial\n"
        "  --delay SECONDS      reply delay of the slow fault (default 1.0)\n"
        "  --stop-after N       hang up after N readings (an unplugged adapter)\n"
        "  --log FILE           record every byte received and sent, with times\n"
        "  --modules LIST       ADAM modules by address, e.g. 01=4019,02=4050,03=4017\n"
        "                       (default 01=4019,02=4050); ADAM values are volts or degC\n"
        "  --cjc DEGC           ADAM cold-junction temperature (default 24.5)\n"
        "  ui2:    --firmware N (version reported, default 210), --instrument-rate HZ (lines\n"
        "          of the instrument on the serial input, default 0: none), --field K=RULE\n"
        "          (instrument field K); --value rules are volts, degC, volts (T inputs in\n"
        "          volts/ohms mode) and counts\n"
        "  stream: --rate HZ (lines a second, default 1), --tag NAME (\"!!!:NAME:\" first),\n"
        "          --fields N (values a line, default 8); --value K=RULE is field K\n",
        stderr);
}

std::string escaped(const std::string& bytes) {
    std::string out;
    for (const unsigned char c : bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 32 || c > 126) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

struct Pending {
    double at;
    std::string bytes;
};

}  // namespace

int main(int argc, char** argv) {
    using devsim::Model;
    std::string device, link, fault, logPath, modules;
    double cjc = 24.5;
    double delay = 1.0;
    long stopAfter = -1;
    devsim::InputValues values;
    devsim::InputValues fields;
    int firmware = 210;
    int streamFields = 8;
    double instrumentRate = 0.0, rate = 1.0;
    std::string tag;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "trindel-devsim: %s needs a value\n", arg.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--device") {
            device = value();
        } else if (arg == "--link") {
            link = value();
        } else if (arg == "--fault") {
            fault = value();
        } else if (arg == "--delay") {
            delay = std::atof(value().c_str());
        } else if (arg == "--stop-after") {
            stopAfter = std::atol(value().c_str());
        } else if (arg == "--log") {
            logPath = value();
        } else if (arg == "--modules") {
            modules = value();
        } else if (arg == "--cjc") {
            cjc = std::atof(value().c_str());
        } else if (arg == "--firmware") {
            firmware = std::atoi(value().c_str());
        } else if (arg == "--instrument-rate") {
            instrumentRate = std::atof(value().c_str());
        } else if (arg == "--rate") {
            rate = std::atof(value().c_str());
        } else if (arg == "--tag") {
            tag = value();
        } else if (arg == "--fields") {
            streamFields = std::atoi(value().c_str());
        } else if (arg == "--value" || arg == "--field") {
            const std::string v = value();
            const size_t eq = v.find('=');
            const std::string in = v.substr(0, eq);
            const auto rule =
                eq == std::string::npos ? std::nullopt : devsim::parseValueRule(v.substr(eq + 1));
            const int input = in == "all" ? 0 : std::atoi(in.c_str());
            if (!rule || input < 0 || input > 99 || (input == 0 && in != "all" && in != "0")) {
                std::fprintf(stderr, "trindel-devsim: bad --value %s\n", v.c_str());
                return 2;
            }
            (arg == "--field" ? fields : values).set(input, *rule);
        } else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else {
            std::fprintf(stderr, "trindel-devsim: unknown option %s\n", arg.c_str());
            usage();
            return 2;
        }
    }
    Model model{};
    if (device == "dt500") {
        model = Model::DT500;
    } else if (device == "dt50") {
        model = Model::DT50;
    } else if (device == "dt800") {
        model = Model::DT800;
    } else if (device == "ui2" || device == "stream") {
        if (rate <= 0.0 || rate > 1000.0 || instrumentRate < 0.0 || instrumentRate > 1000.0 ||
            streamFields < 1 || streamFields > 32 || firmware < 0 || firmware > 999) {
            std::fprintf(stderr,
                         "trindel-devsim: --rate, --instrument-rate, --fields or "
                         "--firmware out of range\n");
            return 2;
        }
    } else if (device != "adam" && device != "adc1") {
        usage();
        return 2;
    }
    if (!fault.empty() && fault != "silence" && fault != "garbage" && fault != "slow" &&
        fault != "partial") {
        std::fprintf(stderr, "trindel-devsim: unknown fault %s\n", fault.c_str());
        return 2;
    }

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("trindel-devsim: pseudo-terminal");
        return 1;
    }
    const std::string path = ptsname(master);
    // Holding the far end open keeps the terminal alive while the program closes and reopens it.
    const int keep = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    termios t{};
    if (keep >= 0 && tcgetattr(keep, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(keep, TCSANOW, &t);
    }
    if (!link.empty()) {
        ::unlink(link.c_str());
        if (::symlink(path.c_str(), link.c_str()) != 0) {
            std::perror("trindel-devsim: --link");
            return 1;
        }
    }
    std::ofstream log;
    if (!logPath.empty()) {
        log.open(logPath, std::ios::out | std::ios::trunc);
        if (!log) {
            std::fprintf(stderr, "trindel-devsim: cannot write %s\n", logPath.c_str());
            return 1;
        }
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    const auto origin = std::chrono::steady_clock::now();
    auto now = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin).count();
    };
    auto note = [&](const char* dir, const std::string& bytes) {
        if (log) {
            char stamp[32];
            std::snprintf(stamp, sizeof stamp, "%.6f", now());
            log << stamp << ' ' << dir << ' ' << escaped(bytes) << '\n';
            log.flush();
        }
    };

    if (device == "ui2" || device == "stream") {
        devsim::UI2Sim ui2(values, fields, firmware, instrumentRate, now());
        devsim::StreamSim stream(values, rate, tag, streamFields, now());
        devsim::ByteDevice& dev = device == "ui2" ? static_cast<devsim::ByteDevice&>(ui2) : stream;
        const devsim::LoopOptions options{fault, delay, stopAfter};
        if (devsim::serveByteDevice(master, dev, options, gStop, note, now)) {
            note("HANGUP", "");
        }
        if (keep >= 0) {
            ::close(keep);
        }
        ::close(master);
        if (!link.empty()) {
            ::unlink(link.c_str());
        }
        return 0;
    }
    devsim::DataTakerSim sim(model, values);
    devsim::AdamSim adam(values, cjc);
    devsim::Adc1Sim adc1(values);
    if (!modules.empty() && !adam.parseModules(modules)) {
        std::fprintf(stderr, "trindel-devsim: bad --modules %s\n", modules.c_str());
        return 2;
    }
    std::mt19937 random(12345);
    std::deque<Pending> queue;
    std::string partial;
    long readings = 0;
    bool hangUp = false;
    while (gStop == 0 && !hangUp) {
        int timeoutMs = -1;
        if (!queue.empty()) {
            const double left = queue.front().at - now();
            timeoutMs = left <= 0.0 ? 0 : static_cast<int>(std::ceil(left * 1000.0));
        }
        pollfd pfd{master, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, timeoutMs);
        while (!queue.empty() && queue.front().at <= now()) {
            const std::string& bytes = queue.front().bytes;
            if (::write(master, bytes.data(), bytes.size()) > 0) {
                note("TX", bytes);
            }
            queue.pop_front();
        }
        if (stopAfter >= 0 && readings >= stopAfter && queue.empty()) {
            // The last reply reaches the program before the line goes dead (a hang-up throws
            // away what the terminal still holds).
            ::tcdrain(master);
            ::usleep(200000);
            hangUp = true;
            break;
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
        // A reply goes out as the fault mode says.
        const auto deliver = [&](std::string reply, bool reading) {
            if (fault == "silence" || reply.empty() || (stopAfter >= 0 && readings >= stopAfter)) {
                return;
            }
            if (reading) {
                ++readings;
            }
            if (fault == "garbage" && reading) {
                std::string junk;
                const size_t count = device == "adc1" ? reply.size() : 8;
                for (size_t k = 0; k < count; ++k) {
                    junk.push_back("#@!?~xQ%&*"[random() % 10]);
                }
                reply = device == "adc1" ? junk : junk + "\r\n";
            }
            const double at = now() + (fault == "slow" ? delay : 0.0);
            if (sim.lastBurstSeconds() >= 0.0) {
                // A burst download goes out at 115200 baud (11,520 bytes a second), in blocks
                // of a tenth of a second, after the burst has run.
                constexpr size_t kBlock = 1152;
                double due = at + sim.lastBurstSeconds();
                for (size_t k = 0; k < reply.size(); k += kBlock) {
                    queue.push_back({due, reply.substr(k, kBlock)});
                    due += 0.1;
                }
            } else if (fault == "partial" && reply.size() > 2) {
                const size_t half = reply.size() / 2;
                queue.push_back({at, reply.substr(0, half)});
                queue.push_back({at + 0.15, reply.substr(half)});
            } else {
                queue.push_back({at, reply});
            }
        };
        for (const char c : chunk) {
            if (device == "adc1") {
                // Single command bytes, each answered at once.
                const std::string reply = adc1.handle(static_cast<unsigned char>(c));
                deliver(reply, adc1.lastWasReading());
                continue;
            }
            if (c == '\n') {
                continue;
            }
            if (c != '\r') {
                partial.push_back(c);
                continue;
            }
            const bool isAdam = device == "adam";
            const std::string reply = isAdam ? adam.handle(partial) : sim.handle(partial);
            partial.clear();
            deliver(reply, isAdam ? adam.lastWasReading() : sim.lastWasReading());
        }
    }
    if (hangUp) {
        note("HANGUP", "");
    }
    if (keep >= 0) {
        ::close(keep);
    }
    ::close(master);
    if (!link.empty()) {
        ::unlink(link.c_str());
    }
    return 0;
}
