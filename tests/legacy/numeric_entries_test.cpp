// The number entries: each passes the numeric family's result through, and
// SQL NULL (a null pointer) gives 0.
#include <gtest/gtest.h>

#include <cmath>

#include "legacy/entries.h"
#include "numeric/numeric.h"

namespace {

TEST(NumericEntries, FamilyResultsAndNulls) {
    for (const double v : {-2.5, -0.0, 0.49999999999999994, 4503599627370497.0, 1e300}) {
        EXPECT_EQ(std::signbit(_UDF_Abs(&v)), std::signbit(absolute_value(v)));
        EXPECT_EQ(_UDF_Abs(&v), absolute_value(v));
        for (const int16_t mode : {int16_t{0}, int16_t{1}, int16_t{2}, int16_t{3}}) {
            EXPECT_EQ(_UDF_Round(&v, &mode), round_by_mode(v, mode)) << v << " " << mode;
        }
    }
    const int32_t least = INT32_MIN, five = -5;
    EXPECT_EQ(_UDF_IAbs(&least), INT32_MIN);
    EXPECT_EQ(_UDF_IAbs(&five), 5);
    EXPECT_EQ(_UDF_Oct("  -17777777777"), octal_value(text_of("  -17777777777", 14)));
    EXPECT_EQ(_UDF_Oct("7\xA0"
                       "7"),
              7);

    const int16_t two = 2;
    const double one = 1.5;
    EXPECT_EQ(_UDF_Abs(nullptr), 0.0);
    EXPECT_EQ(_UDF_IAbs(nullptr), 0);
    EXPECT_EQ(_UDF_Round(nullptr, &two), 0.0);
    EXPECT_EQ(_UDF_Round(&one, nullptr), 0.0);
    EXPECT_EQ(_UDF_Oct(nullptr), 0);
}

}  // namespace
