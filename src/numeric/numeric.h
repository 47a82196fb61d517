// numeric.h - absolute values, rounding and octal text, on plain values.
#pragma once

#include <cstdint>

#include "../text/text.h"

// The value with its sign bit cleared (a NaN stays a NaN, -0.0 becomes 0.0).
double absolute_value(double value);
// The absolute value; -2147483648 has no positive counterpart and comes back
// unchanged.
int32_t absolute_value(int32_t value);

// Truncation: floor of a value not below 0, else minus floor of its negation.
double round_toward_zero(double value);
// Ceiling of a value not below 0, else minus ceiling of its negation.
double round_away_from_zero(double value);
// To the nearest whole number, halves away from zero, exactly.
double round_half_away_from_zero(double value);
// Mode 0, 1 or 2 above; any other mode gives 0.
double round_by_mode(double value, int32_t mode);

// The octal number at the start of a text, as scanf's "%o" reads it into a
// 32-bit integer: leading white space and one sign are skipped, octal digits
// are read into 64 bits, and the low 32 bits are the result, negated after
// a "-".  Past 2^64 - 1 the result is -1 (0 after a "-"); no digit gives 0.
int32_t octal_value(Text text);
