// rounding.h - the three rounding steps behind UDF_ROUND.
#pragma once

// Truncation: floor of a value not below 0, else minus floor of its negation.
double round_toward_zero(double value);
// Ceiling of a value not below 0, else minus ceiling of its negation.
double round_away_from_zero(double value);
// To the nearest whole number, halves away from zero, exactly (as std::round
// in a correct C library).
double round_half_away_from_zero(double value);
