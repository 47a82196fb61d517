// udr_text.cpp - the text and number functions as external routines.
//
// Texts are VARCHAR CHARACTER SET NONE and counted: a zero byte is an
// ordinary byte.  SQL NULL in any argument gives NULL.  The work is done by
// the text and numeric families, as for the legacy entries.
#include <cmath>

#include "module/kovudf.h"
#include "text/sjis_case.h"
#include "text/text_span.h"
#include "udr_support.h"

using namespace Firebird;  // the message macros name its types unqualified
using namespace kovudf_udr;

namespace {

// A function of one text: `map(text, out)` with the text's length checked.
template <class In, class Out, class Map>
void map_text(Status* status, const char* name, const In* in, Out* out, Map map) {
    map_value(status, name, in, out,
              [&](const auto& value, Out* o) { map(text_of(status, name, value), o); });
}

// A double result goes to SQL only when it is a finite number.
void check_finite(Status* status, const char* name, double value) {
    if (!std::isfinite(value)) {
        raise(status, name, "the result is not a finite number");
    }
}

}  // namespace

#define KOVUDF_TEXT_IN FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(4096, 0), value))
#define KOVUDF_TEXT_OUT FB_UDR_MESSAGE(OutMessage, (FB_INTL_VARCHAR(4096, 0), result))

FB_UDR_BEGIN_FUNCTION(StrLen)
KOVUDF_TEXT_IN;
FB_UDR_MESSAGE(OutMessage, (FB_INTEGER, result));
FB_UDR_EXECUTE_FUNCTION {
    map_text(status, "UDF_STRLEN", in, out, [](const Text& t, OutMessage::Type* o) {
        o->result = static_cast<ISC_LONG>(t.length);
    });
}
FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(VStrLen)
KOVUDF_TEXT_IN;
FB_UDR_MESSAGE(OutMessage, (FB_SMALLINT, result));
FB_UDR_EXECUTE_FUNCTION {
    map_text(status, "UDF_VSTRLEN", in, out, [](const Text& t, OutMessage::Type* o) {
        o->result = static_cast<ISC_SHORT>(t.length);
    });
}
FB_UDR_END_FUNCTION

#define KOVUDF_CASE_FUNCTION(entry, sql_name, span)                                  \
    FB_UDR_BEGIN_FUNCTION(entry)                                                     \
    KOVUDF_TEXT_IN;                                                                  \
    KOVUDF_TEXT_OUT;                                                                 \
    FB_UDR_EXECUTE_FUNCTION {                                                        \
        map_text(status, sql_name, in, out, [](const Text& t, OutMessage::Type* o) { \
            span(reinterpret_cast<const unsigned char*>(t.bytes),                    \
                 reinterpret_cast<unsigned char*>(o->result.str), t.length);         \
            o->result.length = static_cast<ISC_USHORT>(t.length);                    \
        });                                                                          \
    }                                                                                \
    FB_UDR_END_FUNCTION

KOVUDF_CASE_FUNCTION(SjisUpper, "UDF_SJISUPPER", sjis_upper_span)
KOVUDF_CASE_FUNCTION(SjisLower, "UDF_SJISLOWER", sjis_lower_span)

#define KOVUDF_TRIM_FUNCTION(entry, sql_name, left, right)                            \
    FB_UDR_BEGIN_FUNCTION(entry)                                                      \
    KOVUDF_TEXT_IN;                                                                   \
    KOVUDF_TEXT_OUT;                                                                  \
    FB_UDR_EXECUTE_FUNCTION {                                                         \
        map_text(status, sql_name, in, out, [&](const Text& t, OutMessage::Type* o) { \
            const size_t start = (left) ? leading_blanks(t.bytes, t.length) : 0;      \
            const size_t end =                                                        \
                (right) ? end_without_blanks(t.bytes, start, t.length) : t.length;    \
            set_text(status, sql_name, o->result, t.bytes + start, end - start);      \
        });                                                                           \
    }                                                                                 \
    FB_UDR_END_FUNCTION

KOVUDF_TRIM_FUNCTION(Trim, "UDF_TRIM", true, true)
KOVUDF_TRIM_FUNCTION(TrimLeft, "UDF_TRIMLEFT", true, false)
KOVUDF_TRIM_FUNCTION(TrimRight, "UDF_TRIMRIGHT", false, true)

FB_UDR_BEGIN_FUNCTION(StrCat)
FB_UDR_MESSAGE(InMessage,
               (FB_INTL_VARCHAR(4096, 0), first)(FB_INTL_VARCHAR(4096, 0), second));
FB_UDR_MESSAGE(OutMessage, (FB_INTL_VARCHAR(8192, 0), result));
FB_UDR_EXECUTE_FUNCTION {
    const char* name = "UDF_STRCAT";
    guarded(status, name, [&] {
        out->resultNull = FB_TRUE;
        if (is_null(in->firstNull) || is_null(in->secondNull)) {
            return;
        }
        const Text a = text_of(status, name, in->first);
        const Text b = text_of(status, name, in->second);
        set_text(status, name, out->result, a.bytes, a.length);
        std::memcpy(out->result.str + a.length, b.bytes, b.length);  // 4096 + 4096 fit
        out->result.length = static_cast<ISC_USHORT>(a.length + b.length);
        out->resultNull = FB_FALSE;
    });
}
FB_UDR_END_FUNCTION

#define KOVUDF_SUBSTR_FUNCTION(entry, sql_name)                                     \
    FB_UDR_BEGIN_FUNCTION(entry)                                                    \
    FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(4096, 0), text)(FB_SMALLINT, start)( \
                                  FB_SMALLINT, length));                            \
    KOVUDF_TEXT_OUT;                                                                \
    FB_UDR_EXECUTE_FUNCTION {                                                       \
        guarded(status, sql_name, [&] {                                             \
            out->resultNull = FB_TRUE;                                              \
            if (is_null(in->textNull) || is_null(in->startNull) ||                  \
                is_null(in->lengthNull)) {                                          \
                return;                                                             \
            }                                                                       \
            const Text t = text_of(status, sql_name, in->text);                     \
            const int32_t count = substring_count(t.length, in->start, in->length); \
            set_text(status, sql_name, out->result,                                 \
                     t.bytes + (count < 0 ? 0 : in->start),                         \
                     count < 0 ? 0 : static_cast<size_t>(count));                   \
            out->resultNull = FB_FALSE;                                             \
        });                                                                         \
    }                                                                               \
    FB_UDR_END_FUNCTION

KOVUDF_SUBSTR_FUNCTION(SubStr, "UDF_SUBSTR")
KOVUDF_SUBSTR_FUNCTION(VSubStr, "UDF_VSUBSTR")

FB_UDR_BEGIN_FUNCTION(VStrCmp)
FB_UDR_MESSAGE(InMessage,
               (FB_INTL_VARCHAR(4096, 0), first)(FB_INTL_VARCHAR(4096, 0), second));
FB_UDR_MESSAGE(OutMessage, (FB_INTEGER, result));
FB_UDR_EXECUTE_FUNCTION {
    const char* name = "UDF_VSTRCMP";
    guarded(status, name, [&] {
        out->resultNull = FB_TRUE;
        if (is_null(in->firstNull) || is_null(in->secondNull)) {
            return;
        }
        const Text a = text_of(status, name, in->first);
        const Text b = text_of(status, name, in->second);
        out->result = compare_bytes(reinterpret_cast<const unsigned char*>(a.bytes),
                                    static_cast<uint32_t>(a.length),
                                    reinterpret_cast<const unsigned char*>(b.bytes),
                                    static_cast<uint32_t>(b.length));
        out->resultNull = FB_FALSE;
    });
}
FB_UDR_END_FUNCTION

// ---------------------------------------------------------------------------
// Numbers

FB_UDR_BEGIN_FUNCTION(Abs)
FB_UDR_MESSAGE(InMessage, (FB_DOUBLE, value));
FB_UDR_MESSAGE(OutMessage, (FB_DOUBLE, result));
FB_UDR_EXECUTE_FUNCTION {
    map_value(status, "UDF_ABS", in, out, [&](double value, OutMessage::Type* o) {
        o->result = _UDF_Abs(&value);
        check_finite(status, "UDF_ABS", o->result);
    });
}
FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(IAbs)
FB_UDR_MESSAGE(InMessage, (FB_INTEGER, value));
FB_UDR_MESSAGE(OutMessage, (FB_INTEGER, result));
FB_UDR_EXECUTE_FUNCTION {
    map_value(status, "UDF_IABS", in, out,
              [](int32_t value, OutMessage::Type* o) { o->result = _UDF_IAbs(&value); });
}
FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(Round)
FB_UDR_MESSAGE(InMessage, (FB_DOUBLE, value)(FB_SMALLINT, mode));
FB_UDR_MESSAGE(OutMessage, (FB_DOUBLE, result));
FB_UDR_EXECUTE_FUNCTION {
    guarded(status, "UDF_ROUND", [&] {
        out->resultNull = FB_TRUE;
        if (is_null(in->valueNull) || is_null(in->modeNull)) {
            return;
        }
        const int16_t mode = in->mode;
        out->result = _UDF_Round(&in->value, &mode);
        check_finite(status, "UDF_ROUND", out->result);
        out->resultNull = FB_FALSE;
    });
}
FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(Oct)
FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(64, 0), value));
FB_UDR_MESSAGE(OutMessage, (FB_INTEGER, result));
FB_UDR_EXECUTE_FUNCTION {
    map_text(status, "UDF_OCT", in, out, [](const Text& t, OutMessage::Type* o) {
        const ShortText<64> copy(t);  // a zero byte ends the digits anyway
        o->result = _UDF_Oct(copy.bytes);
    });
}
FB_UDR_END_FUNCTION
