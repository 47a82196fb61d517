// udr_date.cpp - the date functions as external routines.
//
// TIMESTAMP values have the server's 8-byte layout; the date family does the
// work, through this module's own date codec.  SQL NULL in any argument
// gives NULL; a result outside 0001-01-01..9999-12-31 is an error naming
// the function.
#include "date/date_parse.h"
#include "module/kovudf.h"
#include "udr_support.h"

using namespace Firebird;  // the message macros name its types unqualified
using namespace kovudf_udr;

static_assert(sizeof(Firebird::FbTimestamp) == sizeof(DateQuad),
              "a TIMESTAMP is 8 bytes");

namespace {

DateQuad quad_of(const Firebird::FbTimestamp& t) {
    DateQuad q;
    std::memcpy(&q, &t, sizeof q);
    return q;
}

// Takes a date block from a family routine into the output message.
template <class Out>
void put_date(Status* status, const char* name, DateQuad* block, Out* out) {
    const Block<DateQuad> owner(block);
    if (block == nullptr) {
        raise(status, name, "out of memory", isc_virmemexh);
    }
    check_date(status, name, *block);
    std::memcpy(&out->result, block, sizeof *block);
    out->resultNull = FB_FALSE;
}

// True when any of the flags is set: the result is then NULL.
template <class... Flags>
bool any_null(Flags... flags) {
    return (is_null(flags) || ...);
}

}  // namespace

#define KOVUDF_SHIFT_FUNCTION(entry, sql_name, a, b, c)                                 \
    FB_UDR_BEGIN_FUNCTION(entry)                                                        \
    FB_UDR_MESSAGE(InMessage,                                                           \
                   (FB_TIMESTAMP, value)(FB_INTEGER, a)(FB_INTEGER, b)(FB_INTEGER, c)); \
    FB_UDR_MESSAGE(OutMessage, (FB_TIMESTAMP, result));                                 \
    FB_UDR_EXECUTE_FUNCTION {                                                           \
        guarded(status, sql_name, [&] {                                                 \
            out->resultNull = FB_TRUE;                                                  \
            if (any_null(in->valueNull, in->a##Null, in->b##Null, in->c##Null)) {       \
                return;                                                                 \
            }                                                                           \
            const DateQuad q = quad_of(in->value);                                      \
            const int32_t x = in->a, y = in->b, z = in->c;                              \
            put_date(status, sql_name, _UDF_##entry(&q, &x, &y, &z), out);              \
        });                                                                             \
    }                                                                                   \
    FB_UDR_END_FUNCTION

KOVUDF_SHIFT_FUNCTION(AddDate, "UDF_ADDDATE", years, months, days)
KOVUDF_SHIFT_FUNCTION(AddTime, "UDF_ADDTIME", hours, minutes, seconds)

FB_UDR_BEGIN_FUNCTION(JDate)
FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(256, 0), value));
FB_UDR_MESSAGE(OutMessage, (FB_TIMESTAMP, result));
FB_UDR_EXECUTE_FUNCTION {
    const char* name = "UDF_JDATE";
    map_value(status, name, in, out, [&](const auto& value, OutMessage::Type* o) {
        const Text t = text_of(status, name, value);
        put_date(status, name, date_text_block(t.bytes, t.length), o);
    });
}
FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(ToDateTime)
FB_UDR_MESSAGE(InMessage,
               (FB_SMALLINT, year)(FB_SMALLINT, month)(FB_SMALLINT, day)(
                   FB_SMALLINT, hour)(FB_SMALLINT, minute)(FB_SMALLINT, second));
FB_UDR_MESSAGE(OutMessage, (FB_TIMESTAMP, result));
FB_UDR_EXECUTE_FUNCTION {
    const char* name = "UDF_TODATETIME";
    guarded(status, name, [&] {
        out->resultNull = FB_TRUE;
        if (any_null(in->yearNull, in->monthNull, in->dayNull, in->hourNull,
                     in->minuteNull, in->secondNull)) {
            return;
        }
        const int16_t y = in->year, mo = in->month, d = in->day, h = in->hour,
                      mi = in->minute, s = in->second;
        put_date(status, name, _UDF_ToDateTime(&y, &mo, &d, &h, &mi, &s), out);
    });
}
FB_UDR_END_FUNCTION

#define KOVUDF_BUILD_FUNCTION(entry, sql_name, a, b, c)                          \
    FB_UDR_BEGIN_FUNCTION(entry)                                                 \
    FB_UDR_MESSAGE(InMessage, (FB_SMALLINT, a)(FB_SMALLINT, b)(FB_SMALLINT, c)); \
    FB_UDR_MESSAGE(OutMessage, (FB_TIMESTAMP, result));                          \
    FB_UDR_EXECUTE_FUNCTION {                                                    \
        guarded(status, sql_name, [&] {                                          \
            out->resultNull = FB_TRUE;                                           \
            if (any_null(in->a##Null, in->b##Null, in->c##Null)) {               \
                return;                                                          \
            }                                                                    \
            const int16_t x = in->a, y = in->b, z = in->c;                       \
            put_date(status, sql_name, _UDF_##entry(&x, &y, &z), out);           \
        });                                                                      \
    }                                                                            \
    FB_UDR_END_FUNCTION

KOVUDF_BUILD_FUNCTION(ToDate, "UDF_TODATE", year, month, day)
KOVUDF_BUILD_FUNCTION(ToTime, "UDF_TOTIME", hour, minute, second)

FB_UDR_BEGIN_FUNCTION(JoinDateTime)
FB_UDR_MESSAGE(InMessage, (FB_TIMESTAMP, date)(FB_TIMESTAMP, time));
FB_UDR_MESSAGE(OutMessage, (FB_TIMESTAMP, result));
FB_UDR_EXECUTE_FUNCTION {
    const char* name = "UDF_JOINDATETIME";
    guarded(status, name, [&] {
        out->resultNull = FB_TRUE;
        if (any_null(in->dateNull, in->timeNull)) {
            return;
        }
        const DateQuad d = quad_of(in->date), t = quad_of(in->time);
        put_date(status, name, _UDF_JoinDateTime(&d, &t), out);
    });
}
FB_UDR_END_FUNCTION

// Functions of one date giving a number.
#define KOVUDF_FIELD_FUNCTION(entry, sql_name, type)              \
    FB_UDR_BEGIN_FUNCTION(entry)                                  \
    FB_UDR_MESSAGE(InMessage, (FB_TIMESTAMP, value));             \
    FB_UDR_MESSAGE(OutMessage, (type, result));                   \
    FB_UDR_EXECUTE_FUNCTION {                                     \
        map_value(status, sql_name, in, out,                      \
                  [](const FbTimestamp& v, OutMessage::Type* o) { \
                      const DateQuad q = quad_of(v);              \
                      o->result = _UDF_##entry(&q);               \
                  });                                             \
    }                                                             \
    FB_UDR_END_FUNCTION

KOVUDF_FIELD_FUNCTION(GetYear, "UDF_GETYEAR", FB_SMALLINT)
KOVUDF_FIELD_FUNCTION(GetMon, "UDF_GETMON", FB_SMALLINT)
KOVUDF_FIELD_FUNCTION(GetDay, "UDF_GETDAY", FB_SMALLINT)
KOVUDF_FIELD_FUNCTION(GetHour, "UDF_GETHOUR", FB_SMALLINT)
KOVUDF_FIELD_FUNCTION(GetMin, "UDF_GETMIN", FB_SMALLINT)
KOVUDF_FIELD_FUNCTION(GetSec, "UDF_GETSEC", FB_SMALLINT)
KOVUDF_FIELD_FUNCTION(DayOfWeek, "UDF_DAYOFWEEK", FB_INTEGER)

FB_UDR_BEGIN_FUNCTION(DiffDay)
FB_UDR_MESSAGE(InMessage, (FB_TIMESTAMP, first)(FB_TIMESTAMP, second));
FB_UDR_MESSAGE(OutMessage, (FB_INTEGER, result));
FB_UDR_EXECUTE_FUNCTION {
    guarded(status, "UDF_DIFFDAY", [&] {
        out->resultNull = FB_TRUE;
        if (any_null(in->firstNull, in->secondNull)) {
            return;
        }
        const DateQuad a = quad_of(in->first), b = quad_of(in->second);
        out->result = _UDF_DiffDay(&a, &b);
        out->resultNull = FB_FALSE;
    });
}
FB_UDR_END_FUNCTION
