// rounding.cpp - absolute values and the three rounding modes.
//
// NaN fails every "not less than 0" test and so takes the negative branch;
// it comes back a NaN.  Infinities pass unchanged.
#include <cmath>
#include <cstring>

#include "numeric.h"

double absolute_value(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits &= ~(uint64_t{1} << 63);
    double result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

int32_t absolute_value(int32_t value) {
    if (value >= 0 || value == INT32_MIN) {
        return value;
    }
    return -value;
}

double round_toward_zero(double value) {
    return value >= 0.0 ? std::floor(value) : -std::floor(-value);
}

double round_away_from_zero(double value) {
    return value >= 0.0 ? std::ceil(value) : -std::ceil(-value);
}

// Exact: the fraction value - trunc(value) is representable, so comparing
// it with one half decides without rounding.  (Adding 0.5 first would round
// the sum itself, moving odd whole numbers in [2^52, 2^53) to the next even
// one and 0.49999999999999994 to 1; some C libraries' round does just that.)
double round_half_away_from_zero(double value) {
    const double whole = round_toward_zero(value);
    const double fraction = value - whole;
    if (fraction >= 0.5) {
        return whole + 1.0;
    }
    if (fraction <= -0.5) {
        return whole - 1.0;
    }
    return whole;
}

double round_by_mode(double value, int32_t mode) {
    switch (mode) {
        case 0:
            return round_toward_zero(value);
        case 1:
            return round_away_from_zero(value);
        case 2:
            return round_half_away_from_zero(value);
        default:
            return 0.0;
    }
}
