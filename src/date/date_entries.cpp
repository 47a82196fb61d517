// date_entries.cpp - building, shifting and taking apart date values:
// UDF_ADDDATE, UDF_ADDTIME, UDF_TODATETIME, UDF_TODATE, UDF_TOTIME,
// UDF_JOINDATETIME, UDF_GETYEAR ... UDF_GETSEC, UDF_DAYOFWEEK, UDF_DIFFDAY and
// UDF_JDATE.
//
// Every date value is decoded into a tm by the server's codec, worked on
// with the calendar routines, and encoded into a fresh 8-byte block.  Parts
// out of range are carried by the calendar before encoding (month 15 of 2002
// is March 2003, hour 25 is 1 o'clock the next day), so the encoder only
// ever sees fields in range; a result outside the years 1 to 9999 becomes a
// value the server refuses.  Entries that shift a value keep its
// ten-thousandths of a second.
#include <climits>
#include <cstring>

#include "../module/kovudf.h"
#include "calendar.h"
#include "date_codec.h"
#include "date_parse.h"

namespace {

std::tm decoded(const DateQuad* date) {
    std::tm t{};
    date_quad_to_tm(date, &t);
    return t;
}

std::tm from_parts(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                   int32_t second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

// The ten-thousandths of a second below the whole seconds of a value.
uint32_t fraction_of(const DateQuad* date) {
    return date->time % 10000;
}

// A value no server accepts, for results outside the years 1 to 9999: the
// codec's own arithmetic would overflow on years far out and could wrap
// them into range.
const DateQuad out_of_range = {INT32_MIN, 0};

DateQuad* encoded(std::tm t, uint32_t fraction = 0) {
    auto* block = reinterpret_cast<DateQuad*>(host_block(sizeof(DateQuad)));
    if (block != nullptr) {
        tm_normalise(t);
        const int64_t year = int64_t{t.tm_year} + 1900;
        if (year < 1 || year > 9999) {
            *block = out_of_range;
            return block;
        }
        tm_to_date_quad(&t, block);
        block->time += fraction;
    }
    return block;
}

}  // namespace

KOVUDF_ENTRY DateQuad* _UDF_AddDate(const DateQuad* date, const int32_t* years,
                                    const int32_t* months, const int32_t* days) {
    if (date == nullptr || years == nullptr || months == nullptr || days == nullptr) {
        return nullptr;
    }
    std::tm t = decoded(date);
    return encoded(tm_add_date(t, *years, *months, *days), fraction_of(date));
}

KOVUDF_ENTRY DateQuad* _UDF_AddTime(const DateQuad* date, const int32_t* hours,
                                    const int32_t* minutes, const int32_t* seconds) {
    if (date == nullptr || hours == nullptr || minutes == nullptr || seconds == nullptr) {
        return nullptr;
    }
    std::tm t = decoded(date);
    return encoded(tm_add_time(t, *hours, *minutes, *seconds), fraction_of(date));
}

KOVUDF_ENTRY DateQuad* _UDF_ToDateTime(const int16_t* year, const int16_t* month,
                                       const int16_t* day, const int16_t* hour,
                                       const int16_t* minute, const int16_t* second) {
    if (year == nullptr || month == nullptr || day == nullptr || hour == nullptr ||
        minute == nullptr || second == nullptr) {
        return nullptr;
    }
    return encoded(from_parts(*year, *month, *day, *hour, *minute, *second));
}

KOVUDF_ENTRY DateQuad* _UDF_ToDate(const int16_t* year, const int16_t* month,
                                   const int16_t* day) {
    if (year == nullptr || month == nullptr || day == nullptr) {
        return nullptr;
    }
    return encoded(from_parts(*year, *month, *day, 0, 0, 0));
}

// A time of day alone sits on 1 January of the year 100.
KOVUDF_ENTRY DateQuad* _UDF_ToTime(const int16_t* hour, const int16_t* minute,
                                   const int16_t* second) {
    if (hour == nullptr || minute == nullptr || second == nullptr) {
        return nullptr;
    }
    return encoded(from_parts(100, 1, 1, *hour, *minute, *second));
}

KOVUDF_ENTRY DateQuad* _UDF_JoinDateTime(const DateQuad* date, const DateQuad* time) {
    if (date == nullptr || time == nullptr) {
        return nullptr;
    }
    std::tm joined = decoded(date);
    const std::tm clock = decoded(time);
    joined.tm_hour = clock.tm_hour;
    joined.tm_min = clock.tm_min;
    joined.tm_sec = clock.tm_sec;
    return encoded(joined, fraction_of(time));
}

// The field readers return SMALLINT: only the low 16 bits count.
#define KOVUDF_FIELD_READER(name, expression)                           \
    KOVUDF_ENTRY int16_t name(const DateQuad* date) {                   \
        if (date == nullptr) {                                          \
            return 0;                                                   \
        }                                                               \
        const std::tm t = decoded(date);                                \
        return static_cast<int16_t>(static_cast<uint16_t>(expression)); \
    }

KOVUDF_FIELD_READER(_UDF_GetYear, int64_t{t.tm_year} + 1900)
KOVUDF_FIELD_READER(_UDF_GetMon, t.tm_mon + 1)
KOVUDF_FIELD_READER(_UDF_GetDay, t.tm_mday)
KOVUDF_FIELD_READER(_UDF_GetHour, t.tm_hour)
KOVUDF_FIELD_READER(_UDF_GetMin, t.tm_min)
KOVUDF_FIELD_READER(_UDF_GetSec, t.tm_sec)

#undef KOVUDF_FIELD_READER

KOVUDF_ENTRY int32_t _UDF_DayOfWeek(const DateQuad* date) {
    if (date == nullptr) {
        return 0;
    }
    return tm_day_of_week(decoded(date));
}

// Days from the second date to the first; the times of day do not count.
KOVUDF_ENTRY int32_t _UDF_DiffDay(const DateQuad* first, const DateQuad* second) {
    if (first == nullptr || second == nullptr) {
        return 0;
    }
    const int64_t days =
        tm_to_day_number(decoded(first)) - tm_to_day_number(decoded(second));
    return static_cast<int32_t>(static_cast<uint32_t>(days));
}

// A date typed by a person; see date_parse.h.
KOVUDF_ENTRY DateQuad* _UDF_JDate(const char* text) {
    if (text == nullptr) {
        return nullptr;
    }
    return date_text_block(text, std::strlen(text));
}

DateQuad* date_text_block(const char* text, size_t length) {
    std::tm t{};
    if (parse_date_span(text, length, &t) == nullptr) {
        return nullptr;
    }
    return encoded(t);
}
