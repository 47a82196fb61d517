// message.h - the messages of an external routine, read from the way its
// function was declared.
//
// A database may declare a function under any name, with any lengths and
// character sets its parameters' kinds allow.  When the server makes the
// routine, conform_message checks each declared parameter against the kind
// the routine reads there and puts into the server's builder the type it
// reads it as: VARCHAR for a text (as many characters as declared, in the
// routine's one walk set), the declared width for a whole number, a double,
// TIMESTAMP for a date, the BLOB as declared.  The server converts each
// argument and the result between the two.  A
// parameter that cannot carry its kind is refused there, with a message
// that names the function, the parameter and what the routine takes.
//
// Then the server is asked how it lays that message out: offsets,
// lengths and sets come from the server, never from arithmetic of ours, and
// each field is checked to lie inside the message before any call.
#pragma once

#include "status.h"

namespace kovudf_udr {

enum class Side { input, output };

// INT128, of Firebird 4 and later, which the interface headers the module is
// built with do not name.
constexpr unsigned sql_int128 = 32752;

// The whole-number types of a message, SMALLINT to INT128, and the bytes a
// value of each takes (0 for any other type).
constexpr unsigned integer_length(unsigned sql_type) {
    return sql_type == SQL_SHORT    ? 2
           : sql_type == SQL_LONG   ? 4
           : sql_type == SQL_INT64  ? 8
           : sql_type == sql_int128 ? 16
                                    : 0;
}
constexpr bool is_integer_type(unsigned sql_type) {
    return integer_length(sql_type) != 0;
}

struct Field {
    catalog::Kind kind;
    unsigned sql_type;     // SQL_VARYING, SQL_SHORT, ...
    unsigned length;       // of the value: a text's room in bytes
    unsigned charset;      // texts and BLOBs: the server's number of the set
    int sub_type;          // BLOBs: 1 for text
    unsigned offset;       // of the value
    unsigned null_offset;  // of its null flag
    bool zoned;            // dates: declared WITH TIME ZONE
};

struct Layout {
    Field fields[catalog::max_arguments];
    unsigned count;
    unsigned length;  // of the whole message
};

// How a routine made from an old legacy declaration takes a NULL argument,
// parameter by parameter, as its external name's third part says
// ('kovudf!StrLen!legacy-null=0'): '0' where the declaration had no NULL
// keyword, so the legacy function got an empty text, 0 or the zero date
// (1858-11-17) and answered for it; 'n' where it had the keyword, so a NULL
// text or date result stayed NULL and a number result was 0.  None (all
// '\0') where the external name has no third part: a NULL gives NULL.  Any
// other third part is refused, naming the function.
struct LegacyNulls {
    char taken[catalog::max_arguments];
    bool any() const;
};
LegacyNulls legacy_nulls(Status* status, const catalog::Function& function,
                         Firebird::IRoutineMetadata* routine);

// The set a routine walks its texts in, as the server numbers it: that of
// its first text argument, else of its first text BLOB argument, else of its
// result when that is a text or a text BLOB; NONE when it has no text.  A
// set the library has no walk of its own for (one numbered beyond GB18030,
// which a later server may have) is walked as UTF8, which the server
// converts it to and from.
unsigned walk_charset(Status* status, const catalog::Function& function,
                      Firebird::IRoutineMetadata* routine);

// Checks the parameters (input) or the result (output) that `routine`
// declares against `function`, sets into `builder`, made from that
// declaration, the types the routine reads and writes - every text in the
// set `walk`, so the server converts each from and to its declared set -
// and returns the message the server lays out from them.
Layout conform_message(Status* status, const catalog::Function& function, Side side,
                       Firebird::IRoutineMetadata* routine,
                       Firebird::IMetadataBuilder* builder, unsigned walk);

// The same, with a builder of its own: the message the routine gets on that
// side, as the server lays it out.
Layout read_layout(Status* status, const catalog::Function& function, Side side,
                   Firebird::IRoutineMetadata* routine, unsigned walk);

}  // namespace kovudf_udr
