// Calendar arithmetic: leap years, day numbers both ways (exhaustively over
// years 1 to 9999), adding dates and times, weekdays, and offsets far beyond
// any real date.
#include "date/calendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/stand_in_host.h"  // make_tm, show_tm

namespace {

std::tm date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return make_tm(year, month, day, hour, minute, second);
}

std::string show(const std::tm& t) {
    return show_tm(t);
}

TEST(Calendar, LeapYears) {
    EXPECT_EQ(is_leap_year(1900), 0);
    EXPECT_EQ(is_leap_year(2000), 1);
    EXPECT_EQ(is_leap_year(2002), 0);
    EXPECT_EQ(is_leap_year(2004), 1);
    EXPECT_EQ(is_leap_year(100), 0);
    EXPECT_EQ(is_leap_year(400), 1);
    EXPECT_EQ(is_leap_year(0), 1);
    EXPECT_EQ(is_leap_year(-4), 1);
}

TEST(Calendar, DayNumbers) {
    EXPECT_EQ(tm_to_day_number(date(1, 1, 1)), 0);
    EXPECT_EQ(tm_to_day_number(date(1, 12, 31)), 364);
    EXPECT_EQ(tm_to_day_number(date(1970, 1, 1)), 719162);
    EXPECT_EQ(tm_to_day_number(date(2000, 2, 28)), 730177);
    EXPECT_EQ(tm_to_day_number(date(2000, 2, 29)), 730178);
    EXPECT_EQ(tm_to_day_number(date(2000, 3, 1)), 730179);
    EXPECT_EQ(tm_to_day_number(date(2002, 6, 21)), 731021);
    EXPECT_EQ(tm_to_day_number(date(9999, 12, 31)), 3652058);

    const std::vector<std::pair<int64_t, std::string>> back = {
        {0, "1-1-1"},       {365, "2-1-1"},        {1460, "4-12-31"},   {1461, "5-1-1"},
        {36524, "101-1-1"}, {146096, "400-12-31"}, {146097, "401-1-1"}, {-1, "0-12-31"},
        {-366, "0-1-1"},    {-367, "-1-12-31"}};
    for (const auto& c : back) {
        std::tm t{};
        day_number_to_tm(c.first, t);
        EXPECT_EQ(show(t).substr(0, c.second.size()), c.second) << c.first;
    }
}

// Every day of years 1 to 9999 converts to a date and back, the dates run in
// order without gaps, and each month has its proper length.
TEST(Calendar, ExhaustiveRoundTrip) {
    std::tm previous = date(0, 12, 31);
    for (int64_t n = 0; n <= 3652058; ++n) {
        std::tm t{};
        day_number_to_tm(n, t);
        ASSERT_EQ(tm_to_day_number(t), n);
        const bool next_day = t.tm_mday == previous.tm_mday + 1 &&
                              t.tm_mon == previous.tm_mon &&
                              t.tm_year == previous.tm_year;
        const bool next_month =
            t.tm_mday == 1 &&
            (t.tm_mon == previous.tm_mon + 1 || (t.tm_mon == 0 && previous.tm_mon == 11 &&
                                                 t.tm_year == previous.tm_year + 1));
        ASSERT_TRUE(next_day || next_month) << show(previous) << " then " << show(t);
        if (next_month) {
            const int year = previous.tm_year + 1900;
            const int length = days_in_month[previous.tm_mon] +
                               (previous.tm_mon == 1 ? is_leap_year(year) : 0);
            ASSERT_TRUE(n == 0 || previous.tm_mday == length) << show(previous);
        }
        previous = t;
    }
    EXPECT_EQ(show(previous).substr(0, 10), "9999-12-31");
}

TEST(Calendar, AddDate) {
    struct Case {
        std::tm start;
        int years, months, days;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {date(2002, 1, 31, 8, 0, 0), 0, 1, 0, "2002-2-28 8:0:0"},
        {date(2000, 1, 31), 0, 1, 0, "2000-2-29 0:0:0"},
        {date(2002, 1, 31), 0, 1, 1, "2002-3-1 0:0:0"},
        {date(2000, 2, 29), 1, 0, 0, "2001-2-28 0:0:0"},
        {date(2002, 3, 31), 0, -1, 0, "2002-2-28 0:0:0"},
        {date(2002, 1, 15), 0, -1, 0, "2001-12-15 0:0:0"},
        {date(2002, 1, 15), 0, -12, 0, "2001-1-15 0:0:0"},
        {date(2002, 1, 15), 0, -13, 0, "2000-12-15 0:0:0"},
        {date(2002, 12, 15), 0, 1, 0, "2003-1-15 0:0:0"},
        {date(2002, 5, 31), 0, 25, 0, "2004-6-30 0:0:0"},
        {date(2002, 6, 21), 0, 0, -365, "2001-6-21 0:0:0"},
        {date(2002, 3, 1), 0, 0, -1, "2002-2-28 0:0:0"},
        {date(2000, 3, 1), 0, 0, -1, "2000-2-29 0:0:0"},
        {date(2002, 6, 21, 10, 30, 15), 0, 0, 0, "2002-6-21 10:30:15"},
        // Across year 1, both ways.
        {date(1, 1, 1), 0, 0, -1, "0-12-31 0:0:0"},
        {date(0, 12, 31), 0, 0, 1, "1-1-1 0:0:0"},
        {date(1, 3, 1), -2, 0, 0, "-1-3-1 0:0:0"},
    };
    for (Case c : cases) {
        EXPECT_EQ(show(tm_add_date(c.start, c.years, c.months, c.days)), c.expected);
    }
}

TEST(Calendar, AddTime) {
    struct Case {
        std::tm start;
        int hours, minutes, seconds;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {date(2002, 6, 21, 10, 30, 0), 0, 0, -1, "2002-6-21 10:29:59"},
        {date(2002, 6, 21), 0, 0, -1, "2002-6-20 23:59:59"},
        {date(2002, 6, 21, 23, 59, 59), 0, 0, 1, "2002-6-22 0:0:0"},
        {date(2002, 6, 21, 10), -34, 0, 0, "2002-6-20 0:0:0"},
        {date(2002, 6, 21, 10), 48, 0, 0, "2002-6-23 10:0:0"},
        {date(2002, 1, 1), 0, -1, 0, "2001-12-31 23:59:0"},
        {date(2002, 6, 21), 0, 0, -86400, "2002-6-20 0:0:0"},
        {date(2002, 6, 21), 0, 0, -86401, "2002-6-19 23:59:59"},
        {date(2002, 2, 28, 23), 1, 0, 0, "2002-3-1 0:0:0"},
        {date(2000, 2, 28, 23), 1, 0, 0, "2000-2-29 0:0:0"},
        {date(2002, 6, 21, 10), 0, 90, 0, "2002-6-21 11:30:0"},
        {date(2002, 6, 21, 23, 30), 0, 45, 0, "2002-6-22 0:15:0"},
    };
    for (Case c : cases) {
        EXPECT_EQ(show(tm_add_time(c.start, c.hours, c.minutes, c.seconds)), c.expected);
    }
    // Without a day carry the date fields are not even read.
    std::tm odd = date(2002, 6, 21, 10);
    odd.tm_mon = 40;
    tm_add_time(odd, 1, 0, 0);
    EXPECT_EQ(odd.tm_mon, 40);
    EXPECT_EQ(odd.tm_hour, 11);
}

TEST(Calendar, Weekdays) {
    EXPECT_EQ(tm_day_of_week(date(1, 1, 1)), 1);
    EXPECT_EQ(tm_day_of_week(date(1970, 1, 1)), 4);
    EXPECT_EQ(tm_day_of_week(date(2002, 6, 21)), 5);
    EXPECT_EQ(tm_day_of_week(date(2002, 6, 22)), 6);
    EXPECT_EQ(tm_day_of_week(date(2002, 6, 23)), 0);
    EXPECT_EQ(tm_day_of_week(date(0, 12, 31)), 0);
}

bool fields_in_range(const std::tm& t) {
    return t.tm_mon >= 0 && t.tm_mon <= 11 && t.tm_mday >= 1 && t.tm_mday <= 31 &&
           t.tm_hour >= 0 && t.tm_hour <= 23 && t.tm_min >= 0 && t.tm_min <= 59 &&
           t.tm_sec >= 0 && t.tm_sec <= 59;
}

int64_t seconds_of(const std::tm& t) {
    return tm_to_day_number(t) * 86400 + t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec;
}

// Offsets up to the limits of 32 bits move a date by exactly as much as
// they say, in fields that stay in range; years far out wrap in tm_year's
// 32 bits instead of overflowing.
TEST(Calendar, ExtremeOffsets) {
    for (int32_t offset : {INT32_MIN, INT32_MIN / 3, -1, 1, INT32_MAX / 3, INT32_MAX}) {
        SCOPED_TRACE(offset);
        const std::tm start = date(2002, 6, 21, 10, 30, 15);

        std::tm days = start;
        tm_add_date(days, 0, 0, offset);
        EXPECT_EQ(tm_to_day_number(days), 731021 + int64_t{offset});
        EXPECT_TRUE(fields_in_range(days)) << show(days);
        EXPECT_EQ(days.tm_hour * 3600 + days.tm_min * 60 + days.tm_sec, 37815);

        std::tm months = start;
        tm_add_date(months, 0, offset, 0);
        EXPECT_EQ((int64_t{months.tm_year} + 1900) * 12 + months.tm_mon,
                  int64_t{2002} * 12 + 5 + offset);
        EXPECT_EQ(months.tm_mday, 21);

        std::tm years = start;
        tm_add_date(years, offset, 0, 0);
        EXPECT_EQ(static_cast<uint32_t>(years.tm_year),
                  static_cast<uint32_t>(static_cast<uint64_t>(int64_t{102} + offset)));
        EXPECT_TRUE(fields_in_range(years)) << show(years);

        std::tm clock = start;
        tm_add_time(clock, offset, offset, offset);
        EXPECT_EQ(seconds_of(clock) - seconds_of(start), int64_t{offset} * 3661);
        EXPECT_TRUE(fields_in_range(clock)) << show(clock);
    }
    std::tm month = date(2002, 6, 21);
    month.tm_mon = INT_MIN;  // not from the decoder, but must not crash
    EXPECT_EQ(tm_to_day_number(month), tm_to_day_number(date(2002 - 178956971, 5, 21)));
    EXPECT_EQ(tm_day_of_week(month), tm_day_of_week(date(2002 - 178956971, 5, 21)));
}

}  // namespace
