// date_values.h - the date functions on plain values: a date and time of
// day as the six fields of a tm record plus the ten-thousandths of a second
// below them.
//
// Every result is normalised: parts out of range are carried as DATEADD
// carries them (month 15 of 2002 is March 2003, hour 25 is 1 o'clock the
// next day).  A result may still lie outside the years 1 to 9999, the only
// ones the server stores: is_storable says so, and each front decides what
// the server then sees.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>

#include "../text/text.h"

struct DateTime {
    std::tm fields;     // tm_sec, tm_min, tm_hour, tm_mday, tm_mon (0-11), tm_year
    uint32_t fraction;  // ten-thousandths of a second, 0 to 9999
};

// True when the normalised value lies in 0001-01-01 .. 9999-12-31.
bool is_storable(const DateTime& value);

// Years and months (the day clamped to the target month's length), then
// days; the time of day and its fraction stay.
DateTime add_date(const DateTime& value, int32_t years, int32_t months, int32_t days);
// A time span carried into the date in either direction; the fraction stays.
DateTime add_time(const DateTime& value, int32_t hours, int32_t minutes, int32_t seconds);

// A date and time from its parts (month 1 to 12), carried into range.
DateTime date_from_parts(int32_t year, int32_t month, int32_t day, int32_t hour,
                         int32_t minute, int32_t second);
// A time of day alone sits on 1 January of the year 100.
DateTime time_of_day(int32_t hour, int32_t minute, int32_t second);
// The date of the first value and the time of day of the second, with the
// second's fraction.
DateTime join_date_time(const std::tm& date, const DateTime& time);

// The parts a field reader gives, as SMALLINT values: only the low 16 bits
// of the year count.  Month 1 to 12.
enum class DateField { year, month, day, hour, minute, second };
int16_t date_field(const std::tm& value, DateField field);
// 0 = Sunday to 6 = Saturday.
int32_t day_of_week(const std::tm& value);
// Days from `b` to `a`; the times of day do not count.  The low 32 bits.
int32_t days_between(const std::tm& a, const std::tm& b);

// Fills today's local year, month and day.
using TodayReader = std::function<void(std::tm* today)>;

// A date typed by a person (date_parse.h), normalised.  False only when a
// long text's working copy cannot be allocated.
bool date_from_text(Text text, const TodayReader& today, DateTime* out);
