// message.cpp - routine messages from their declarations: which declared
// types carry each kind, the types the routine reads them as, and the
// server's own layout of the result.
#include "message.h"

#include <cstring>
#include <string>

namespace kovudf_udr {

namespace {

using catalog::Kind;
using Firebird::IMessageMetadata;
using Firebird::IMetadataBuilder;
using Firebird::IRoutineMetadata;

// Types of Firebird 4 and later, which the interface headers the module is
// built with do not name.
constexpr unsigned sql_timestamp_tz_ex = 32748, sql_time_tz_ex = 32750,
                   sql_timestamp_tz = 32754, sql_time_tz = 32756, sql_dec16 = 32760,
                   sql_dec34 = 32762;

// The longest text a message holds.
constexpr unsigned longest_text = 32767;

// A parameter as declared.
struct Declared {
    unsigned type;  // without the nullable bit
    unsigned length;
    int scale;
};

bool is_whole_number(const Declared& d) {
    return is_integer_type(d.type) && d.scale == 0;
}

bool is_decfloat(const Declared& d) {
    return d.type == sql_dec16 || d.type == sql_dec34;
}

bool is_number(const Declared& d) {
    return is_integer_type(d.type) || d.type == SQL_FLOAT || d.type == SQL_DOUBLE ||
           d.type == SQL_D_FLOAT || is_decfloat(d);
}

bool is_whole_kind(Kind kind) {
    return kind == Kind::smallint || kind == Kind::integer;
}

// The type the routine reads or writes for a kind declared as `d`; length 0
// keeps the declared one (texts).  A whole number declared as a whole
// number of any width is read and written in that width, its range checked
// at each call (call.h); declared otherwise, the server converts it.
struct Wanted {
    unsigned type, length;
};

Wanted wanted(Kind kind, const Declared& d) {
    switch (kind) {
        case Kind::cstring:
        case Kind::varchar:
            return {SQL_VARYING, 0};
        case Kind::smallint:
        case Kind::integer:
            if (is_whole_number(d)) {
                return {d.type, integer_length(d.type)};
            }
            return kind == Kind::smallint ? Wanted{SQL_SHORT, 2} : Wanted{SQL_LONG, 4};
        case Kind::double_precision:
            return {SQL_DOUBLE, 8};
        case Kind::timestamp:
            return {SQL_TIMESTAMP, 8};
        case Kind::blob:
        case Kind::blob_text:
        case Kind::blob_binary:
            return {SQL_BLOB, 8};
    }
    return {0, 0};
}

// Whether the server laid a field out as the routine reads it.
bool laid_out_as_read(const Field& f) {
    if (catalog::is_text(f.kind)) {
        return f.sql_type == SQL_VARYING && f.length <= longest_text;
    }
    if (is_whole_kind(f.kind)) {
        return is_integer_type(f.sql_type) && f.length == integer_length(f.sql_type);
    }
    const Wanted w = wanted(f.kind, Declared{0, 0, 0});
    return f.sql_type == w.type && f.length == w.length;
}

// Whether a parameter declared as `d` carries `kind`.  A whole number may
// be declared of any integer type, wider or narrower than the entry point's:
// a value outside what the routine takes, or what the declared result holds,
// is an error at the call.  An argument may be of any type the server
// converts to the routine's; a result of a type that holds what it gives.
bool carries(Kind kind, Side side, const Declared& d) {
    const bool argument = side == Side::input;
    switch (kind) {
        case Kind::cstring:
        case Kind::varchar:
            return (d.type == SQL_VARYING || d.type == SQL_TEXT) &&
                   d.length <= longest_text;
        case Kind::smallint:
        case Kind::integer:
            return is_whole_number(d) ||
                   (!argument && (d.type == SQL_DOUBLE || is_decfloat(d) ||
                                  (kind == Kind::smallint && d.type == SQL_FLOAT)));
        case Kind::double_precision:
            return argument ? is_number(d) : d.type == SQL_DOUBLE;
        case Kind::timestamp:
            return d.type == SQL_TIMESTAMP || d.type == SQL_TYPE_DATE ||
                   d.type == sql_timestamp_tz ||
                   (argument && d.type == sql_timestamp_tz_ex);
        case Kind::blob:
        case Kind::blob_text:
        case Kind::blob_binary:
            return d.type == SQL_BLOB;
    }
    return false;
}

// What the routine takes in words, for a refusal.
const char* what_it_takes(Kind kind, Side side) {
    const bool argument = side == Side::input;
    switch (kind) {
        case Kind::cstring:
        case Kind::varchar:
            return "a text (VARCHAR or CHAR)";
        case Kind::smallint:
            return argument
                       ? "a whole number (SMALLINT, INTEGER, BIGINT or INT128 with no "
                         "decimals)"
                       : "whole numbers, which need SMALLINT, INTEGER, BIGINT or INT128 "
                         "with no decimals, FLOAT, DOUBLE PRECISION or DECFLOAT";
        case Kind::integer:
            return argument
                       ? "a whole number (SMALLINT, INTEGER, BIGINT or INT128 with no "
                         "decimals)"
                       : "whole numbers, which need SMALLINT, INTEGER, BIGINT or INT128 "
                         "with no decimals, DOUBLE PRECISION or DECFLOAT";
        case Kind::double_precision:
            return argument ? "a number (SMALLINT, INTEGER, BIGINT, INT128, NUMERIC, "
                              "DECIMAL, FLOAT, DOUBLE PRECISION or DECFLOAT)"
                            : "DOUBLE PRECISION values, which need DOUBLE PRECISION";
        case Kind::timestamp:
            return argument
                       ? "a date (TIMESTAMP, DATE or TIMESTAMP WITH TIME ZONE)"
                       : "dates, which need TIMESTAMP, DATE or TIMESTAMP WITH TIME ZONE";
        case Kind::blob:
        case Kind::blob_text:
        case Kind::blob_binary:
            return argument ? "a BLOB" : "a BLOB, which needs BLOB";
    }
    return "";
}

std::string type_name(const Declared& d) {
    switch (d.type) {
        case SQL_VARYING:
            return "VARCHAR of " + std::to_string(d.length) + " bytes";
        case SQL_TEXT:
            return "CHAR of " + std::to_string(d.length) + " bytes";
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
        case sql_int128: {
            const std::string name = d.type == SQL_SHORT   ? "SMALLINT"
                                     : d.type == SQL_LONG  ? "INTEGER"
                                     : d.type == SQL_INT64 ? "BIGINT"
                                                           : "INT128";
            if (d.scale == 0) {
                return name;
            }
            const unsigned digits =
                static_cast<unsigned>(d.scale < 0 ? -d.scale : d.scale);
            return "NUMERIC or DECIMAL with " + std::to_string(digits) + " decimal" +
                   (digits == 1 ? "" : "s");
        }
        case SQL_FLOAT:
            return "FLOAT";
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return "DOUBLE PRECISION";
        case sql_dec16:
        case sql_dec34:
            return "DECFLOAT";
        case SQL_TIMESTAMP:
            return "TIMESTAMP";
        case sql_timestamp_tz:
        case sql_timestamp_tz_ex:
            return "TIMESTAMP WITH TIME ZONE";
        case SQL_TYPE_DATE:
            return "DATE";
        case SQL_TYPE_TIME:
            return "TIME";
        case sql_time_tz:
        case sql_time_tz_ex:
            return "TIME WITH TIME ZONE";
        case SQL_BLOB:
            return "BLOB";
        case SQL_ARRAY:
            return "an array";
        case SQL_BOOLEAN:
            return "BOOLEAN";
    }
    return "a type the server numbers " + std::to_string(d.type);
}

// "NAME (kovudf!Routine)": the function as the database declared it.
std::string declared_as(Status* status, const catalog::Function& function,
                        IRoutineMetadata* routine) {
    const char* name = routine->getName(status);
    return std::string(name != nullptr ? name : "?") + " (kovudf!" +
           catalog::routine_name(function) + ")";
}

std::string parameter_list(const catalog::Function& function) {
    std::string out;
    for (unsigned i = 0; i < function.argument_count; ++i) {
        out += std::string(i == 0 ? "" : ", ") + function.arguments[i].parameter;
    }
    return out;
}

Kind kind_at(const catalog::Function& function, Side side, unsigned i) {
    if (side == Side::output) {
        return function.result.kind;
    }
    return i < function.argument_count ? function.arguments[i].kind
                                       : catalog::today_argument.kind;
}

unsigned expected_count(const catalog::Function& function, Side side) {
    return side == Side::input ? function.argument_count : 1;
}

// Whether `count` fields are what the routine takes on `side`: its
// parameters, and for the one that reads today, TODAY after them or not.
bool count_fits(const catalog::Function& function, Side side, unsigned count) {
    return count == expected_count(function, side) ||
           (side == Side::input && catalog::reads_today(function) &&
            count == function.argument_count + 1);
}

// Whether the routine walks texts of the set numbered `id` in that set:
// every set the server had when this was written (up to GB18030).
bool walks_in_itself(unsigned id) {
    return (id & 0xFF) <= catalog::charset_gb18030.id;
}

// A text's room in bytes once it is in the set `walk`: as many characters
// as declared, as far as a message holds.
unsigned room_in(unsigned declared_length, unsigned declared_set, unsigned walk) {
    if ((declared_set & 0xFF) == (walk & 0xFF)) {
        return declared_length;
    }
    const uint64_t characters =
        declared_length / catalog::charset_bytes_per_character(declared_set);
    const uint64_t bytes = characters * catalog::charset_bytes_per_character(walk);
    return bytes < longest_text ? static_cast<unsigned>(bytes) : longest_text;
}

// Refuses the declaration unless `declared` carries the function's kinds on
// `side`, then sets the routine's types into `builder`.
void conform(Status* status, const catalog::Function& function, Side side,
             IRoutineMetadata* routine, IMessageMetadata* declared,
             IMetadataBuilder* builder, unsigned walk) {
    const unsigned count = declared->getCount(status);
    if (!count_fits(function, side, count)) {
        const std::string declared_count =
            std::to_string(count) + (side == Side::input ? " parameter" : " result") +
            (count == 1 ? "" : "s");
        raise(status, declared_as(status, function, routine) + ": declared with " +
                          declared_count +
                          (side == Side::input
                               ? "; it takes " + std::to_string(function.argument_count) +
                                     " (" + parameter_list(function) + ")" +
                                     (catalog::reads_today(function)
                                          ? ", and a TODAY date after them or not"
                                          : "")
                               : "; it returns one"));
    }
    for (unsigned i = 0; i < count; ++i) {
        const Declared d{declared->getType(status, i) & ~1u,
                         declared->getLength(status, i), declared->getScale(status, i)};
        const Kind kind = kind_at(function, side, i);
        if (!carries(kind, side, d)) {
            const std::string where =
                side == Side::input ? "parameter " + std::to_string(i + 1) + " (" +
                                          (i < function.argument_count
                                               ? function.arguments[i].parameter
                                               : catalog::today_argument.parameter) +
                                          ")"
                                    : std::string("the result");
            raise(status, declared_as(status, function, routine) + ": " + where + " is " +
                              type_name(d) +
                              (side == Side::input ? "; it takes " : "; it returns ") +
                              what_it_takes(kind, side));
        }
        const Wanted w = wanted(kind, d);
        if (w.type == SQL_BLOB) {
            continue;  // as declared: its sub-type and set
        }
        builder->setType(status, i, w.type);
        if (w.type == SQL_VARYING) {
            builder->setCharSet(status, i, walk);
            builder->setLength(status, i,
                               room_in(d.length, declared->getCharSet(status, i), walk));
        } else {
            builder->setLength(status, i, w.length);
            builder->setScale(status, i, 0);
            builder->setSubType(status, i, 0);
        }
    }
}

// The bytes a field's value takes in a message.
uint64_t value_size(const Field& f) {
    return f.sql_type == SQL_VARYING ? uint64_t{2} + f.length : f.length;
}

// The parameters (input) or the result (output) as `routine` declares them.
IMessageMetadata* declared_message(Status* status, const catalog::Function& function,
                                   Side side, IRoutineMetadata* routine) {
    IMessageMetadata* declared = routine == nullptr ? nullptr
                                 : side == Side::input
                                     ? routine->getInputMetadata(status)
                                     : routine->getOutputMetadata(status);
    if (declared == nullptr) {
        raise(status, function, "the server gave no declaration");
    }
    return declared;
}

// Conforms `declared` into `builder`, then reads the message the server lays
// out from it, each field checked to lie inside the message.
Layout lay_out(Status* status, const catalog::Function& function, Side side,
               IRoutineMetadata* routine, IMessageMetadata* declared,
               IMetadataBuilder* builder, unsigned walk) {
    if (builder == nullptr) {
        raise(status, function, "the server gave no builder for its messages");
    }
    conform(status, function, side, routine, declared, builder, walk);
    const Held<IMessageMetadata> laid_out(builder->getMetadata(status));
    Layout layout{};
    layout.count = laid_out->getCount(status);
    layout.length = laid_out->getMessageLength(status);
    bool sound = count_fits(function, side, layout.count) &&
                 layout.count == declared->getCount(status);
    for (unsigned i = 0; sound && i < layout.count; ++i) {
        Field& f = layout.fields[i];
        f.kind = kind_at(function, side, i);
        f.sql_type = laid_out->getType(status, i) & ~1u;
        f.length = laid_out->getLength(status, i);
        f.charset = laid_out->getCharSet(status, i);
        f.sub_type = laid_out->getSubType(status, i);
        f.offset = laid_out->getOffset(status, i);
        f.null_offset = laid_out->getNullOffset(status, i);
        const unsigned declared_type = declared->getType(status, i) & ~1u;
        f.zoned =
            declared_type == sql_timestamp_tz || declared_type == sql_timestamp_tz_ex;
        sound = laid_out_as_read(f) && f.offset + value_size(f) <= layout.length &&
                uint64_t{f.null_offset} + 2 <= layout.length;
    }
    if (!sound) {
        raise(status, function, "the server lays out its messages in an unexpected way");
    }
    return layout;
}

}  // namespace

bool LegacyNulls::any() const {
    for (const char c : taken) {
        if (c != '\0') {
            return true;
        }
    }
    return false;
}

LegacyNulls legacy_nulls(Status* status, const catalog::Function& function,
                         IRoutineMetadata* routine) {
    LegacyNulls nulls{};
    const char* const name = routine->getEntryPoint(status);
    const char* const second = name == nullptr ? nullptr : std::strchr(name, '!');
    const char* const info = second == nullptr ? nullptr : std::strchr(second + 1, '!');
    if (info == nullptr) {
        return nulls;
    }
    static const char prefix[] = "legacy-null=";
    const char* const taken = info + 1 + (sizeof prefix - 1);
    bool sound = std::strncmp(info + 1, prefix, sizeof prefix - 1) == 0 &&
                 std::strlen(taken) == function.argument_count;
    for (unsigned i = 0; sound && i < function.argument_count; ++i) {
        sound = taken[i] == '0' || taken[i] == 'n';
        nulls.taken[i] = taken[i];
    }
    if (!sound) {
        raise(status,
              declared_as(status, function, routine) + ": the external name's " +
                  "third part is not legacy-null= followed by a 0 or an n for each " +
                  "parameter (" + parameter_list(function) + ")");
    }
    return nulls;
}

unsigned walk_charset(Status* status, const catalog::Function& function,
                      IRoutineMetadata* routine) {
    const Held<IMessageMetadata> in(
        declared_message(status, function, Side::input, routine));
    const Held<IMessageMetadata> out(
        declared_message(status, function, Side::output, routine));
    // Declared as the table's kinds say, or refused later by conform.
    const auto text_at = [&](IMessageMetadata* m, Kind kind, unsigned i) {
        const unsigned type = m->getType(status, i) & ~1u;
        return catalog::is_text(kind) && (type == SQL_VARYING || type == SQL_TEXT);
    };
    const auto text_blob_at = [&](IMessageMetadata* m, Kind kind, unsigned i) {
        return catalog::is_blob(kind) && (m->getType(status, i) & ~1u) == SQL_BLOB &&
               m->getSubType(status, i) == isc_blob_text;
    };
    const unsigned count = in->getCount(status);
    unsigned set = catalog::charset_none.id;
    bool found = false;
    for (int blobs = 0; blobs < 2; ++blobs) {
        for (unsigned i = 0; !found && i < count && i < function.argument_count; ++i) {
            const Kind kind = function.arguments[i].kind;
            if (blobs == 0 ? text_at(in.get(), kind, i)
                           : text_blob_at(in.get(), kind, i)) {
                set = in->getCharSet(status, i);
                found = true;
            }
        }
    }
    if (!found && out->getCount(status) == 1 &&
        (text_at(out.get(), function.result.kind, 0) ||
         text_blob_at(out.get(), function.result.kind, 0))) {
        set = out->getCharSet(status, 0);
    }
    return walks_in_itself(set) ? set & 0xFF : catalog::charset_utf8.id;
}

Layout conform_message(Status* status, const catalog::Function& function, Side side,
                       IRoutineMetadata* routine, IMetadataBuilder* builder,
                       unsigned walk) {
    const Held<IMessageMetadata> declared(
        declared_message(status, function, side, routine));
    return lay_out(status, function, side, routine, declared.get(), builder, walk);
}

Layout read_layout(Status* status, const catalog::Function& function, Side side,
                   IRoutineMetadata* routine, unsigned walk) {
    const Held<IMessageMetadata> declared(
        declared_message(status, function, side, routine));
    const Held<IMetadataBuilder> builder(declared->getBuilder(status));
    return lay_out(status, function, side, routine, declared.get(), builder.get(), walk);
}

}  // namespace kovudf_udr
