// date_entries.cpp - building, shifting and taking apart date values.
//
// Every date argument is decoded into a tm by the server's codec (its
// ten-thousandths of a second kept aside), worked on by the date family,
// and encoded into a fresh 8-byte block.  A result outside the years 1 to
// 9999 becomes a value the server refuses: the codec's own arithmetic would
// overflow on years far out and could wrap them into range.
#include <climits>
#include <cstring>

#include "../date/date_values.h"
#include "../platform/clock.h"
#include "date_codec.h"
#include "entries.h"
#include "result_blocks.h"

namespace {

DateTime decoded(const DateQuad* date) {
    DateTime value{};
    date_quad_to_tm(date, &value.fields);
    value.fraction = date->time % 10000;
    return value;
}

const DateQuad out_of_range = {INT32_MIN, 0};

DateQuad* encoded(const DateTime& value) {
    auto* block = reinterpret_cast<DateQuad*>(host_block(sizeof(DateQuad)));
    if (block != nullptr) {
        if (!is_storable(value)) {
            *block = out_of_range;
            return block;
        }
        tm_to_date_quad(&value.fields, block);
        block->time += value.fraction;
    }
    return block;
}

}  // namespace

KOVUDF_ENTRY DateQuad* _UDF_AddDate(const DateQuad* date, const int32_t* years,
                                    const int32_t* months, const int32_t* days) {
    if (date == nullptr || years == nullptr || months == nullptr || days == nullptr) {
        return nullptr;
    }
    return encoded(add_date(decoded(date), *years, *months, *days));
}

KOVUDF_ENTRY DateQuad* _UDF_AddTime(const DateQuad* date, const int32_t* hours,
                                    const int32_t* minutes, const int32_t* seconds) {
    if (date == nullptr || hours == nullptr || minutes == nullptr || seconds == nullptr) {
        return nullptr;
    }
    return encoded(add_time(decoded(date), *hours, *minutes, *seconds));
}

KOVUDF_ENTRY DateQuad* _UDF_ToDateTime(const int16_t* year, const int16_t* month,
                                       const int16_t* day, const int16_t* hour,
                                       const int16_t* minute, const int16_t* second) {
    if (year == nullptr || month == nullptr || day == nullptr || hour == nullptr ||
        minute == nullptr || second == nullptr) {
        return nullptr;
    }
    return encoded(date_from_parts(*year, *month, *day, *hour, *minute, *second));
}

KOVUDF_ENTRY DateQuad* _UDF_ToDate(const int16_t* year, const int16_t* month,
                                   const int16_t* day) {
    if (year == nullptr || month == nullptr || day == nullptr) {
        return nullptr;
    }
    return encoded(date_from_parts(*year, *month, *day, 0, 0, 0));
}

KOVUDF_ENTRY DateQuad* _UDF_ToTime(const int16_t* hour, const int16_t* minute,
                                   const int16_t* second) {
    if (hour == nullptr || minute == nullptr || second == nullptr) {
        return nullptr;
    }
    return encoded(time_of_day(*hour, *minute, *second));
}

KOVUDF_ENTRY DateQuad* _UDF_JoinDateTime(const DateQuad* date, const DateQuad* time) {
    if (date == nullptr || time == nullptr) {
        return nullptr;
    }
    return encoded(join_date_time(decoded(date).fields, decoded(time)));
}

namespace {

int16_t field_of(const DateQuad* date, DateField field) {
    return date == nullptr ? 0 : date_field(decoded(date).fields, field);
}

}  // namespace

KOVUDF_ENTRY int16_t _UDF_GetYear(const DateQuad* date) {
    return field_of(date, DateField::year);
}
KOVUDF_ENTRY int16_t _UDF_GetMon(const DateQuad* date) {
    return field_of(date, DateField::month);
}
KOVUDF_ENTRY int16_t _UDF_GetDay(const DateQuad* date) {
    return field_of(date, DateField::day);
}
KOVUDF_ENTRY int16_t _UDF_GetHour(const DateQuad* date) {
    return field_of(date, DateField::hour);
}
KOVUDF_ENTRY int16_t _UDF_GetMin(const DateQuad* date) {
    return field_of(date, DateField::minute);
}
KOVUDF_ENTRY int16_t _UDF_GetSec(const DateQuad* date) {
    return field_of(date, DateField::second);
}

KOVUDF_ENTRY int32_t _UDF_DayOfWeek(const DateQuad* date) {
    return date == nullptr ? 0 : day_of_week(decoded(date).fields);
}

// Days from the second date to the first; the times of day do not count.
KOVUDF_ENTRY int32_t _UDF_DiffDay(const DateQuad* first, const DateQuad* second) {
    if (first == nullptr || second == nullptr) {
        return 0;
    }
    return days_between(decoded(first).fields, decoded(second).fields);
}

// A date typed by a person; parts left out come from the server machine's
// local date.
KOVUDF_ENTRY DateQuad* _UDF_JDate(const char* text) {
    if (text == nullptr) {
        return nullptr;
    }
    DateTime value;
    if (!date_from_text(cstring_text(text), read_local_today, &value)) {
        return nullptr;
    }
    return encoded(value);
}
