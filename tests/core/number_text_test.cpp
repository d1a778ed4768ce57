#include "core/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>

namespace trindel {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Reads a text back as a number, skipping the sign blank.
template <typename T>
T readBack(const std::string& text) {
    const char* first = text.data() + (text[0] == ' ' ? 1 : 0);
    T value{};
    const auto res = std::from_chars(first, text.data() + text.size(), value);
    EXPECT_EQ(res.ptr, text.data() + text.size()) << text;
    return value;
}

TEST(RuntimeText, WholeNumbersAreExactWithoutPoint) {
    EXPECT_EQ(runtimeText(0.0), " 0");
    EXPECT_EQ(runtimeText(-0.0), " 0");
    EXPECT_EQ(runtimeText(5), " 5");
    EXPECT_EQ(runtimeText(-3), "-3");
    EXPECT_EQ(runtimeText(1e12), " 1000000000000");
    EXPECT_EQ(runtimeText(999999999999999.0), " 999999999999999");
}

TEST(RuntimeText, FractionsRoundToTenDigitsHalfAwayFromZero) {
    EXPECT_EQ(runtimeText(0.5), " 0.5");
    EXPECT_EQ(runtimeText(1234.5), " 1234.5");
    EXPECT_EQ(runtimeText(1.0 / 3), " 0.3333333333");
    EXPECT_EQ(runtimeText(-2.0 / 3), "-0.6666666667");
    EXPECT_EQ(runtimeText(123.4567890123), " 123.456789");  // tenth digit 0 is dropped
    EXPECT_EQ(runtimeText(0.12345678905), " 0.1234567891");
    EXPECT_EQ(runtimeText(9.99999999996), " 10");
    EXPECT_EQ(runtimeText(-0.99999999996), "-1");
}

TEST(RuntimeText, ExponentFormOutsidePlainRange) {
    EXPECT_EQ(runtimeText(1e-5), " 0.00001");
    EXPECT_EQ(runtimeText(9.9e-6), " 9.9E-06");
    EXPECT_EQ(runtimeText(1.5e-7), " 1.5E-07");
    EXPECT_EQ(runtimeText(-2.5e-300), "-2.5E-300");
    EXPECT_EQ(runtimeText(1e15), " 1E+15");
    EXPECT_EQ(runtimeText(1e20), " 1E+20");
    EXPECT_EQ(runtimeText(12345678901.5), " 1.23456789E+10");
    EXPECT_EQ(runtimeText(9876543210.5), " 9876543211");
    EXPECT_EQ(runtimeText(kNaN), " NAN");
    EXPECT_EQ(runtimeText(-kNaN), " NAN");
    EXPECT_EQ(runtimeText(kInf), " INF");
    EXPECT_EQ(runtimeText(-kInf), "-INF");
}

TEST(RuntimeText, RandomDoublesStayWithinTenDigitsAndCapacity) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::bit_cast<double>(rng());
        char buf[kNumberTextCapacity];
        const std::string text(buf, runtimeText(buf, value));
        ASSERT_LE(text.size(), 17u) << value;
        ASSERT_EQ(text, runtimeText(value));
        if (!std::isfinite(value)) {
            continue;
        }
        ASSERT_EQ(text[0], std::signbit(value) ? '-' : ' ') << text;
        const double back = readBack<double>(text);
        ASSERT_LE(std::fabs(back - value), 5e-10 * std::fabs(value) + 1e-323) << text;
    }
}

TEST(FloatText, ShortestExactForms) {
    EXPECT_EQ(floatText(0.1f), " 0.1");
    EXPECT_EQ(floatText(-2.5f), "-2.5");
    EXPECT_EQ(floatText(1.0f / 3), " 0.33333334");
    EXPECT_EQ(floatText(1e-3f), " 0.001");
    EXPECT_EQ(floatText(-0.0f), " 0");
    EXPECT_EQ(floatText(16777216.0f), " 16777216");
    EXPECT_EQ(floatText(3e9f), " 3000000000");
    EXPECT_EQ(floatText(123456789.0f), " 123456790");  // shortest digits, not 123456792
    EXPECT_EQ(floatText(1e14f), " 100000000000000");
    EXPECT_EQ(floatText(1e-5f), " 0.00001");
    EXPECT_EQ(floatText(1e-6f), " 1E-06");
    EXPECT_EQ(floatText(1e15f), " 1E+15");
    EXPECT_EQ(floatText(std::numeric_limits<float>::max()), " 3.4028235E+38");
    EXPECT_EQ(floatText(std::numeric_limits<float>::denorm_min()), " 1E-45");
    EXPECT_EQ(floatText(-std::numeric_limits<float>::infinity()), "-INF");
}

TEST(FloatText, RandomFloatsReadBackExactly) {
    std::mt19937 rng(11);
    for (int i = 0; i < 50000; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
        char buf[kNumberTextCapacity];
        const std::string text(buf, floatText(buf, value));
        ASSERT_LE(text.size(), 16u);
        if (std::isfinite(value) && value != 0) {
            ASSERT_EQ(readBack<float>(text), value) << text;
            ASSERT_EQ(text[0], value < 0 ? '-' : ' ') << text;
        }
    }
}

TEST(PictureText, RoundsAndRightAligns) {
    EXPECT_EQ(pictureText(12.345, "###.##"), " 12.35");
    EXPECT_EQ(pictureText(0.5, "###.##"), "  0.50");
    EXPECT_EQ(pictureText(0.125, "###.##"), "  0.13");  // exact binary tie goes away from zero
    EXPECT_EQ(pictureText(2.675, "###.##"), "  2.68");
    EXPECT_EQ(pictureText(0.005, "##.##"), " 0.01");
    EXPECT_EQ(pictureText(12.5, "####"), "  13");
    EXPECT_EQ(pictureText(99.96, "####.#"), " 100.0");
    EXPECT_EQ(pictureText(1234.5678, "####.##"), "1234.57");
    EXPECT_EQ(pictureText(0.5, ".##"), "0.50");
    EXPECT_EQ(pictureText(kNaN, "###.##"), "   NAN");
    EXPECT_EQ(pictureText(kNaN, "#.#"), "NAN");
    EXPECT_EQ(pictureText(-kInf, "###.##"), "  -INF");
}

TEST(PictureText, NegativesCommasAndWidening) {
    EXPECT_EQ(pictureText(-12.345, "###.##"), "-12.35");
    EXPECT_EQ(pictureText(-0.5, "###.##"), " -0.50");
    EXPECT_EQ(pictureText(-0.001, "###.##"), "  0.00");
    EXPECT_EQ(pictureText(1234, "###,###"), "  1,234");
    EXPECT_EQ(pictureText(12, "###,###"), "     12");
    EXPECT_EQ(pictureText(123, "###,###"), "    123");
    EXPECT_EQ(pictureText(1234567, "###,###"), "1,234,567");
    EXPECT_EQ(pictureText(1234567, "#,###,###"), "1,234,567");
    EXPECT_EQ(pictureText(-1234, "#,###,###"), "   -1,234");
    EXPECT_EQ(pictureText(-1234.5, "#,###.#"), "-1,234.5");
    EXPECT_EQ(pictureText(123.456, "##.##"), "123.46");
    EXPECT_EQ(pictureText(-999.96, "###.#"), "-1000.0");
    EXPECT_EQ(pictureText(1e20, "#,###"), "100,000,000,000,000,000,000");
    const std::string widest = pictureText(-std::numeric_limits<double>::max(), "#,###.##");
    EXPECT_EQ(widest.size(), 1 + 309 + 102 + 3u);
    EXPECT_LE(widest.size(), pictureTextCapacity("#,###.##"));
}

TEST(PictureText, RejectsMalformedPictures) {
    for (const char* bad : {"", ".", ",.", "#.#.#", "#x#", "#.#,#", "## #"}) {
        EXPECT_THROW(pictureText(1.0, bad), std::invalid_argument) << bad;
    }
}

TEST(StringFormatter, WholeAndSmallValuesUseRuntimeForm) {
    EXPECT_EQ(StringFormatter(0.0), " 0");
    EXPECT_EQ(StringFormatter(3), " 3");
    EXPECT_EQ(StringFormatter(5.0000001), " 5");
    EXPECT_EQ(StringFormatter(-5.0000001), "-5");
    EXPECT_EQ(StringFormatter(1234567.8), " 1234568");
    EXPECT_EQ(StringFormatter(0.25), " 0.25");
    EXPECT_EQ(StringFormatter(0.999999), " 0.999999");
    EXPECT_EQ(StringFormatter(0.99999999999), " 1");
    EXPECT_EQ(StringFormatter(1.5e-7), " 1.5E-07");
    EXPECT_EQ(StringFormatter(kNaN), " NAN");
    EXPECT_EQ(StringFormatter(-kInf), "-INF");
    // 6 / 6.0000060000060005 is exactly 0.999999: still whole. The next double up is not.
    EXPECT_EQ(StringFormatter(6.0000060000060005), " 6");
    EXPECT_EQ(StringFormatter(std::nextafter(6.0000060000060005, 7.0)), " 6.00001");
}

TEST(StringFormatter, MagnitudeBandsAndTheirBoundaries) {
    EXPECT_EQ(StringFormatter(5.5), " 5.5");
    EXPECT_EQ(StringFormatter(9.999994), " 9.99999");
    EXPECT_EQ(StringFormatter(9.99999999), " 10");
    EXPECT_EQ(StringFormatter(2.9999996), " 3");
    EXPECT_EQ(StringFormatter(10), " 10");
    EXPECT_EQ(StringFormatter(12.3456789), " 12.3457");
    EXPECT_EQ(StringFormatter(-12.3456789), "-12.3457");
    EXPECT_EQ(StringFormatter(99.999999), " 100");
    EXPECT_EQ(StringFormatter(100.10), " 100.1");
    EXPECT_EQ(StringFormatter(100.125), " 100.13");
    EXPECT_EQ(StringFormatter(999.996), " 1000");
    EXPECT_EQ(StringFormatter(1000.25), " 1000.3");
    EXPECT_EQ(StringFormatter(9999.96), " 10000");
    EXPECT_EQ(StringFormatter(10000), " 10000");
    EXPECT_EQ(StringFormatter(10000.4), " 10000");
    EXPECT_EQ(StringFormatter(12345.6), " 12346");
}

TEST(StringFormatter, RandomValuesAreCompactAndClose) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> spread(-20000, 20000);
    for (int i = 0; i < 20000; ++i) {
        const double value = spread(rng) / std::pow(10.0, static_cast<double>(rng() % 5));
        char buf[kNumberTextCapacity];
        const std::string text(buf, StringFormatter(buf, value));
        ASSERT_EQ(text, StringFormatter(value));
        ASSERT_EQ(text[0], value < 0 ? '-' : ' ') << text;
        ASSERT_NE(text[1], ' ') << text;
        if (text.find('.') != std::string::npos) {
            ASSERT_NE(text.back(), '0') << text;
            ASSERT_NE(text.back(), '.') << text;
        }
        ASSERT_LE(std::fabs(readBack<double>(text) - value), 0.5) << text;
    }
}

}  // namespace
}  // namespace trindel
