// Serial parsing and one logger reading over a pseudo-terminal.
// - ItemReader: ns per reply item read from the receive buffer, beside strtod on the same text
//   (the baseline: the item reader's own share is the difference).
// - DT800Read: time from request to value for one DT800 channel with trindel-devsim on a
//   pseudo-terminal, beside a bare round trip of one line over a pseudo-terminal pair.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "devices/datataker/datataker.h"
#include "devices/datataker/datataker_protocol.h"
#include "devices/serial/libserialport_line.h"
#include "devices/serial/line_buffer.h"
#include "devices/serial/serial_port.h"
#include "platform/virtual_platform.h"
#include "state/program.h"

namespace {

constexpr const char* kReply = "  1500.125\r\n";

void ItemReader(benchmark::State& state) {
    trindel::LineBuffer b;
    double sum = 0.0;
    for (auto _ : state) {
        if (b.size() < 16) {
            state.PauseTiming();
            std::string block;
            for (int i = 0; i < 300; ++i) {
                block += kReply;
            }
            b.feed(block);
            state.ResumeTiming();
        }
        sum += b.readNumericItem();
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(ItemReader);

void StrtodBaseline(benchmark::State& state) {
    double sum = 0.0;
    for (auto _ : state) {
        sum += std::strtod(kReply, nullptr);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(StrtodBaseline);

// A bare round trip: one request line out, one reply line back, over a pseudo-terminal pair
// whose far end a thread answers at once.
void PtyRoundTripBaseline(benchmark::State& state) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master);
    unlockpt(master);
    const std::string path = ptsname(master);
    std::atomic<bool> stop{false};
    std::thread far([&] {
        char buf[64];
        while (!stop.load()) {
            pollfd pfd{master, POLLIN, 0};
            if (::poll(&pfd, 1, 50) > 0 && ::read(master, buf, sizeof buf) > 0) {
                (void)!::write(master, kReply, 12);
            }
        }
    });
    trindel::LibSerialPortLine line;
    trindel::SerialPort port(line);
    std::string error;
    port.open(path, 115200, error);
    double sum = 0.0;
    for (auto _ : state) {
        port.command("1V");
        port.waitForLineEnd(1.0);
        sum += port.readNumericItem();
    }
    stop = true;
    far.join();
    port.close();
    ::close(master);
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(PtyRoundTripBaseline)->UseRealTime();

#ifdef DEVSIM_PATH
// One DT800 channel read through ReadDataTaker800, with the simulator answering.
void DT800Read(benchmark::State& state) {
    int out[2];
    if (::pipe(out) != 0) {
        state.SkipWithError("pipe");
        return;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::execl(DEVSIM_PATH, DEVSIM_PATH, "--device", "dt800", "--value", "all=fixed:1500",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    char buf[128] = {};
    const ssize_t n = ::read(out[0], buf, sizeof buf - 1);
    ::close(out[0]);
    std::string path(buf, n > 0 ? static_cast<size_t>(n) : 0);
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) {
        path.pop_back();
    }
    trindel::Program p;
    trindel::VirtualPlatform vp;
    trindel::Platform io = vp.platform();
    trindel::LibSerialPortLine line;
    trindel::SerialPort port(line);
    trindel::DataTakerMemory memory;
    std::string error;
    port.open(path, 115200, error);
    port.command("/u/n/e");
    port.waitForBytes(100, 0.2);
    port.discardInput();
    p.device.External_AD = 4;
    p.session.nChan = 1;
    p.channels.Nvar[1][trindel::kInputNumber] = 1;
    p.device.DataTakerChannels[1] = {1, 0, 0, 0, 0};
    float sum = 0;
    for (auto _ : state) {
        trindel::ReadDataTaker(p, io, port, memory, 1, 0);
        sum += p.device.volts;
    }
    if (sum != static_cast<float>(state.iterations()) * 1.5f) {
        state.SkipWithError("a reading was not 1.5 V");
    }
    port.close();
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}
BENCHMARK(DT800Read)->UseRealTime();
#endif

}  // namespace
