// The date family on plain values: field readers, day counts, shifting,
// building and joining, with parts out of range carried; the server's
// 8-byte value on the library's calendar; and the free-form date parser
// with a fixed "today".
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "date/date_parse.h"
#include "date/date_values.h"
#include "date/stamp.h"
#include "support/stand_in_host.h"

namespace {

DateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return DateTime{make_tm(year, month, day, hour, minute, second), 0};
}

std::string show(const DateTime& value) {
    EXPECT_TRUE(is_storable(value)) << show_tm(value.fields);
    return show_tm(value.fields);
}

TEST(Dates, FieldReaders) {
    const std::tm d = make_tm(2002, 6, 21, 10, 30, 15);
    EXPECT_EQ(date_field(d, DateField::year), 2002);
    EXPECT_EQ(date_field(d, DateField::month), 6);
    EXPECT_EQ(date_field(d, DateField::day), 21);
    EXPECT_EQ(date_field(d, DateField::hour), 10);
    EXPECT_EQ(date_field(d, DateField::minute), 30);
    EXPECT_EQ(date_field(d, DateField::second), 15);
    EXPECT_EQ(day_of_week(d), 5);
    EXPECT_EQ(day_of_week(make_tm(2002, 6, 23)), 0);
    EXPECT_EQ(day_of_week(make_tm(2002, 6, 22)), 6);
    EXPECT_EQ(day_of_week(make_tm(1970, 1, 1)), 4);
    // SMALLINT: the low 16 bits of the year.
    EXPECT_EQ(date_field(make_tm(70000, 1, 1), DateField::year),
              static_cast<int16_t>(70000));
}

TEST(Dates, DaysBetweenCountsDatesOnly) {
    EXPECT_EQ(days_between(make_tm(2002, 3, 1), make_tm(2002, 2, 1)), 28);
    EXPECT_EQ(days_between(make_tm(2002, 2, 1), make_tm(2002, 3, 1)), -28);
    EXPECT_EQ(days_between(make_tm(2002, 3, 1), make_tm(2002, 2, 28, 23, 59, 59)), 1);
    EXPECT_EQ(days_between(make_tm(2002, 3, 1, 1), make_tm(2002, 3, 1, 23)), 0);
    EXPECT_EQ(days_between(make_tm(2000, 3, 1), make_tm(2000, 2, 1)), 29);
}

TEST(Dates, Shifting) {
    EXPECT_EQ(show(add_date(at(2002, 1, 31, 8), 0, 1, 0)), "2002-2-28 8:0:0");
    EXPECT_EQ(show(add_date(at(2002, 1, 31, 8), 0, 1, 1)), "2002-3-1 8:0:0");
    EXPECT_EQ(show(add_date(at(2000, 2, 29), 1, 0, 0)), "2001-2-28 0:0:0");
    EXPECT_EQ(show(add_date(at(2002, 1, 15), 0, -13, 0)), "2000-12-15 0:0:0");
    EXPECT_EQ(show(add_time(at(2002, 6, 21, 10, 30, 15), 0, 0, 0)), "2002-6-21 10:30:15");
    EXPECT_EQ(show(add_time(at(2002, 6, 21, 23, 30), 0, 45, 0)), "2002-6-22 0:15:0");
    EXPECT_EQ(show(add_time(at(2002, 1, 1), 0, 0, -1)), "2001-12-31 23:59:59");
    // The fraction of a second stays; offsets at the limits leave the years
    // the server stores.
    DateTime fine = at(2002, 1, 31, 8);
    fine.fraction = 1234;
    EXPECT_EQ(add_date(fine, 0, 0, 1).fraction, 1234u);
    EXPECT_EQ(add_time(fine, 0, 0, 1).fraction, 1234u);
    for (int32_t x : {INT32_MIN, INT32_MAX}) {
        EXPECT_FALSE(is_storable(add_date(at(2002, 6, 21), x, x, x)));
        EXPECT_FALSE(is_storable(add_time(at(2002, 6, 21), x, x, x)));
    }
    EXPECT_FALSE(is_storable(add_time(at(9999, 12, 31, 23, 59, 59), 0, 0, 1)));
    EXPECT_FALSE(is_storable(add_date(at(1, 1, 1), 0, 0, -1)));
}

TEST(Dates, BuildingCarriesPartsAsDateaddWould) {
    struct Parts {
        int16_t year, month, day, hour, minute, second;
        const char* expected;
    };
    for (const Parts& p : std::vector<Parts>{
             {2002, 6, 21, 10, 30, 15, "2002-6-21 10:30:15"},
             {2002, 13, 40, 0, 0, 0, "2003-2-9 0:0:0"},
             {2002, 15, 1, 0, 0, 0, "2003-3-1 0:0:0"},
             {2002, 25, 1, 0, 0, 0, "2004-1-1 0:0:0"},
             {2002, -20, 1, 0, 0, 0, "2000-4-1 0:0:0"},
             {2002, 2, 31, 0, 0, 0, "2002-3-3 0:0:0"},
             {2002, 3, 0, 0, 0, 0, "2002-2-28 0:0:0"},
             {2002, 6, 21, 25, 0, 0, "2002-6-22 1:0:0"},
             {2002, 6, 21, 23, 59, 60, "2002-6-22 0:0:0"},
             {2002, 1, 1, 0, 0, -1, "2001-12-31 23:59:59"},
             {100, 1, 1, 10, 7680, 15, "100-1-6 18:0:15"},
             {9999, 12, 31, 23, 59, 59, "9999-12-31 23:59:59"},
             {1, 1, 1, 0, 0, 0, "1-1-1 0:0:0"},
         }) {
        EXPECT_EQ(
            show(date_from_parts(p.year, p.month, p.day, p.hour, p.minute, p.second)),
            p.expected);
    }
    EXPECT_EQ(show(time_of_day(10, 30, 0)), "100-1-1 10:30:0");
    EXPECT_EQ(show(time_of_day(0, 0, -1)), "99-12-31 23:59:59");
    EXPECT_FALSE(is_storable(date_from_parts(0, 1, 1, 0, 0, 0)));
    EXPECT_FALSE(is_storable(date_from_parts(32767, 1, 1, 0, 0, 0)));
    EXPECT_FALSE(is_storable(date_from_parts(-32768, 1, 1, 0, 0, 0)));

    // Joining: the first value's date, the second's time and fraction.
    DateTime clock = at(100, 1, 1, 17, 45, 30);
    clock.fraction = 42;
    const DateTime joined = join_date_time(make_tm(2002, 6, 21, 8), clock);
    EXPECT_EQ(show(joined), "2002-6-21 17:45:30");
    EXPECT_EQ(joined.fraction, 42u);
}

// The server's value: days since 17 November 1858 and ten-thousandths of a
// second, both ways.
TEST(Dates, ServerValueOnTheCalendar) {
    const Stamp epoch = stamp_of_datetime(at(1858, 11, 17));
    EXPECT_EQ(epoch.date, 0);
    EXPECT_EQ(epoch.time, 0u);
    DateTime value = at(2002, 6, 21, 10, 30, 15);
    value.fraction = 1234;
    const Stamp s = stamp_of_datetime(value);
    EXPECT_EQ(s.date, 52446);
    EXPECT_EQ(s.time, 378151234u);
    const DateTime back = datetime_of_stamp(s);
    EXPECT_EQ(show(back), "2002-6-21 10:30:15");
    EXPECT_EQ(back.fraction, 1234u);
    EXPECT_EQ(stamp_of_datetime(at(1, 1, 1)).date, -678575);
    EXPECT_EQ(stamp_of_datetime(at(9999, 12, 31)).date, 2973483);
}

// "Today" is 7 December 2026 for the parser table.
void fixed_today(std::tm* today) {
    *today = std::tm{};
    today->tm_year = 126;
    today->tm_mon = 11;
    today->tm_mday = 7;
}

std::string parsed(const std::string& text) {
    std::tm t{};
    parse_date_text(text.c_str(), &t, fixed_today);
    return show_tm(t);
}

TEST(DateParse, TypedTexts) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"2002/6/21", "2002-6-21 0:0:0"},
        {"2002-06-21", "2002-6-21 0:0:0"},
        {"2002.06.21", "2002-6-21 0:0:0"},
        {"2002-06-21 10:30:15", "2002-6-21 10:30:15"},
        {"2002/06/21 10:30", "2002-6-21 10:30:0"},
        {"2002/06/21 10", "2002-6-21 10:0:0"},
        {"2002 06 21 10:30", "2002-6-21 10:30:0"},
        {"  2002 / 06 / 21  10:30  ", "2002-6-21 10:30:0"},
        {"6/21", "2026-6-21 0:0:0"},
        {"6/21 10:30", "2026-6-21 10:30:0"},
        {"21 10:30", "2026-12-21 10:30:0"},
        {"21 10", "2026-12-21 10:0:0"},
        {"21", "2026-12-7 0:0:0"},
        {"20020621", "2026-12-7 0:0:0"},
        {"", "2026-12-7 0:0:0"},
        {"   ", "2026-12-7 0:0:0"},
        {"10:30", "2026-12-7 10:30:0"},
        {"10:30:15", "2026-12-7 10:30:15"},
        {"12 : 30", "2026-12-7 12:30:0"},
        {"10:", "2026-12-7 10:0:0"},
        {":30", "2026-12-7 0:30:0"},
        {"10:30 21", "2026-12-7 10:30:21"},
        {"2002/06/2 1", "2002-6-2 1:0:0"},
        {"1 0:30", "2026-12-1 0:30:0"},
        {"1 2 3", "2026-1-2 3:0:0"},
        {"2002 6 21", "2026-2002-6 21:0:0"},
        {"2002/06/21/22", "2002-6-21 22:0:0"},
        {"2002/06/21 10:30:15:99", "2002-6-21 10:30:15"},
        {"2002/06/21 10 30", "2002-6-21 30:0:0"},
        {"10:30:15 2002/06/21", "2026-2002-6 10:30:15"},
        {"2002/+6/21", "2002-6-21 0:0:0"},
        {"2002/06/-5", "2002-6-0 5:0:0"},
        {"2002/06/", "2002-6-0 0:0:0"},
        {"2002//21", "2002-0-21 0:0:0"},
        {"2002/Jun/21", "2002-0-21 0:0:0"},
        {"/6/21", "0-6-21 0:0:0"},
        {"2002/06/21\t10:30", "2026-2002-6 21:30:0"},        // a tab is not a blank
        {"2002/06/99999999999", "2002-6-1215752191 0:0:0"},  // wraps, no overflow
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parsed(c.first), c.second) << "[" << c.first << "]";
    }
    const std::string long_text =
        std::string(1000, ' ') + "2002/06/21 10:30" + std::string(1000, ' ');
    EXPECT_EQ(parsed(long_text), "2002-6-21 10:30:0");
}

// With three date parts the clock is not read; the result is normalised.
TEST(DateParse, ClockReadOnlyWhenNeeded) {
    DateTime value;
    const std::string text = "2002/15/1 25:00";
    ASSERT_TRUE(date_from_text(
        text_of(text.data(), text.size()), [](std::tm*) { FAIL() << "clock read"; },
        &value));
    EXPECT_EQ(show(value), "2003-3-2 1:0:0");
}

}  // namespace
