// The date entries through the server's real codec: 8-byte blocks, the
// fraction of a second kept in the value, values the server refuses for
// dates outside its years, SQL NULL, failed allocations, and UDF_JDATE on
// the server machine's clock.  The arithmetic itself is the date family's
// (tests/families/date_test.cpp).
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "legacy/date_codec.h"
#include "legacy/entries.h"
#include "platform/clock.h"
#include "support/stand_in_host.h"

namespace {

class DateEntries : public HostTest {};

DateQuad quad(int year, int month, int day, int hour = 0, int minute = 0,
              int second = 0) {
    const std::tm t = make_tm(year, month, day, hour, minute, second);
    DateQuad q;
    tm_to_date_quad(&t, &q);
    return q;
}

std::string show(const DateQuad* q) {
    EXPECT_NE(q, nullptr);
    if (q == nullptr) {
        return "<null>";
    }
    EXPECT_EQ(stand_in_block_size(q), 8u);
    std::tm t{};
    date_quad_to_tm(q, &t);
    return show_tm(t);
}

TEST_F(DateEntries, ThroughTheCodec) {
    const DateQuad d = quad(2002, 6, 21, 10, 30, 15);
    EXPECT_EQ(_UDF_GetYear(&d), 2002);
    EXPECT_EQ(_UDF_GetMon(&d), 6);
    EXPECT_EQ(_UDF_GetDay(&d), 21);
    EXPECT_EQ(_UDF_GetHour(&d), 10);
    EXPECT_EQ(_UDF_GetMin(&d), 30);
    EXPECT_EQ(_UDF_GetSec(&d), 15);
    EXPECT_EQ(_UDF_DayOfWeek(&d), 5);
    const DateQuad mar1 = quad(2002, 3, 1), feb28_late = quad(2002, 2, 28, 23, 59, 59);
    EXPECT_EQ(_UDF_DiffDay(&mar1, &feb28_late), 1);

    const int32_t zero = 0, one = 1, month = 1;
    EXPECT_EQ(show(_UDF_AddDate(&d, &zero, &month, &one)), "2002-7-22 10:30:15");
    const int32_t minutes = 45;
    const DateQuad late = quad(2002, 6, 21, 23, 30);
    EXPECT_EQ(show(_UDF_AddTime(&late, &zero, &minutes, &zero)), "2002-6-22 0:15:0");

    const int16_t y = 2002, mo = 13, day = 40, h = 10, mi = 30, s = 15, z = 0;
    EXPECT_EQ(show(_UDF_ToDate(&y, &mo, &day)), "2003-2-9 0:0:0");
    EXPECT_EQ(show(_UDF_ToDateTime(&y, &mo, &day, &h, &mi, &s)), "2003-2-9 10:30:15");
    EXPECT_EQ(show(_UDF_ToTime(&h, &mi, &z)), "100-1-1 10:30:0");
    const DateQuad clock = quad(100, 1, 1, 17, 45, 30);
    EXPECT_EQ(show(_UDF_JoinDateTime(&d, &clock)), "2002-6-21 17:45:30");
    EXPECT_EQ(show(_UDF_JDate("2002/15/1 25:00")), "2003-3-2 1:0:0");
}

// Shifting keeps the ten-thousandths of a second; joining keeps the time's.
TEST_F(DateEntries, FractionsOfASecondStay) {
    DateQuad fine = quad(2002, 1, 31, 8);
    fine.time += 1234;
    const DateQuad day = quad(2002, 6, 21, 8);
    const int32_t none = 0, one = 1;
    EXPECT_EQ(_UDF_AddDate(&fine, &none, &none, &one)->time % 10000, 1234u);
    EXPECT_EQ(_UDF_AddTime(&fine, &none, &none, &one)->time % 10000, 1234u);
    EXPECT_EQ(_UDF_JoinDateTime(&day, &fine)->time, fine.time);
    EXPECT_EQ(show(_UDF_AddTime(&fine, &none, &none, &one)), "2002-1-31 8:0:1");
}

// Outside the years 1 to 9999 the result is a value no server accepts.
TEST_F(DateEntries, DatesOutOfRangeBecomeValuesTheServerRefuses) {
    const DateQuad d = quad(2002, 6, 21);
    for (int32_t x : {INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(_UDF_AddDate(&d, &x, &x, &x)->date, INT32_MIN);
        EXPECT_EQ(_UDF_AddTime(&d, &x, &x, &x)->date, INT32_MIN);
    }
    const int16_t zero = 0, one = 1;
    EXPECT_EQ(_UDF_ToDate(&zero, &one, &one)->date, INT32_MIN);
    EXPECT_EQ(_UDF_JDate("9999/12/31 24:00")->date, INT32_MIN);
}

TEST_F(DateEntries, NullArgumentsAndFailedAllocations) {
    const int32_t zero = 0;
    const int16_t y = 2002, mo = 6, d = 21;
    const DateQuad day = quad(2002, 6, 21);
    EXPECT_EQ(_UDF_GetYear(nullptr), 0);
    EXPECT_EQ(_UDF_DayOfWeek(nullptr), 0);
    EXPECT_EQ(_UDF_DiffDay(&day, nullptr), 0);
    EXPECT_EQ(_UDF_AddDate(nullptr, &zero, &zero, &zero), nullptr);
    EXPECT_EQ(_UDF_AddTime(&day, &zero, nullptr, &zero), nullptr);
    EXPECT_EQ(_UDF_ToDate(&y, nullptr, &d), nullptr);
    EXPECT_EQ(_UDF_JDate(nullptr), nullptr);

    stand_in_fail_allocations(true);
    EXPECT_EQ(_UDF_ToDate(&y, &mo, &d), nullptr);
    EXPECT_EQ(_UDF_JDate("2002/6/21"), nullptr);
}

// Parts left out come from the server machine's local date.
TEST_F(DateEntries, JDateOnTheRealClock) {
    EXPECT_EQ(show(_UDF_JDate("2002-06-21 10:30:15")), "2002-6-21 10:30:15");
    std::tm before{}, after{};
    read_local_today(&before);
    const std::string today = show(_UDF_JDate(""));
    read_local_today(&after);
    before.tm_hour = before.tm_min = before.tm_sec = 0;
    after.tm_hour = after.tm_min = after.tm_sec = 0;
    EXPECT_TRUE(today == show_tm(before) || today == show_tm(after)) << today;
}

}  // namespace
