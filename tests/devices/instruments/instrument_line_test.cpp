#include "devices/instruments/instrument_line.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

constexpr float E = kEmptyField;

TEST(InstrumentLine, SplitsFields) {
    struct Case {
        const char* line;
        std::vector<float> first;  // fields 1.. ; the rest must be empty
    };
    const Case cases[] = {
        {"1.5,2.25:7", {1.5f, 2.25f, 7.0f}},
        {"12.5mV,-3", {12.5f, -3.0f}},
        {"a,,b,4", {E, E, E, 4.0f}},
        {"", {}},
        // A tag whose name holds digits: its fields stay empty.
        {"!!!:O2analyzer:20.95,0.03", {E, E, 20.95f, 0.03f}},
        {"!!!O2analyzer:20.95,0.03", {E, 20.95f, 0.03f}},
        {"!!!:FC10:1,2", {E, E, 1.0f, 2.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto f = splitInstrumentLine(c.line);
        for (size_t k = 1; k <= 16; ++k) {
            const float want = k <= c.first.size() ? c.first[k - 1] : E;
            EXPECT_FLOAT_EQ(f[k], want) << "field " << k;
        }
    }
}

TEST(InstrumentLine, SixteenFieldsAtMostAnd254Characters) {
    std::string line;
    for (int k = 1; k <= 20; ++k) {
        line += std::to_string(k) + ",";
    }
    const auto f = splitInstrumentLine(line);
    EXPECT_FLOAT_EQ(f[16], 16.0f);
    // Characters beyond 254 are not considered.
    const std::string longLine = std::string(253, 'x') + ",5";
    EXPECT_FLOAT_EQ(splitInstrumentLine(longLine)[2], E);
}

TEST(InstrumentLine, TagNames) {
    EXPECT_EQ(instrumentTag("!!!:O2analyzer:1,2").name, "O2analyzer");
    EXPECT_EQ(instrumentTag("!!!FoxBox:1").name, "FoxBox");
    EXPECT_EQ(instrumentTag("1,2,3").name, "");
    EXPECT_EQ(instrumentTag("!!!:" + std::string(40, 'A') + ":1").name, std::string(21, 'A'));
}

TEST(InstrumentLine, UI2Reply) {
    const auto r = splitUI2InstrumentReply("FoxBox,20.95,0.03 %,x:7");
    EXPECT_EQ(r.header, "FoxBox");
    EXPECT_EQ(r.fields, (std::vector<std::string>{"20.95", "0.03", "", "7"}));
    std::string many = "dev";
    for (int k = 0; k < 20; ++k) {
        many += ",1";
    }
    EXPECT_EQ(splitUI2InstrumentReply(many).fields.size(), 14u);
}

TEST(InstrumentLine, DemonstrationValues) {
    std::array<int, 14> draws{};
    draws.fill(10);
    const std::string line = ui2DemoInstrumentLine(draws);
    EXPECT_EQ(line.rfind("demo device,1,0.5,", 0), 0u) << line;
    EXPECT_EQ(splitUI2InstrumentReply(line).fields.size(), 14u);
    std::array<int, 10> r{};
    r.fill(5684);
    const auto f = demoStreamFields(r);
    EXPECT_FLOAT_EQ(f[1], 5.0f);
    EXPECT_FLOAT_EQ(f[2], 2.0f);
    EXPECT_FLOAT_EQ(f[3], 5684.0f);
    EXPECT_FLOAT_EQ(f[4], 0.5684f);
    EXPECT_FLOAT_EQ(f[13], E);
    EXPECT_EQ(fieldShownText(E), "--");
    EXPECT_EQ(fieldShownText(1.5f), "1.5");
}

}  // namespace
}  // namespace trindel
