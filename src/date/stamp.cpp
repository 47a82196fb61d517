// stamp.cpp - the server's date-and-time value on the library's calendar.
//
// A value counts days from 17 November 1858 (day number 678575 of the
// calendar) and ten-thousandths of a second of the day.
#include "stamp.h"

#include <climits>

#include "calendar.h"

namespace {

const int64_t epoch_day = 678575;  // 1858-11-17
const uint32_t ticks_per_second = 10000;

}  // namespace

DateTime datetime_of_stamp(Stamp stamp) {
    DateTime value{};
    day_number_to_tm(int64_t{stamp.date} + epoch_day, value.fields);
    const uint32_t seconds = stamp.time / ticks_per_second;
    value.fields.tm_hour = static_cast<int>(seconds / 3600 % 24);
    value.fields.tm_min = static_cast<int>(seconds / 60 % 60);
    value.fields.tm_sec = static_cast<int>(seconds % 60);
    value.fraction = stamp.time % ticks_per_second;
    return value;
}

Stamp stamp_of_datetime(const DateTime& value) {
    const int64_t day = tm_to_day_number(value.fields) - epoch_day;
    const int64_t seconds = int64_t{value.fields.tm_hour} * 3600 +
                            int64_t{value.fields.tm_min} * 60 + value.fields.tm_sec;
    Stamp stamp;
    stamp.date =
        day < INT32_MIN || day > INT32_MAX ? INT32_MIN : static_cast<int32_t>(day);
    stamp.time = static_cast<uint32_t>(seconds) * ticks_per_second + value.fraction;
    return stamp;
}
