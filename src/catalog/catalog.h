// catalog.h - the table of functions.h as data: each function's names,
// argument and result kinds, and the sizes the project's scripts declare for
// it in each character set (a routine takes the sizes it was declared
// with, whatever they are).  Plain data and constexpr rules; no server
// header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "functions.h"

namespace catalog {

enum class Kind : uint8_t {
    cstring,  // a text: CSTRING for the legacy front, VARCHAR for the routines
    varchar,
    smallint,
    integer,
    double_precision,
    timestamp,
    blob,
    blob_text,    // results only: a BLOB holding text
    blob_binary,  // results only
};

enum class Family : uint8_t { text, blob, numeric, date };
enum class Access : uint8_t { plain, files };
enum class Front : uint8_t { legacy, routine };

struct Argument {
    Kind kind;
    uint16_t bytes;  // a text's budget in bytes; 0 for other kinds
    const char* parameter;
    bool null_adds_nothing;  // NULL is no data instead of a NULL result
};

struct Result {
    Kind kind;
    uint16_t bytes;
};

constexpr unsigned max_arguments = 6;

struct Function {
    const char* name;  // StrLen: entry _UDF_StrLen, routine StrLen, SQL UDF_STRLEN
    Family family;
    const char* group;
    Access access;
    Result result;
    Argument arguments[max_arguments];
    unsigned argument_count;
};

constexpr Function make_function(const char* name, Family family, const char* group,
                                 Access access, Result result,
                                 std::initializer_list<Argument> arguments) {
    Function f{name, family, group, access, result, {}, 0};
    for (const Argument& a : arguments) {
        f.arguments[f.argument_count++] = a;
    }
    return f;
}

#define KOVUDF_CATALOG_ARG(kind, bytes, parameter)      \
    ::catalog::Argument {                               \
        ::catalog::Kind::kind, bytes, #parameter, false \
    }
#define KOVUDF_CATALOG_OPT(kind, bytes, parameter)     \
    ::catalog::Argument {                              \
        ::catalog::Kind::kind, bytes, #parameter, true \
    }
#define KOVUDF_CATALOG_RESULT(kind, bytes) \
    ::catalog::Result {                    \
        ::catalog::Kind::kind, bytes       \
    }
#define KOVUDF_CATALOG_ROW(name, family, group, access, result, ...)             \
    ::catalog::make_function(#name, ::catalog::Family::family, #group,           \
                             ::catalog::Access::access, KOVUDF_CATALOG_##result, \
                             {__VA_ARGS__}),
#define ARG(...) KOVUDF_CATALOG_ARG(__VA_ARGS__)
#define OPT(...) KOVUDF_CATALOG_OPT(__VA_ARGS__)

constexpr Function functions[] = {KOVUDF_FUNCTIONS(KOVUDF_CATALOG_ROW)};

#undef ARG
#undef OPT

constexpr size_t function_count = sizeof functions / sizeof functions[0];
static_assert(function_count == 41, "the library offers 41 functions");

// ---------------------------------------------------------------------------
// Sizes.  The server holds at most 32,765 bytes in a VARCHAR and 32,767 in a
// legacy CSTRING.  A text's budget in bytes becomes a declared length in
// characters of the declaration's character set: as many bytes as the budget
// where the server allows, never more.

constexpr unsigned varchar_limit = 32765;
constexpr unsigned cstring_limit = 32767;

struct CharacterSet {
    const char* name;
    unsigned id;  // the server's number for it
    unsigned bytes_per_character;
    const char* script_suffix;  // of its routine scripts: kovudf_udr<suffix>.sql
};

constexpr CharacterSet charset_none{"NONE", 0, 1, ""};
constexpr CharacterSet charset_octets{"OCTETS", 1, 1, ""};
constexpr CharacterSet charset_ascii{"ASCII", 2, 1, ""};
constexpr CharacterSet charset_unicode_fss{"UNICODE_FSS", 3, 3, ""};
constexpr CharacterSet charset_utf8{"UTF8", 4, 4, "_utf8"};
constexpr CharacterSet charset_sjis_0208{"SJIS_0208", 5, 2, "_sjis"};
constexpr CharacterSet charset_eucj_0208{"EUCJ_0208", 6, 2, ""};
constexpr CharacterSet charset_ksc_5601{"KSC_5601", 44, 2, ""};
constexpr CharacterSet charset_big_5{"BIG_5", 56, 2, ""};
constexpr CharacterSet charset_gb_2312{"GB_2312", 57, 2, ""};
constexpr CharacterSet charset_gbk{"GBK", 67, 2, ""};
constexpr CharacterSet charset_cp943c{"CP943C", 68, 2, ""};
constexpr CharacterSet charset_gb18030{"GB18030", 69, 4, ""};

// The most bytes a character takes in the set the server numbers `id`: its
// multi-byte sets by number (UNICODE_FSS, UTF8, SJIS_0208, EUCJ_0208,
// KSC_5601, BIG_5, GB_2312, GBK, CP943C, GB18030), one in every other set
// up to GB18030's number 69, and as many as UTF-8's in a set numbered
// beyond, which the server may have been given since.
constexpr unsigned charset_bytes_per_character(unsigned id) {
    switch (id & 0xFF) {
        case charset_unicode_fss.id:
            return 3;
        case charset_utf8.id:
        case charset_gb18030.id:
            return 4;
        case charset_sjis_0208.id:
        case charset_eucj_0208.id:
        case charset_ksc_5601.id:
        case charset_big_5.id:
        case charset_gb_2312.id:
        case charset_gbk.id:
        case charset_cp943c.id:
            return 2;
    }
    return (id & 0xFF) <= charset_gb18030.id ? 1 : 4;
}

// The sets the routines come declared in, each with scripts of its own.
constexpr const CharacterSet* declared_charsets[] = {&charset_none, &charset_sjis_0208,
                                                     &charset_utf8};
// The other multi-byte sets the routines walk by their own characters: no
// scripts, but `kovudf_declare sql --charset` declares the routines in them.
constexpr const CharacterSet* walked_charsets[] = {
    &charset_eucj_0208, &charset_ksc_5601, &charset_big_5,  &charset_gb_2312,
    &charset_gbk,       &charset_cp943c,   &charset_gb18030};

constexpr bool is_text(Kind kind) {
    return kind == Kind::cstring || kind == Kind::varchar;
}

constexpr bool is_blob(Kind kind) {
    return kind == Kind::blob || kind == Kind::blob_text || kind == Kind::blob_binary;
}

constexpr bool same_words(const char* a, const char* b) {
    return *a == *b && (*a == 0 || same_words(a + 1, b + 1));
}

// The function that reads today's date when a text names none (UDF_JDATE).
// Its routine takes today from one more parameter than the legacy entry,
// TODAY, which the project's scripts and the migration declare with a
// default the server evaluates in the calling statement: that statement's
// CURRENT_DATE, in its session's time zone, across midnight too.
constexpr bool reads_today(const Function& f) {
    return f.family == Family::date && same_words(f.group, "parsing");
}
constexpr Argument today_argument{Kind::timestamp, 0, "TODAY", false};

// Whether a function's texts take the character set of its declaration.
// The texts of the text functions, the BLOB texts built, cut or case-mapped
// and file names are the database's own and do.  The digits of UDF_OCT, the
// dates of the date functions and UDF_BLOBINFO's description are ASCII
// whatever the set: they stay NONE, which every client reads, at the size
// they have in bytes.
constexpr bool texts_take_set(const Function& f) {
    return f.family != Family::numeric && f.family != Family::date &&
           !same_words(f.group, "description");
}

// The character set of a function's texts in a declaration made for `set`.
constexpr const CharacterSet& text_charset(const Function& f, const CharacterSet& set) {
    return texts_take_set(f) ? set : charset_none;
}

// The declared length, in characters, of a text of `bytes` budget.
constexpr unsigned declared_characters(Kind kind, unsigned bytes, Front front,
                                       const CharacterSet& set) {
    const unsigned limit =
        front == Front::legacy && kind == Kind::cstring ? cstring_limit : varchar_limit;
    return (bytes < limit ? bytes : limit) / set.bytes_per_character;
}

// ---------------------------------------------------------------------------
// Names.

inline std::string entry_name(const Function& f) {
    return std::string("_UDF_") + f.name;
}

inline std::string routine_name(const Function& f) {
    return f.name;
}

inline std::string sql_name(const Function& f) {
    std::string name = std::string("UDF_") + f.name;
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

// The entry in the table of the function named `name` (mixed case), or null.
constexpr const Function* find(const char* name) {
    for (const Function& f : functions) {
        const char* a = f.name;
        const char* b = name;
        while (*a != '\0' && *a == *b) {
            ++a;
            ++b;
        }
        if (*a == *b) {
            return &f;
        }
    }
    return nullptr;
}

}  // namespace catalog
