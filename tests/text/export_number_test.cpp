#include "text/export_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

#include "text/number_text.h"

namespace trindel {
namespace {

// The export's own digit writer must agree with floatText, which takes its digits from
// std::to_chars, for every kind of float: both signs, subnormals, the edges of the plain range
// and of the whole-number range, and random bit patterns.
TEST(ExportNumber, WritesExactlyWhatFloatTextWrites) {
    std::vector<float> values = {
        0.0f,          -0.0f,       1.0f,        -1.0f,       1e-5f,  9.99999e-6f, 1e15f,
        9.9999998e14f, 16777216.0f, 16777215.0f, 16777217.0f, 1e-45f, FLT_MIN,     FLT_MAX,
        0.1f,          0.3f,        123456.7f,   2.5e-5f,     NAN,    -INFINITY,   INFINITY};
    for (int e = -45; e <= 38; ++e) {
        const float power = std::pow(10.0f, static_cast<float>(e));
        values.insert(values.end(), {power, std::nextafter(power, 0.0f),
                                     std::nextafter(power, INFINITY), 7.0f * power});
    }
    std::mt19937 random(29);
    std::uniform_int_distribution<uint32_t> bits;
    for (int i = 0; i < 300000; ++i) {
        values.push_back(std::bit_cast<float>(bits(random)));
    }
    for (float v : values) {
        for (float value : {v, -v}) {
            char buffer[kExportNumberCapacity];
            std::memset(buffer, 'x', sizeof buffer);
            const std::string text(buffer, exportNumber(buffer, value));
            ASSERT_EQ(text, floatText(value)) << std::bit_cast<uint32_t>(value);
        }
    }
}

// Repeated values (a few hundred readings, so entries are reused and evicted), fresh bit patterns
// and both zeros: every text out of the cache is the one exportNumber writes.
TEST(ExportNumberCache, GivesTheTextExportNumberWrites) {
    ExportNumberCache cache;
    std::mt19937 random(3);
    std::uniform_int_distribution<int> reading(-300, 300);
    std::uniform_int_distribution<uint32_t> bits;
    for (int i = 0; i < 200000; ++i) {
        const float value = i % 3 == 0   ? std::bit_cast<float>(bits(random))
                            : i % 3 == 1 ? static_cast<float>(reading(random)) / 64.0f
                                         : (i % 2 == 0 ? 0.0f : -0.0f);
        char cached[kExportNumberCapacity];
        char fresh[kExportNumberCapacity];
        const std::string a(cached, cache.write(cached, value));
        const std::string b(fresh, exportNumber(fresh, value));
        ASSERT_EQ(a, b) << std::bit_cast<uint32_t>(value);
    }
}

}  // namespace
}  // namespace trindel
