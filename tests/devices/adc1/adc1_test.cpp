#include "devices/adc1/adc1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

#include "devices/read_dispatch.h"
#include "devices/serial/serial_port.h"
#include "platform/virtual_platform.h"
#include "state/program.h"

namespace trindel {
namespace {

// A byte line: every byte sent gets the responder's bytes back; waits never block.
class ByteLine final : public SerialLine {
  public:
    std::function<std::string(unsigned char)> responder;
    std::string sent;
    std::string incoming;
    bool open(const std::string&, int32_t, std::string&) override { return open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool send(std::string_view bytes) override {
        for (const char c : bytes) {
            sent.push_back(c);
            if (responder) {
                incoming += responder(static_cast<unsigned char>(c));
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

std::string bytes(std::initializer_list<int> list) {
    std::string out;
    for (const int b : list) {
        out.push_back(static_cast<char>(b));
    }
    return out;
}

struct Converter {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    ByteLine line;
    SerialPort port{line};
    Adc1Exchange x;
    // Result per selected code; the status byte reports busy `busyPolls` times first.
    std::function<int32_t(int code)> result = [](int) { return 0; };
    int busyPolls = 1;
    bool silentAfterSelect = false;

    Converter() {
        std::string error;
        port.open("/dev/fake", 9600, error);
        p.session.nChan = 1;
        p.channels.Nvar[1][kInputNumber] = 3;
        line.responder = [this](unsigned char b) -> std::string {
            if (b <= 32) {
                value_ = result(b + 1);
                busy_ = busyPolls;
                return silentAfterSelect ? "" : std::string(1, static_cast<char>(b));
            }
            if (silentAfterSelect) {
                return "";
            }
            if (b == 161) {
                if (busy_ > 0) {
                    --busy_;
                    return bytes({0x80});
                }
                const int32_t m = value_ < 0 ? -value_ : value_;
                return bytes({(value_ >= 0 ? 0x10 : 0) | (m >> 8)});
            }
            if (b == 145) {
                const int32_t m = value_ < 0 ? -value_ : value_;
                return bytes({m & 0xFF});
            }
            return "";
        };
    }

  private:
    int32_t value_ = 0;
    int busy_ = 0;
};

TEST(Get_ADC_Volts, ByteExchange) {
    Converter a;
    a.busyPolls = 2;
    a.result = [](int code) { return code == 3 ? -1234 : 0; };
    EXPECT_EQ(Get_ADC_Volts(a.port, a.x, 3), -1234);
    EXPECT_EQ(a.line.sent, bytes({2, 161, 161, 161, 145}));
    EXPECT_EQ(a.x.SerialError, 0);
    EXPECT_EQ(a.x.chx, 1234 & 0xFF);
    EXPECT_EQ(a.x.hb, 1234 >> 8);
}

TEST(Get_ADC_Volts, TimeOutsAndEndlessBusy) {
    Converter silent;
    silent.silentAfterSelect = true;
    EXPECT_FALSE(Get_ADC_Volts(silent.port, silent.x, 1));
    EXPECT_EQ(silent.x.SerialError, 1);
    EXPECT_EQ(silent.line.sent, bytes({0}));

    Converter busy;
    busy.busyPolls = 1000;
    EXPECT_FALSE(Get_ADC_Volts(busy.port, busy.x, 1));
    EXPECT_EQ(busy.x.SerialError, 1);
    EXPECT_EQ(busy.line.sent.size(), 1u + kAdc1MaxStatusPolls);
}

TEST(ReadADC1, FailedReadingRules) {
    // A failed low-gain conversion gives -99999.0 even with "Last Sample Value".
    Converter a;
    a.silentAfterSelect = true;
    a.p.session.Sample = 5;
    a.p.prefs[kPrefBadReadingStore] = 1;
    a.p.device.lastvoltage[1] = 0.25f;
    ReadADC1(a.p, a.io, a.port, a.x, 1);
    EXPECT_FLOAT_EQ(a.p.device.volts, -99999.0f);
    EXPECT_EQ(a.vp.sounds.log.back(), "ALARMbuzz");

    // Fixed high gain failing takes the last value with the preference on.
    a.p.device.GainSet = 3;
    ReadADC1(a.p, a.io, a.port, a.x, 1);
    EXPECT_FLOAT_EQ(a.p.device.volts, 0.25f);

    Converter b;
    b.p.device.GainSet = 1;
    b.result = [](int code) { return code == 3 ? 50 : 2500; };
    ReadADC1(b.p, b.io, b.port, b.x, 1);
    EXPECT_FLOAT_EQ(b.p.device.volts, 0.005f);
    EXPECT_FLOAT_EQ(b.p.device.lastvoltage[1], 0.005f);
    EXPECT_EQ(b.line.sent.substr(0, 1), bytes({2}));
    EXPECT_NE(b.line.sent.find(static_cast<char>(19)), std::string::npos);
}

}  // namespace
}  // namespace trindel
