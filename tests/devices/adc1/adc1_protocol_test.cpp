#include "devices/adc1/adc1_protocol.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace trindel {
namespace {

TEST(Adc1Protocol, ResultFromStatusAndLowByte) {
    struct Case {
        int hb, chx;
        int32_t result;
    };
    const Case cases[] = {{0x10, 0, 0},       {0x10, 50, 50},      {0x00, 50, -50},
                          {0x1F, 0xFF, 4095}, {0x0F, 0xFF, -4095}, {0x13, 0xE8, 1000},
                          {0x7F, 0x01, 3841}, {0x00, 0x00, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(adc1Result(c.hb, c.chx), c.result) << c.hb << " " << c.chx;
    }
    EXPECT_EQ(adc1SelectByte(1), 0);
    EXPECT_EQ(adc1SelectByte(16), 15);
    EXPECT_EQ(adc1SelectByte(3 + kAdc1HighGainOffset), 19);
}

// The gain rule: which conversions run (by code) and what the reading is.
TEST(Adc1Protocol, GainSwitching) {
    struct Case {
        const char* what;
        int gainSet;
        std::map<int, std::optional<int32_t>> results;  // by code; missing: time-out
        std::vector<int> codes;
        float volts;
        bool failed, badValueOnly, serialError;
    };
    const Case cases[] = {
        {"automatic, large", 1, {{2, 1000}}, {2}, 0.1f, false, false, false},
        {"automatic, 0.005 V is read again at high gain",
         1,
         {{2, 50}, {19, 2500}},
         {2, 19},
         0.005f,
         false,
         false,
         false},
        {"automatic, high gain 0.009 V is discarded",
         1,
         {{2, 50}, {19, 4500}},
         {2, 19},
         0.005f,
         false,
         false,
         false},
        {"automatic, negative small",
         1,
         {{2, -60}, {19, -3000}},
         {2, 19},
         -0.006f,
         false,
         false,
         false},
        {"automatic, 0.00819 V stays low", 1, {{2, 82}}, {2}, 0.0082f, false, false, false},
        {"fixed low never reads high", 2, {{2, 50}}, {2}, 0.005f, false, false, false},
        {"fixed high takes even 0.009 V", 3, {{19, 4500}}, {19}, 0.009f, false, false, false},
        {"low gain fails", 1, {}, {2}, 0.0f, true, true, true},
        {"fixed high fails", 3, {}, {19}, 0.0f, true, false, true},
        {"automatic, high gain fails: the low reading stays",
         1,
         {{2, 50}},
         {2, 19},
         0.005f,
         false,
         false,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int> codes;
        const Adc1Reading r = adc1Reading(c.gainSet, 2, [&](int code) -> std::optional<int32_t> {
            codes.push_back(code);
            const auto it = c.results.find(code);
            return it == c.results.end() ? std::nullopt : it->second;
        });
        EXPECT_EQ(codes, c.codes);
        EXPECT_EQ(r.failed, c.failed);
        EXPECT_EQ(r.badValueOnly, c.badValueOnly);
        EXPECT_EQ(r.serialError, c.serialError);
        if (!r.failed) {
            EXPECT_FLOAT_EQ(r.volts, c.volts);
        }
    }
}

}  // namespace
}  // namespace trindel
