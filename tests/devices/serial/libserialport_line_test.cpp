#include "devices/serial/libserialport_line.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "devices/serial/serial_port.h"

namespace trindel {
namespace {

// The far end of a pseudo-terminal stands in for the device.
struct PtyDevice {
    int master = -1;
    std::string path;
    PtyDevice() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        path = ptsname(master);
    }
    ~PtyDevice() { hangUp(); }
    void write(const std::string& s) {
        ASSERT_EQ(::write(master, s.data(), s.size()), ssize_t(s.size()));
    }
    std::string readAll() {
        std::string out;
        char buf[256];
        for (int i = 0; i < 50; ++i) {
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                out.append(buf, static_cast<size_t>(n));
                if (out.back() == '\r') {
                    break;
                }
            }
        }
        return out;
    }
    void hangUp() {
        if (master >= 0) {
            ::close(master);
            master = -1;
        }
    }
};

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

TEST(LibSerialPortLine, ExchangesBytesOverAPseudoTerminal) {
    PtyDevice dev;
    LibSerialPortLine line;
    SerialPort port(line);
    std::string error;
    ASSERT_TRUE(port.open(dev.path, 115200, error)) << error;
    port.command("1V");
    EXPECT_EQ(dev.readAll(), "1V\r");
    dev.write("1500\r\n2000\r\n");
    ASSERT_TRUE(port.waitForLineEnd(1.0));
    EXPECT_DOUBLE_EQ(port.readNumericItem(), 1500.0);
    EXPECT_DOUBLE_EQ(port.readNumericItem(), 2000.0);
    EXPECT_FALSE(port.lost());
}

// A wait for a silent device sleeps in poll() until its deadline: it uses next to no CPU.
TEST(LibSerialPortLine, WaitForASilentDeviceBlocksWithoutSpinning) {
    PtyDevice dev;
    LibSerialPortLine line;
    SerialPort port(line);
    std::string error;
    ASSERT_TRUE(port.open(dev.path, 9600, error)) << error;
    const auto start = std::chrono::steady_clock::now();
    const double cpu0 = cpuSeconds();
    EXPECT_FALSE(port.waitForBytes(2, 0.3));
    const double waited =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(waited, 0.29);
    EXPECT_LT(waited, 1.0);
    EXPECT_LT(cpuSeconds() - cpu0, 0.05);
}

TEST(LibSerialPortLine, VanishedDeviceIsNoticedAtOnce) {
    PtyDevice dev;
    LibSerialPortLine line;
    SerialPort port(line);
    std::string error;
    ASSERT_TRUE(port.open(dev.path, 9600, error)) << error;
    dev.hangUp();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port.waitForBytes(2, 5.0));
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
    EXPECT_TRUE(port.lost());
    port.command("1V");  // writes to a lost port do nothing and do not crash
}

TEST(LibSerialPortLine, OpenFailureIsExplainedInWords) {
    LibSerialPortLine line;
    std::string error;
    EXPECT_FALSE(line.open("/dev/no-such-serial-port", 9600, error));
    EXPECT_NE(error.find("no serial port"), std::string::npos) << error;
    EXPECT_FALSE(line.isOpen());
    EXPECT_NE(openFailureText("/dev/ttyUSB0", EACCES).find("dialout group"), std::string::npos);
    EXPECT_NE(openFailureText("/dev/ttyUSB0", EBUSY).find("in use"), std::string::npos);
}

}  // namespace
}  // namespace trindel
