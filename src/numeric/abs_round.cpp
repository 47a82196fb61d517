// abs_round.cpp - absolute values and rounding: UDF_ABS, UDF_IABS, UDF_ROUND.
//
// NaN fails every "not less than 0" test and so takes the negative branch;
// it comes back a NaN.  Infinities pass unchanged.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "../module/kovudf.h"
#include "rounding.h"

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
// Infinities and NaNs come back unchanged.
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

KOVUDF_ENTRY double _UDF_Abs(const double* value) {
    if (value == nullptr) {
        return 0.0;
    }
    uint64_t bits;
    std::memcpy(&bits, value, sizeof bits);
    bits &= ~(uint64_t{1} << 63);
    double result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

// -2147483648 has no positive counterpart and comes back unchanged.
KOVUDF_ENTRY int32_t _UDF_IAbs(const int32_t* value) {
    if (value == nullptr) {
        return 0;
    }
    if (*value >= 0 || *value == INT32_MIN) {
        return *value;
    }
    return -*value;
}

KOVUDF_ENTRY double _UDF_Round(const double* value, const int16_t* mode) {
    if (value == nullptr || mode == nullptr) {
        return 0.0;
    }
    switch (*mode) {
        case 0:
            return round_toward_zero(*value);
        case 1:
            return round_away_from_zero(*value);
        case 2:
            return round_half_away_from_zero(*value);
        default:
            return 0.0;
    }
}
