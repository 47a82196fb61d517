// Date entries through the server's real codec, and the free-form date
// parser with a fixed "today" and once with the real clock.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "date/date_codec.h"
#include "date/date_parse.h"
#include "module/kovudf.h"
#include "support/stand_in_host.h"

namespace {

class DateTest : public HostTest {};

DateQuad quad(int year, int month, int day, int hour = 0, int minute = 0,
              int second = 0) {
    const std::tm t = make_tm(year, month, day, hour, minute, second);
    DateQuad q;
    tm_to_date_quad(&t, &q);
    return q;
}

std::string show(const std::tm& t) {
    return show_tm(t);
}

std::string show(const DateQuad* q) {
    EXPECT_NE(q, nullptr);
    if (q == nullptr) {
        return "<null>";
    }
    EXPECT_EQ(stand_in_block_size(q), 8u);
    std::tm t{};
    date_quad_to_tm(q, &t);
    return show(t);
}

TEST_F(DateTest, FieldReaders) {
    const DateQuad d = quad(2002, 6, 21, 10, 30, 15);
    EXPECT_EQ(_UDF_GetYear(&d), 2002);
    EXPECT_EQ(_UDF_GetMon(&d), 6);
    EXPECT_EQ(_UDF_GetDay(&d), 21);
    EXPECT_EQ(_UDF_GetHour(&d), 10);
    EXPECT_EQ(_UDF_GetMin(&d), 30);
    EXPECT_EQ(_UDF_GetSec(&d), 15);
    EXPECT_EQ(_UDF_DayOfWeek(&d), 5);
    const DateQuad sunday = quad(2002, 6, 23), saturday = quad(2002, 6, 22),
                   epoch = quad(1970, 1, 1);
    EXPECT_EQ(_UDF_DayOfWeek(&sunday), 0);
    EXPECT_EQ(_UDF_DayOfWeek(&saturday), 6);
    EXPECT_EQ(_UDF_DayOfWeek(&epoch), 4);
    EXPECT_EQ(_UDF_GetYear(nullptr), 0);
    EXPECT_EQ(_UDF_DayOfWeek(nullptr), 0);
}

TEST_F(DateTest, DiffDayCountsDatesOnly) {
    const DateQuad mar1 = quad(2002, 3, 1), feb1 = quad(2002, 2, 1),
                   feb28_late = quad(2002, 2, 28, 23, 59, 59),
                   morning = quad(2002, 3, 1, 1), evening = quad(2002, 3, 1, 23),
                   mar1_2000 = quad(2000, 3, 1), feb1_2000 = quad(2000, 2, 1);
    EXPECT_EQ(_UDF_DiffDay(&mar1, &feb1), 28);
    EXPECT_EQ(_UDF_DiffDay(&feb1, &mar1), -28);
    EXPECT_EQ(_UDF_DiffDay(&mar1, &feb28_late), 1);
    EXPECT_EQ(_UDF_DiffDay(&morning, &evening), 0);
    EXPECT_EQ(_UDF_DiffDay(&mar1_2000, &feb1_2000), 29);
    EXPECT_EQ(_UDF_DiffDay(&mar1, nullptr), 0);
}

TEST_F(DateTest, AddDateAndAddTime) {
    auto add_date = [](DateQuad d, int32_t y, int32_t m, int32_t days) {
        return show(_UDF_AddDate(&d, &y, &m, &days));
    };
    auto add_time = [](DateQuad d, int32_t h, int32_t m, int32_t s) {
        return show(_UDF_AddTime(&d, &h, &m, &s));
    };
    EXPECT_EQ(add_date(quad(2002, 1, 31, 8), 0, 1, 0), "2002-2-28 8:0:0");
    EXPECT_EQ(add_date(quad(2002, 1, 31, 8), 0, 1, 1), "2002-3-1 8:0:0");
    EXPECT_EQ(add_date(quad(2000, 2, 29), 1, 0, 0), "2001-2-28 0:0:0");
    EXPECT_EQ(add_date(quad(2002, 1, 15), 0, -13, 0), "2000-12-15 0:0:0");
    EXPECT_EQ(add_date(quad(2002, 6, 21, 10, 30, 15), 0, 0, 0), "2002-6-21 10:30:15");
    EXPECT_EQ(add_time(quad(2002, 6, 21, 10, 30, 15), 0, 0, 0), "2002-6-21 10:30:15");
    EXPECT_EQ(add_time(quad(2002, 6, 21, 23, 30), 0, 45, 0), "2002-6-22 0:15:0");
    EXPECT_EQ(add_time(quad(2002, 1, 1), 0, 0, -1), "2001-12-31 23:59:59");
    // Offsets at the 32-bit limits give some date, never a fault.
    for (int32_t x : {INT32_MIN, INT32_MAX}) {
        add_date(quad(2002, 6, 21), x, x, x);
        add_time(quad(2002, 6, 21), x, x, x);
    }
    const int32_t zero = 0;
    EXPECT_EQ(_UDF_AddDate(nullptr, &zero, &zero, &zero), nullptr);
    const DateQuad d = quad(2002, 6, 21);
    EXPECT_EQ(_UDF_AddTime(&d, &zero, nullptr, &zero), nullptr);
}

TEST_F(DateTest, BuildingDates) {
    const int16_t y = 2002, mo = 6, d = 21, h = 10, mi = 30, s = 15, zero = 0;
    EXPECT_EQ(show(_UDF_ToDate(&y, &mo, &d)), "2002-6-21 0:0:0");
    EXPECT_EQ(show(_UDF_ToDateTime(&y, &mo, &d, &h, &mi, &s)), "2002-6-21 10:30:15");
    EXPECT_EQ(show(_UDF_ToTime(&h, &mi, &zero)), "100-1-1 10:30:0");
    const DateQuad day = quad(2002, 6, 21, 8), clock = quad(100, 1, 1, 17, 45, 30);
    EXPECT_EQ(show(_UDF_JoinDateTime(&day, &clock)), "2002-6-21 17:45:30");
    // Parts out of range carry as DATEADD would.
    struct Parts {
        int16_t year, month, day, hour, minute, second;
        const char* expected;
    };
    for (const Parts& p : std::vector<Parts>{
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
        SCOPED_TRACE(p.expected);
        EXPECT_EQ(show(_UDF_ToDateTime(&p.year, &p.month, &p.day, &p.hour, &p.minute,
                                       &p.second)),
                  p.expected);
    }
    const int16_t minus_one = -1, hour10 = 10, minute7680 = 7680, s15 = 15;
    EXPECT_EQ(show(_UDF_ToTime(&zero, &zero, &minus_one)), "99-12-31 23:59:59");
    EXPECT_EQ(show(_UDF_ToTime(&hour10, &minute7680, &s15)), "100-1-6 18:0:15");
    EXPECT_EQ(show(_UDF_JDate("2002/15/1 25:00")), "2003-3-2 1:0:0");
    EXPECT_EQ(_UDF_ToDate(&y, nullptr, &d), nullptr);

    // Shifting keeps the ten-thousandths of a second; joining keeps the time's.
    DateQuad fine = quad(2002, 1, 31, 8);
    fine.time += 1234;
    const int32_t none = 0, one = 1;
    EXPECT_EQ(_UDF_AddDate(&fine, &none, &none, &one)->time % 10000, 1234u);
    EXPECT_EQ(_UDF_AddTime(&fine, &none, &none, &one)->time % 10000, 1234u);
    EXPECT_EQ(_UDF_JoinDateTime(&day, &fine)->time, fine.time);
    EXPECT_EQ(show(_UDF_AddTime(&fine, &none, &none, &one)), "2002-1-31 8:0:1");

    stand_in_fail_allocations(true);
    EXPECT_EQ(_UDF_ToDate(&y, &mo, &d), nullptr);
    EXPECT_EQ(_UDF_JDate("2002/6/21"), nullptr);
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
    return show(t);
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

// With three date parts the clock is not read.
TEST(DateParse, ClockReadOnlyWhenNeeded) {
    std::tm t{};
    parse_date_text("2002/6/21", &t, [](std::tm*) { FAIL() << "clock read"; });
}

TEST_F(DateTest, JDateThroughTheCodecAndTheRealClock) {
    EXPECT_EQ(show(_UDF_JDate("2002-06-21 10:30:15")), "2002-6-21 10:30:15");
    EXPECT_EQ(show(_UDF_JDate("2002/13/40")), "2003-2-9 0:0:0");
    EXPECT_EQ(_UDF_JDate(nullptr), nullptr);

    std::tm before{}, after{};
    read_local_today(&before);
    const std::string today = show(_UDF_JDate(""));
    read_local_today(&after);
    before.tm_hour = before.tm_min = before.tm_sec = 0;
    after.tm_hour = after.tm_min = after.tm_sec = 0;
    EXPECT_TRUE(today == show(before) || today == show(after)) << today;
}

}  // namespace
