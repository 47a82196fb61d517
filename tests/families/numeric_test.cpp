// Absolute values, the three rounding modes (bit for bit, signed zeros and
// NaN signs included) and octal text.
#include "numeric/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

uint64_t bits(double value) {
    uint64_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

double round_mode(double value, int16_t mode) {
    return round_by_mode(value, mode);
}

// Same value and same sign bit (so -0.0 differs from +0.0).
#define EXPECT_SAME_DOUBLE(actual, expected) EXPECT_EQ(bits(actual), bits(expected))

TEST(Numeric, AbsClearsOnlyTheSignBit) {
    EXPECT_SAME_DOUBLE(absolute_value(-0.0), 0.0);
    EXPECT_SAME_DOUBLE(absolute_value(-1.5), 1.5);
    EXPECT_SAME_DOUBLE(absolute_value(-std::numeric_limits<double>::infinity()),
                       std::numeric_limits<double>::infinity());
    const double v = -std::numeric_limits<double>::quiet_NaN();
    ASSERT_TRUE(std::signbit(v));
    const double r = absolute_value(v);
    EXPECT_TRUE(std::isnan(r));
    EXPECT_EQ(bits(r), bits(v) & ~(uint64_t{1} << 63));
}

TEST(Numeric, IAbs) {
    for (const auto& c :
         std::vector<std::pair<int32_t, int32_t>>{{-5, 5},
                                                  {5, 5},
                                                  {0, 0},
                                                  {INT32_MAX, INT32_MAX},
                                                  {INT32_MIN, INT32_MIN},
                                                  {INT32_MIN + 1, INT32_MAX}}) {
        EXPECT_EQ(absolute_value(c.first), c.second);
    }
}

TEST(Numeric, RoundModes) {
    struct Case {
        double value;
        int16_t mode;
        double expected;
    };
    const std::vector<Case> cases = {
        {2.7, 0, 2.0},
        {-2.7, 0, -2.0},
        {-0.3, 0, -0.0},
        {-0.0, 0, -0.0},
        {7.999, 0, 7.0},
        {2.1, 1, 3.0},
        {-2.1, 1, -3.0},
        {0.1, 1, 1.0},
        {-0.1, 1, -1.0},
        {-0.0, 1, -0.0},
        {3.0, 1, 3.0},
        {2.5, 2, 3.0},
        {-2.5, 2, -3.0},
        {2.4999, 2, 2.0},
        {0.5, 2, 1.0},
        {-0.5, 2, -1.0},
        {0.3, 2, 0.0},
        {-0.3, 2, -0.0},
        // Exact halves away from zero: whole numbers stay, the double just
        // below one half goes down.
        {0.49999999999999994, 2, 0.0},
        {4503599627370497.0, 2, 4503599627370497.0},
        {-4503599627370497.0, 2, -4503599627370497.0},
        {4503599627370495.5, 2, 4503599627370496.0},
        {9007199254740993.0, 2, 9007199254740992.0},  // rounds to even on reading
        {1e300, 0, 1e300},
        {12.5, 3, 0.0},
        {12.5, -1, 0.0},
        {-12.5, 32767, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " mode " + std::to_string(c.mode));
        EXPECT_SAME_DOUBLE(round_mode(c.value, c.mode), c.expected);
    }
}

TEST(Numeric, RoundPassesInfinitiesAndNaNs) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int16_t mode = 0; mode <= 2; ++mode) {
        EXPECT_SAME_DOUBLE(round_mode(inf, mode), inf);
        EXPECT_SAME_DOUBLE(round_mode(-inf, mode), -inf);
        EXPECT_TRUE(std::isnan(round_mode(nan, mode)));
    }
    EXPECT_SAME_DOUBLE(round_mode(nan, 3), 0.0);
    EXPECT_SAME_DOUBLE(round_mode(inf, -1), 0.0);
}

TEST(Numeric, OctReadsLikeScanf) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"17", 15},
        {"-17", -15},
        {"  +777", 511},
        {"0", 0},
        {"010", 8},
        {"019", 1},
        {"12abc", 10},
        {"0x1F", 0},
        {"17777777777", 2147483647},
        {"20000000000", INT32_MIN},
        {"-20000000000", INT32_MIN},
        {"37777777777", -1},
        {"40000000000", 0},
        {"-1", -1},
        {"-37777777777", 1},
        {std::string(25, '7'), -1},
        {"-" + std::string(25, '7'), 0},
        {"1" + std::string(21, '0'), 0},
        {"2" + std::string(21, '0'), -1},
        {"1777777777777777777777", -1},  // 2^64 - 1 still fits: low 32 bits
        {"\t\n\v\f\r 7", 7},
        // No digit: 0.
        {"", 0},
        {"   ", 0},
        {"-", 0},
        {"+ 7", 0},
        {"8", 0},
        {"\xA0"
         "7",
         0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(octal_value(text_of(c.first.data(), c.first.size())), c.second)
            << "[" << c.first << "]";
    }
    // Counted: the digits end with the text, or at a zero byte.
    EXPECT_EQ(octal_value(text_of("777", 2)), 63);
    EXPECT_EQ(octal_value(text_of("7\0"
                                  "7",
                                  3)),
              7);
}

}  // namespace
