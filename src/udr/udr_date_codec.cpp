// udr_date_codec.cpp - the date codec of the UDR front, on the library's
// own calendar: the UDR module links no server library.
//
// A value counts days from 17 November 1858 (day number 678575 of the
// calendar) and ten-thousandths of a second of the day.  The date entries
// normalise every field before encoding, so the encoder sees fields in
// range; a day outside what 32 bits hold is stored as INT32_MIN, which the
// front refuses as out of range.
#include <climits>

#include "date/calendar.h"
#include "date/date_codec.h"

namespace {

const int64_t epoch_day = 678575;  // 1858-11-17
const uint32_t ticks_per_second = 10000;

}  // namespace

void date_quad_to_tm(const DateQuad* date, std::tm* out) {
    day_number_to_tm(int64_t{date->date} + epoch_day, *out);
    const uint32_t seconds = date->time / ticks_per_second;
    out->tm_hour = static_cast<int>(seconds / 3600 % 24);
    out->tm_min = static_cast<int>(seconds / 60 % 60);
    out->tm_sec = static_cast<int>(seconds % 60);
}

void tm_to_date_quad(const std::tm* in, DateQuad* date) {
    const int64_t day = tm_to_day_number(*in) - epoch_day;
    date->date =
        day < INT32_MIN || day > INT32_MAX ? INT32_MIN : static_cast<int32_t>(day);
    const int64_t seconds =
        int64_t{in->tm_hour} * 3600 + int64_t{in->tm_min} * 60 + in->tm_sec;
    date->time = static_cast<uint32_t>(seconds) * ticks_per_second;
}
