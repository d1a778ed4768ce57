#include "text/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>

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

struct Case {
    double value;
    const char* text;
};

// 123.4567890123 drops its tenth digit, a 0.
TEST(RuntimeText, WholeFractionAndExponentForms) {
    // clang-format off
    const Case cases[] = {
        {0.0, " 0"}, {-0.0, " 0"}, {-3, "-3"}, {999999999999999.0, " 999999999999999"},
        {1.0 / 3, " 0.3333333333"}, {-2.0 / 3, "-0.6666666667"}, {123.4567890123, " 123.456789"},
        {0.12345678905, " 0.1234567891"}, {9.99999999996, " 10"}, {-0.99999999996, "-1"},
        {1e-5, " 0.00001"}, {9.9e-6, " 9.9E-06"}, {-2.5e-300, "-2.5E-300"}, {1e15, " 1E+15"},
        {12345678901.5, " 1.23456789E+10"}, {9876543210.5, " 9876543211"}, {-kNaN, " NAN"},
        {kInf, " INF"}, {-kInf, "-INF"}
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(runtimeText(c.value), c.text) << c.value;
    }
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

// 123456789.0f shows its shortest digits, not 123456792.
TEST(FloatText, ShortestExactForms) {
    // clang-format off
    const std::pair<float, const char*> cases[] = {
        {0.1f, " 0.1"}, {-2.5f, "-2.5"}, {1.0f / 3, " 0.33333334"}, {-0.0f, " 0"},
        {3e9f, " 3000000000"}, {123456789.0f, " 123456790"}, {1e14f, " 100000000000000"},
        {1e-5f, " 0.00001"}, {1e-6f, " 1E-06"}, {1e15f, " 1E+15"},
        {std::numeric_limits<float>::max(), " 3.4028235E+38"},
        {std::numeric_limits<float>::denorm_min(), " 1E-45"}
    };
    // clang-format on
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(floatText(value), text) << value;
    }
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

// 6 / 6.0000060000060005 is exactly 0.999999: still whole. The next double up is not.
TEST(StringFormatter, RuntimeFormMagnitudeBandsAndTheirBoundaries) {
    // clang-format off
    const Case cases[] = {
        {5.0000001, " 5"}, {-5.0000001, "-5"}, {1234567.8, " 1234568"}, {0.999999, " 0.999999"},
        {0.99999999999, " 1"}, {1.5e-7, " 1.5E-07"}, {kNaN, " NAN"}, {-kInf, "-INF"},
        {6.0000060000060005, " 6"}, {std::nextafter(6.0000060000060005, 7.0), " 6.00001"},
        {9.999994, " 9.99999"}, {9.99999999, " 10"}, {2.9999996, " 3"}, {12.3456789, " 12.3457"},
        {-12.3456789, "-12.3457"}, {99.999999, " 100"}, {100.125, " 100.13"}, {999.996, " 1000"},
        {1000.25, " 1000.3"}, {9999.96, " 10000"}, {10000.4, " 10000"}, {12345.6, " 12346"}
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(StringFormatter(c.value), c.text) << c.value;
    }
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

TEST(RoundSignificant, ReadoutDigitsNeverCutTheWholePart) {
    struct RoundCase {
        double value;
        int digits;
        double expected;
    };
    const RoundCase cases[] = {
        {12.3456789, 5, 12.346},
        {12.3456789, 4, 12.35},
        {12.3456789, 6, 12.3457},
        {0.000123456, 5, 0.00012346},
        {-0.987654, 4, -0.9877},
        {123456.7, 5, 123457},
        {99999.96, 4, 100000},
        {9.99996, 5, 10},
        {0, 5, 0},
        {2.5, 0, 2.5},
        {1.23456789e-20, 4, 1.235e-20},
    };
    for (const RoundCase& c : cases) {
        EXPECT_EQ(roundSignificant(c.value, c.digits), c.expected) << c.value << " " << c.digits;
    }
    EXPECT_TRUE(std::isnan(roundSignificant(NAN, 5)));
    EXPECT_EQ(StringFormatter(roundSignificant(12.3456789, 5)), " 12.346");
}

}  // namespace
}  // namespace trindel
