// calendar.cpp - day numbers by 400-, 100- and 4-year cycles.
#include "calendar.h"

const int32_t days_before_month[12] = {0,   31,  59,  90,  120, 151,
                                       181, 212, 243, 273, 304, 334};
const int32_t days_in_month[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

namespace {

const int64_t days_per_400_years = 146097;
const int64_t days_per_century = 36524;  // a century whose last year is common
const int64_t days_per_4_years = 1461;

// Division rounding toward minus infinity, and its non-negative remainder.
int64_t floor_div(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
int64_t floor_mod(int64_t a, int64_t b) {
    return a - floor_div(a, b) * b;
}

// Keeps a computed year inside tm_year's 32 bits (wrapping, never overflowing).
int tm_year_of(int64_t year) {
    return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(year - 1900)));
}

// Days before 1 January of `year` counted from 1 January of year 1: whole
// years times 365 plus the leap days among them.  Valid for every year.
int64_t days_before_year(int64_t year) {
    const int64_t y = year - 1;
    return 365 * y + floor_div(y, 4) - floor_div(y, 100) + floor_div(y, 400);
}

int64_t days_from_civil(int64_t year, int64_t month, int64_t mday) {
    year += floor_div(month, 12);
    const int m = static_cast<int>(floor_mod(month, 12));
    int64_t n = days_before_year(year) + days_before_month[m] + mday - 1;
    if (m >= 2 && is_leap_year(year)) {
        ++n;  // this year's 29 February lies before the date
    }
    return n;
}

}  // namespace

int is_leap_year(int64_t year) {
    if (year % 4 != 0) {
        return 0;
    }
    if (year % 100 != 0) {
        return 1;
    }
    return year % 400 == 0 ? 1 : 0;
}

int64_t tm_to_day_number(const std::tm& t) {
    return days_from_civil(int64_t{t.tm_year} + 1900, t.tm_mon, t.tm_mday);
}

// Peels off 400-year cycles, then centuries, 4-year cycles and single years.
// The last day of a 400-year cycle (r = 146096) and of a leap year closing a
// 4-year cycle (r = 1460) would otherwise count as a fifth century or year.
std::tm& day_number_to_tm(int64_t n, std::tm& out) {
    const int64_t q400 = floor_div(n, days_per_400_years);
    int64_t r = floor_mod(n, days_per_400_years);
    int64_t q100 = r / days_per_century;
    if (q100 == 4) {
        q100 = 3;
        r = days_per_century;
    } else {
        r %= days_per_century;
    }
    const int64_t q4 = r / days_per_4_years;
    r %= days_per_4_years;
    int64_t q1 = r / 365;
    if (q1 == 4) {
        q1 = 3;
        r = 365;
    } else {
        r %= 365;
    }
    const int64_t year = 400 * q400 + 100 * q100 + 4 * q4 + q1 + 1;

    int32_t before[12];
    const int leap = is_leap_year(year);
    for (int i = 0; i < 12; ++i) {
        before[i] = days_before_month[i] + (i >= 2 ? leap : 0);
    }
    int month = 1;
    while (month < 12 && r >= before[month]) {
        ++month;
    }
    out.tm_year = tm_year_of(year);
    out.tm_mon = month - 1;
    out.tm_mday = static_cast<int>(r - before[month - 1] + 1);
    return out;
}

std::tm& tm_add_date(std::tm& t, int64_t years, int64_t months, int64_t days) {
    int64_t month = int64_t{t.tm_mon} + months;
    const int64_t year = int64_t{t.tm_year} + 1900 + years + floor_div(month, 12);
    month = floor_mod(month, 12);

    int64_t mday = t.tm_mday;
    const int64_t length = days_in_month[month] + (month == 1 ? is_leap_year(year) : 0);
    if (mday > length) {
        mday = length;  // 31 January plus one month is the last day of February
    }
    return day_number_to_tm(days_from_civil(year, month, mday) + days, t);
}

std::tm& tm_add_time(std::tm& t, int64_t hours, int64_t minutes, int64_t seconds) {
    const int64_t total = int64_t{t.tm_hour} * 3600 + int64_t{t.tm_min} * 60 + t.tm_sec +
                          hours * 3600 + minutes * 60 + seconds;
    const int64_t carry = floor_div(total, 86400);
    const int64_t s = floor_mod(total, 86400);
    t.tm_hour = static_cast<int>(s / 3600);
    t.tm_min = static_cast<int>(s % 3600 / 60);
    t.tm_sec = static_cast<int>(s % 60);
    if (carry != 0) {
        tm_add_date(t, 0, 0, carry);
    }
    return t;
}

std::tm& tm_normalise(std::tm& t) {
    const int64_t seconds =
        int64_t{t.tm_hour} * 3600 + int64_t{t.tm_min} * 60 + int64_t{t.tm_sec};
    const int64_t carry = floor_div(seconds, 86400);
    const int64_t s = floor_mod(seconds, 86400);
    t.tm_hour = static_cast<int>(s / 3600);
    t.tm_min = static_cast<int>(s % 3600 / 60);
    t.tm_sec = static_cast<int>(s % 60);
    const int64_t first = days_from_civil(int64_t{t.tm_year} + 1900, t.tm_mon, 1);
    return day_number_to_tm(first + (int64_t{t.tm_mday} - 1) + carry, t);
}

int32_t tm_day_of_week(const std::tm& t) {
    return static_cast<int32_t>(floor_mod(tm_to_day_number(t) + 1, 7));
}
