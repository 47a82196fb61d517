// functions.h - the 41 kovudf functions: the one table of their names,
// kinds, sizes, families and groups.
//
// Everything else that names a function is made from this table or checked
// against it: the declaration scripts of both fronts, the migration, the
// Windows export list, the external routines' registrations and the kinds
// they accept, and the benchmark's empty routines.  Each row is
//
//   F(Name, family, group, access, RESULT(kind, bytes), arguments...)
//
// Name gives the three names a function goes by: the legacy entry _UDF_Name,
// the routine kovudf!Name and the SQL name UDF_NAME.  An argument is
// ARG(kind, bytes, PARAMETER) or, for a text whose NULL adds nothing instead
// of making the result NULL, OPT(kind, bytes, PARAMETER).  A text's bytes are
// its budget in bytes; each front and character set turns it into the size
// the project's scripts declare (catalog.h).  A database may declare other
// sizes: a routine takes the ones it was declared with.  Access is `plain`
// or `files` (reaches the server's files).
//
// Kinds: cstring (CSTRING for the legacy front, VARCHAR for the routines),
// varchar, smallint, integer, double_precision, timestamp (DATE in dialect
// 1), blob; results also blob_text (a BLOB holding text) and blob_binary.
#pragma once

// clang-format off
#define KOVUDF_FUNCTIONS(F)                                                                         \
    F(StrLen,        text,    length,       plain, RESULT(integer, 0),                             \
      ARG(cstring, 4096, TXT))                                                                      \
    F(VStrLen,       text,    length,       plain, RESULT(smallint, 0),                            \
      ARG(varchar, 4096, TXT))                                                                      \
    F(StrCat,        text,    joining,      plain, RESULT(cstring, 8192),                          \
      ARG(cstring, 4096, A), ARG(cstring, 4096, B))                                                 \
    F(SubStr,        text,    substring,    plain, RESULT(cstring, 4096),                          \
      ARG(cstring, 4096, TXT), ARG(smallint, 0, POS), ARG(smallint, 0, LEN))                        \
    F(VSubStr,       text,    substring,    plain, RESULT(varchar, 4096),                          \
      ARG(cstring, 4096, TXT), ARG(smallint, 0, POS), ARG(smallint, 0, LEN))                        \
    F(VStrCmp,       text,    comparison,   plain, RESULT(integer, 0),                             \
      ARG(varchar, 4096, A), ARG(varchar, 4096, B))                                                 \
    F(SjisUpper,     text,    case,         plain, RESULT(cstring, 4096),                          \
      ARG(cstring, 4096, TXT))                                                                      \
    F(SjisLower,     text,    case,         plain, RESULT(cstring, 4096),                          \
      ARG(cstring, 4096, TXT))                                                                      \
    F(Trim,          text,    trimming,     plain, RESULT(cstring, 4096),                          \
      ARG(cstring, 4096, TXT))                                                                      \
    F(TrimLeft,      text,    trimming,     plain, RESULT(cstring, 4096),                          \
      ARG(cstring, 4096, TXT))                                                                      \
    F(TrimRight,     text,    trimming,     plain, RESULT(cstring, 4096),                          \
      ARG(cstring, 4096, TXT))                                                                      \
    F(BlobInfo,      blob,    description,  plain, RESULT(cstring, 80),                            \
      ARG(blob, 0, B))                                                                              \
    F(BlobSize,      blob,    description,  plain, RESULT(integer, 0),                             \
      ARG(blob, 0, B))                                                                              \
    F(StrToBlob,     blob,    building,     plain, RESULT(blob_text, 0),                           \
      ARG(cstring, 32767, TXT))                                                                     \
    F(BlobCat,       blob,    building,     plain, RESULT(blob_text, 0),                           \
      ARG(blob, 0, A), ARG(blob, 0, B))                                                             \
    F(BlobAddStr,    blob,    building,     plain, RESULT(blob_text, 0),                           \
      ARG(blob, 0, B), OPT(cstring, 32767, TXT))                                                    \
    F(BlobSubStr,    blob,    substring,    plain, RESULT(cstring, 32767),                         \
      ARG(blob, 0, B), ARG(integer, 0, POS), ARG(smallint, 0, LEN))                                 \
    F(BlobVSubStr,   blob,    substring,    plain, RESULT(varchar, 32767),                         \
      ARG(blob, 0, B), ARG(integer, 0, POS), ARG(smallint, 0, LEN))                                 \
    F(BlobSjisUpper, blob,    case,         plain, RESULT(blob_text, 0),                           \
      ARG(blob, 0, B))                                                                              \
    F(BlobSjisLower, blob,    case,         plain, RESULT(blob_text, 0),                           \
      ARG(blob, 0, B))                                                                              \
    F(Abs,           numeric, rounding,     plain, RESULT(double_precision, 0),                    \
      ARG(double_precision, 0, X))                                                                  \
    F(IAbs,          numeric, rounding,     plain, RESULT(integer, 0),                             \
      ARG(integer, 0, N))                                                                           \
    F(Round,         numeric, rounding,     plain, RESULT(double_precision, 0),                    \
      ARG(double_precision, 0, X), ARG(smallint, 0, RMODE))                                         \
    F(Oct,           numeric, octal,        plain, RESULT(integer, 0),                             \
      ARG(cstring, 64, TXT))                                                                        \
    F(AddDate,       date,    arithmetic,   plain, RESULT(timestamp, 0),                           \
      ARG(timestamp, 0, TS), ARG(integer, 0, Y), ARG(integer, 0, M), ARG(integer, 0, D))            \
    F(AddTime,       date,    arithmetic,   plain, RESULT(timestamp, 0),                           \
      ARG(timestamp, 0, TS), ARG(integer, 0, H), ARG(integer, 0, MI), ARG(integer, 0, S))           \
    F(JDate,         date,    parsing,      plain, RESULT(timestamp, 0),                           \
      ARG(cstring, 256, TXT))                                                                       \
    F(ToDateTime,    date,    construction, plain, RESULT(timestamp, 0),                           \
      ARG(smallint, 0, Y), ARG(smallint, 0, M), ARG(smallint, 0, D),                                \
      ARG(smallint, 0, H), ARG(smallint, 0, MI), ARG(smallint, 0, S))                               \
    F(ToDate,        date,    construction, plain, RESULT(timestamp, 0),                           \
      ARG(smallint, 0, Y), ARG(smallint, 0, M), ARG(smallint, 0, D))                                \
    F(ToTime,        date,    construction, plain, RESULT(timestamp, 0),                           \
      ARG(smallint, 0, H), ARG(smallint, 0, MI), ARG(smallint, 0, S))                               \
    F(JoinDateTime,  date,    construction, plain, RESULT(timestamp, 0),                           \
      ARG(timestamp, 0, D), ARG(timestamp, 0, T))                                                   \
    F(GetYear,       date,    fields,       plain, RESULT(smallint, 0), ARG(timestamp, 0, D))      \
    F(GetMon,        date,    fields,       plain, RESULT(smallint, 0), ARG(timestamp, 0, D))      \
    F(GetDay,        date,    fields,       plain, RESULT(smallint, 0), ARG(timestamp, 0, D))      \
    F(GetHour,       date,    fields,       plain, RESULT(smallint, 0), ARG(timestamp, 0, D))      \
    F(GetMin,        date,    fields,       plain, RESULT(smallint, 0), ARG(timestamp, 0, D))      \
    F(GetSec,        date,    fields,       plain, RESULT(smallint, 0), ARG(timestamp, 0, D))      \
    F(DayOfWeek,     date,    fields,       plain, RESULT(integer, 0), ARG(timestamp, 0, D))       \
    F(DiffDay,       date,    fields,       plain, RESULT(integer, 0),                             \
      ARG(timestamp, 0, A), ARG(timestamp, 0, B))                                                   \
    F(FileToBlob,    blob,    files,        files, RESULT(blob_binary, 0),                         \
      ARG(cstring, 1024, FILE_NAME))                                                                \
    F(BlobToFile,    blob,    files,        files, RESULT(integer, 0),                             \
      ARG(blob, 0, B), ARG(cstring, 1024, FILE_NAME), ARG(integer, 0, UNUSED))
// clang-format on
