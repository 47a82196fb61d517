// fuzz_date.cpp - the date entries on fuzzed dates, offsets and parts, and
// the date-text parser on fuzzed texts.  Every result that lies in
// 0001-01-01..9999-12-31 must be a valid timestamp (time of day below one
// day, fields that encode back to the same value) and must equal what plain
// day-and-second arithmetic on the server's values gives; a result outside
// that range is the server's to refuse.
#include <cstring>

#include "date/date_parse.h"
#include "fuzz_support.h"
#include "legacy/date_codec.h"
#include "legacy/entries.h"

namespace {

const int32_t first_day = -678575;    // 0001-01-01, days since 1858-11-17
const int32_t last_day = 2973483;     // 9999-12-31
const int64_t day_ticks = 864000000;  // ten-thousandths of a second a day

int64_t floor_div(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

bool in_range(int64_t day) {
    return day >= first_day && day <= last_day;
}

// A result block: valid, canonical, and freed.
DateQuad result(DateQuad* block) {
    FUZZ_CHECK(block != nullptr);
    const DateQuad q = *block;
    std::free(block);
    if (in_range(q.date)) {
        FUZZ_CHECK(q.time < day_ticks);
        std::tm t{};
        date_quad_to_tm(&q, &t);
        DateQuad again{};
        tm_to_date_quad(&t, &again);
        FUZZ_CHECK(again.date == q.date && again.time == q.time - q.time % 10000);
    }
    return q;
}

// The value `ticks` ten-thousandths of a second after day 0 midnight, when
// it lies in range; a result must equal it exactly.
void expect_ticks(DateQuad* block, int64_t ticks) {
    const DateQuad q = result(block);
    const int64_t day = floor_div(ticks, day_ticks);
    if (in_range(day)) {
        FUZZ_CHECK(q.date == day && q.time == ticks - day * day_ticks);
    }
}

// Midnight of the first of a month the codec knows (year 1..9999).
int64_t month_start_ticks(int64_t year, int64_t month) {
    year += floor_div(month - 1, 12);
    month -= 12 * floor_div(month - 1, 12);
    std::tm t{};
    t.tm_year = static_cast<int>(year - 1900);
    t.tm_mon = static_cast<int>(month - 1);
    t.tm_mday = 1;
    DateQuad q{};
    tm_to_date_quad(&t, &q);
    return int64_t{q.date} * day_ticks;
}

void fixed_today(std::tm* today) {
    *today = std::tm{};
    today->tm_year = 126;
    today->tm_mon = 11;
    today->tm_mday = 7;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    host_malloc = &fuzz_malloc;
    FuzzInput in(data, size);
    DateQuad a{}, b{};
    a.date = first_day +
             static_cast<int32_t>(in.take<uint32_t>() % (last_day - first_day + 1));
    a.time = in.take<uint32_t>() % day_ticks;
    b.date = first_day +
             static_cast<int32_t>(in.take<uint32_t>() % (last_day - first_day + 1));
    b.time = in.take<uint32_t>() % day_ticks;
    const int32_t o1 = in.take<int32_t>(), o2 = in.take<int32_t>(),
                  o3 = in.take<int32_t>();
    int16_t p[6];
    for (int16_t& part : p)
        part = in.take<int16_t>();
    const ExactText text(in.rest());
    const int64_t a_ticks = int64_t{a.date} * day_ticks + a.time;
    const int32_t zero = 0;

    FUZZ_CHECK(_UDF_DiffDay(&a, &b) == a.date - b.date);
    FUZZ_CHECK(_UDF_DayOfWeek(&a) ==
               static_cast<int32_t>(floor_div(a.date + 3, 7) * -7 + a.date + 3));
    const int64_t day_of_a = a.time / 10000;
    FUZZ_CHECK(_UDF_GetHour(&a) == day_of_a / 3600 &&
               _UDF_GetMin(&a) == day_of_a / 60 % 60 && _UDF_GetSec(&a) == day_of_a % 60);

    expect_ticks(_UDF_AddTime(&a, &o1, &o2, &o3),
                 a_ticks + (int64_t{o1} * 3600 + int64_t{o2} * 60 + o3) * 10000);
    expect_ticks(_UDF_AddDate(&a, &zero, &zero, &o3), a_ticks + int64_t{o3} * day_ticks);
    result(_UDF_AddDate(&a, &o1, &o2, &o3));
    expect_ticks(_UDF_JoinDateTime(&a, &b), int64_t{a.date} * day_ticks + b.time);

    // Parts out of range carry as DATEADD would: from the first of the
    // (carried) month, add the days and the seconds.
    const int64_t year = p[0], month = p[1];
    const int64_t carried_year = year + floor_div(month - 1, 12);
    if (carried_year >= 1 && carried_year <= 9999) {
        const int64_t seconds = int64_t{p[3]} * 3600 + int64_t{p[4]} * 60 + p[5];
        const int64_t base =
            month_start_ticks(year, month) + (int64_t{p[2]} - 1) * day_ticks;
        expect_ticks(_UDF_ToDateTime(&p[0], &p[1], &p[2], &p[3], &p[4], &p[5]),
                     base + seconds * 10000);
        expect_ticks(_UDF_ToDate(&p[0], &p[1], &p[2]), base);
    }
    expect_ticks(_UDF_ToTime(&p[3], &p[4], &p[5]),
                 month_start_ticks(100, 1) +
                     (int64_t{p[3]} * 3600 + int64_t{p[4]} * 60 + p[5]) * 10000);

    // Typed text: whatever it says, a valid timestamp or one out of range.
    std::tm t{};
    FUZZ_CHECK(parse_date_text(text.c_str(), &t, fixed_today) == &t);
    result(_UDF_JDate(text.c_str()));
    return 0;
}
