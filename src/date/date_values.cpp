// date_values.cpp - the date functions over the calendar routines.
#include "date_values.h"

#include "calendar.h"
#include "date_parse.h"

namespace {

DateTime normalised(std::tm fields, uint32_t fraction) {
    tm_normalise(fields);
    return DateTime{fields, fraction};
}

}  // namespace

bool is_storable(const DateTime& value) {
    const int64_t year = int64_t{value.fields.tm_year} + 1900;
    return year >= 1 && year <= 9999;
}

DateTime add_date(const DateTime& value, int32_t years, int32_t months, int32_t days) {
    std::tm t = value.fields;
    return normalised(tm_add_date(t, years, months, days), value.fraction);
}

DateTime add_time(const DateTime& value, int32_t hours, int32_t minutes,
                  int32_t seconds) {
    std::tm t = value.fields;
    return normalised(tm_add_time(t, hours, minutes, seconds), value.fraction);
}

DateTime date_from_parts(int32_t year, int32_t month, int32_t day, int32_t hour,
                         int32_t minute, int32_t second) {
    std::tm t{};
    t.tm_year = static_cast<int>(static_cast<uint32_t>(year) - 1900u);
    t.tm_mon = static_cast<int>(static_cast<uint32_t>(month) - 1u);
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return normalised(t, 0);
}

DateTime time_of_day(int32_t hour, int32_t minute, int32_t second) {
    return date_from_parts(100, 1, 1, hour, minute, second);
}

DateTime join_date_time(const std::tm& date, const DateTime& time) {
    std::tm joined = date;
    joined.tm_hour = time.fields.tm_hour;
    joined.tm_min = time.fields.tm_min;
    joined.tm_sec = time.fields.tm_sec;
    return normalised(joined, time.fraction);
}

int16_t date_field(const std::tm& value, DateField field) {
    int64_t v = 0;
    switch (field) {
        case DateField::year:
            v = int64_t{value.tm_year} + 1900;
            break;
        case DateField::month:
            v = int64_t{value.tm_mon} + 1;
            break;
        case DateField::day:
            v = value.tm_mday;
            break;
        case DateField::hour:
            v = value.tm_hour;
            break;
        case DateField::minute:
            v = value.tm_min;
            break;
        case DateField::second:
            v = value.tm_sec;
            break;
    }
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(v)));
}

int32_t day_of_week(const std::tm& value) {
    return tm_day_of_week(value);
}

int32_t days_between(const std::tm& a, const std::tm& b) {
    const int64_t days = tm_to_day_number(a) - tm_to_day_number(b);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(days)));
}

bool date_from_text(Text text, const TodayReader& today, DateTime* out) {
    std::tm t{};
    if (parse_date_span(reinterpret_cast<const char*>(text.bytes), text.length, &t,
                        today) == nullptr) {
        return false;
    }
    *out = normalised(t, 0);
    return true;
}
