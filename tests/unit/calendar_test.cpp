// Calendar arithmetic: leap years, day numbers both ways (exhaustively over
// years 1 to 9999), adding dates and times, weekdays, and offsets far beyond
// any real date.
#include "date/calendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/stand_in_host.h"

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

// Offsets at the limits of 32 bits: defined results, no overflow.
TEST(Calendar, ExtremeOffsets) {
    for (int32_t offset : {INT32_MIN, INT32_MAX}) {
        std::tm t = date(2002, 6, 21, 10, 30, 15);
        tm_add_date(t, offset, offset, offset);
        tm_add_time(t, offset, offset, offset);
        std::tm u = date(2002, 6, 21, 10, 30, 15);
        tm_add_time(u, offset, 0, 0);
        EXPECT_GE(u.tm_hour, 0);
        EXPECT_LT(u.tm_hour, 24);
    }
    std::tm far = date(2002, 6, 21);
    tm_add_date(far, 0, 0, INT32_MAX);
    EXPECT_EQ(tm_to_day_number(far), 731021 + int64_t{INT32_MAX});
    std::tm back = far;
    tm_add_date(back, 0, 0, -int64_t{INT32_MAX});
    EXPECT_EQ(show(back), "2002-6-21 0:0:0");
    std::tm month = date(2002, 6, 21);
    month.tm_mon = INT_MIN;  // not from the decoder, but must not crash
    tm_to_day_number(month);
    tm_day_of_week(month);
}

}  // namespace
