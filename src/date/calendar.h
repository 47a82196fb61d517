// calendar.h - Gregorian calendar arithmetic on tm records.
//
// Pure functions: no clock, no server, no state.  The calendar is the
// Gregorian one carried back before 1582 (proleptic).  A day number counts
// days from 1 January of year 1 (day 0, a Monday); dates before year 1 get
// negative day numbers by floor division, so arithmetic stays consistent
// across year 1.  Day numbers are 64-bit so that no offset a caller can pass
// overflows; between year 1 and year 9999 they are 0 to 3652058.
//
// Only tm_sec, tm_min, tm_hour, tm_mday, tm_mon (0-11) and tm_year (years
// since 1900) are read or written; tm_wday, tm_yday and tm_isdst keep
// whatever they held.
#pragma once

#include <cstdint>
#include <ctime>

// Days of a common year before each month, and the length of each month.
extern const int32_t days_before_month[12];
extern const int32_t days_in_month[12];

// 1 for a leap year (full calendar year: 2000, not 100), else 0.
int is_leap_year(int64_t year);

// The day number of the record's date.  A month outside 0-11 is carried into
// the year first.
int64_t tm_to_day_number(const std::tm& t);

// Sets the record's year, month and day to day number n.
std::tm& day_number_to_tm(int64_t n, std::tm& out);

// Adds years and months (the day clamped to the target month's length), then
// days.  The time of day is not touched.
std::tm& tm_add_date(std::tm& t, int64_t years, int64_t months, int64_t days);

// Adds hours, minutes and seconds, carrying whole days into the date in
// either direction; the date is touched only when a day carry arises.
std::tm& tm_add_time(std::tm& t, int64_t hours, int64_t minutes, int64_t seconds);

// Brings all six fields into range as DATEADD would carry them: seconds into
// minutes, hours and days, months into years, then days through day numbers
// (2002-02-31 is 2002-03-03, month 15 of 2002 is March 2003, hour 25 is 1
// o'clock the next day).  Fields already in range are left as they are.
std::tm& tm_normalise(std::tm& t);

// 0 = Sunday to 6 = Saturday.
int32_t tm_day_of_week(const std::tm& t);
