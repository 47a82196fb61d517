// stamp.h - the server's 8-byte date-and-time value on the library's own
// calendar: days since 17 November 1858, and ten-thousandths of a second of
// the day.  Plain arithmetic; the front that holds such values decides
// where they come from.
#pragma once

#include <cstdint>

#include "date_values.h"

struct Stamp {
    int32_t date;
    uint32_t time;
};

// The value's fields and fraction.
DateTime datetime_of_stamp(Stamp stamp);
// The value of normalised fields that is_storable accepts.
Stamp stamp_of_datetime(const DateTime& value);
