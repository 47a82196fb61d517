// reference.h - what each function of the table does, for its reference
// page (docs/reference.md, which kovudf_declare writes from this and the
// table): in words, an example, the server's closest built-in and where the
// two differ.  Markdown; one entry for each function of functions.h, which
// the writer checks.
#pragma once

namespace catalog {

struct Reference {
    const char* name;  // as in functions.h
    const char* does;
    const char* example;
    const char* builtin;  // "" for none
    const char* differs;
};

// clang-format off
constexpr Reference references[] = {
    {"StrLen", "length in bytes", "`UDF_STRLEN('abc')` = 3",
     "`OCTET_LENGTH(t)`", "the legacy `UDF_STRLEN` stops at a zero byte; NULL gives 0 (legacy)"},
    {"VStrLen", "the VARCHAR's length field", "`UDF_VSTRLEN('abc')` = 3",
     "`OCTET_LENGTH(t)`", "NULL gives 0 (legacy)"},
    {"StrCat", "joins two texts", "`UDF_STRCAT('ab', 'cd')` = `abcd`",
     "`a || b`", "none for texts without zero bytes"},
    {"SubStr", "`length` bytes from byte `start` (from 0), cut at the end",
     "`UDF_SUBSTR('abcdef', 2, 3)` = `cde`", "`SUBSTRING(t FROM s + 1 FOR n)`",
     "kovudf counts from 0 and gives the empty text for a negative start or length; on a "
     "multi-byte character set `SUBSTRING` counts characters, kovudf bytes (and drops a "
     "character its byte stretch cuts, where the routine walks characters)"},
    {"VSubStr", "the same, as a VARCHAR", "`UDF_VSUBSTR('abcdef', 4, 10)` = `ef`",
     "`SUBSTRING(t FROM s + 1 FOR n)`", "as for `UDF_SUBSTR`"},
    {"VStrCmp",
     "byte order over the whole values (a zero byte is a byte like any other): the "
     "difference of the first differing bytes; when one value is the start of the other, "
     "the longer one's next byte (at least 1) with the sign of the longer side; 0 only when "
     "equal; case counts",
     "`UDF_VSTRCMP('abc', 'abd')` = -1", "`a < b`, `a = b`, `a > b`",
     "SQL compares `NONE` texts as if padded with blanks (`'a' = 'a '` is true) and gives "
     "no byte difference"},
    {"SjisUpper",
     "ASCII and full-width Latin letters to upper case; other characters unchanged, and "
     "the second byte of a Shift-JIS character never (83 61 stays 83 61, where the "
     "engine's `UPPER` on `NONE` makes it 83 41)",
     "`UDF_SJISUPPER(x'8281')` = x'8260' (ａ to Ａ)",
     "`UPPER(CAST(t AS VARCHAR(n) CHARACTER SET SJIS_0208))`",
     "the built-in refuses a text that is not valid Shift-JIS (a character cut in two "
     "fails with \"Malformed string\") where kovudf copies such bytes; plain `UPPER` on "
     "`NONE` also changes second bytes that look like letters.  In a `SJIS_0208` or `UTF8` "
     "database `UPPER(t)` is the same for ASCII and full-width Latin letters, and in "
     "`UTF8` also changes every other cased letter (é, Ω)"},
    {"SjisLower", "the same to lower case", "`UDF_SJISLOWER('ABC')` = `abc`",
     "`LOWER(CAST(t AS VARCHAR(n) CHARACTER SET SJIS_0208))`", "as for `UDF_SJISUPPER`"},
    {"Trim", "drops blanks (0x20 only) at both ends", "`UDF_TRIM('  a b  ')` = `a b`",
     "`TRIM(t)`",
     "none in a set of characters (both strip the blank 0x20 only, not the ideographic "
     "space); in `OCTETS`, whose blank is 0x00, `TRIM` strips zero bytes and kovudf 0x20"},
    {"TrimLeft", "drops leading blanks", "`UDF_TRIMLEFT('  a ')` = `a `",
     "`TRIM(LEADING FROM t)`", "as for `UDF_TRIM`"},
    {"TrimRight", "drops trailing blanks", "`UDF_TRIMRIGHT(' a  ')` = ` a`",
     "`TRIM(TRAILING FROM t)`", "as for `UDF_TRIM`"},
    {"BlobInfo", "the BLOB's statistics, `<empty BLOB>` for NULL",
     "`number_segments:1  max_seglen:6  total_size:6`", "", ""},
    {"BlobSize", "total size in bytes, 0 for NULL",
     "`UDF_BLOBSIZE(UDF_STRTOBLOB('abc'))` = 3", "`OCTET_LENGTH(b)`",
     "`OCTET_LENGTH` of NULL is NULL, `UDF_BLOBSIZE` 0"},
    {"StrToBlob", "a text as a BLOB", "`UDF_STRTOBLOB('abc')`",
     "`CAST(t AS BLOB SUB_TYPE TEXT)`",
     "none; on Firebird 3 the built-in's result reaches a UTF8 client converted, a "
     "function's only after a `CAST` (see [character sets](character-sets.md))"},
    {"BlobCat",
     "the two BLOBs one after the other, with no empty segment; a NULL one adds nothing",
     "`UDF_BLOBCAT(a, b)`", "`a || b`",
     "`||` gives NULL when either side is NULL; kovudf treats NULL as no data"},
    {"BlobAddStr", "the BLOB followed by the text; a NULL text adds nothing",
     "`UDF_BLOBADDSTR(b, '!')`", "`b || t`", "as for `UDF_BLOBCAT`"},
    {"BlobSubStr", "`length` bytes from byte `start` (from 0)",
     "`UDF_BLOBSUBSTR(UDF_STRTOBLOB('abcdef'), 2, 3)` = `cde`",
     "`SUBSTRING(b FROM s + 1 FOR n)`", "as for `UDF_SUBSTR`"},
    {"BlobVSubStr", "the same as a VARCHAR; zero bytes are kept",
     "`UDF_BLOBVSUBSTR(b, 0, 100)`", "`SUBSTRING(b FROM s + 1 FOR n)`",
     "as for `UDF_SUBSTR`"},
    {"BlobSjisUpper",
     "upper case of a whole BLOB, as `UDF_SJISUPPER`; a character split between segments "
     "is kept whole",
     "`UDF_BLOBSJISUPPER(memo)`",
     "`UPPER(CAST(b AS BLOB SUB_TYPE TEXT CHARACTER SET SJIS_0208))`",
     "as for `UDF_SJISUPPER`"},
    {"BlobSjisLower", "the same to lower case", "`UDF_BLOBSJISLOWER(memo)`",
     "`LOWER(CAST(b AS BLOB SUB_TYPE TEXT CHARACTER SET SJIS_0208))`",
     "as for `UDF_SJISUPPER`"},
    {"Abs", "absolute value (clears the sign bit)", "`UDF_ABS(-1.5)` = 1.5", "`ABS(x)`",
     "none"},
    {"IAbs", "absolute value; -2147483648 stays as it is", "`UDF_IABS(-5)` = 5",
     "`ABS(n)`",
     "`ABS(-2147483648)` of an `INTEGER` is 2147483648 as a `BIGINT`; `UDF_IABS` returns "
     "-2147483648"},
    {"Round",
     "mode 0 toward zero, 1 away from zero, 2 to the nearest whole number with halves away "
     "from zero (exactly: whole numbers stay as they are, 0.49999999999999994 gives 0); "
     "other modes give 0",
     "`UDF_ROUND(-2.5, 2)` = -3", "`TRUNC(x)`, `SIGN(x) * CEILING(ABS(x))`, `ROUND(x)`",
     "none for finite values"},
    {"Oct",
     "the octal number at the start of the text: leading white space and one `+` or `-` "
     "are skipped, then octal digits are read into a 64-bit value whose low 32 bits are the "
     "result (negated after `-`); past 2^64 - 1 the result is -1, or 0 after a `-`; 0 when "
     "there is no digit",
     "`UDF_OCT('  +777')` = 511", "", ""},
    {"AddDate",
     "adds years and months (the day clamped to the month's length), then days; fractions "
     "of a second stay",
     "`UDF_ADDDATE(TIMESTAMP '2002-01-31 08:00', 0, 1, 0)` = 2002-02-28 08:00",
     "`DATEADD(n DAY TO DATEADD(m MONTH TO DATEADD(y YEAR TO d)))`",
     "none on `TIMESTAMP` (both clamp the day to the month's length); on `WITH TIME ZONE` "
     "values kovudf keeps the session's wall-clock time, `DATEADD` adds 24-hour days (see "
     "[servers](servers.md))"},
    {"AddTime", "adds a time span, carrying into the date; fractions of a second stay",
     "`UDF_ADDTIME(TIMESTAMP '2002-06-21 23:30', 0, 45, 0)` = 2002-06-22 00:15",
     "`DATEADD(s SECOND TO DATEADD(mi MINUTE TO DATEADD(h HOUR TO d)))`",
     "none on `TIMESTAMP`; on `WITH TIME ZONE` values across a change of offset kovudf "
     "adds wall-clock time, `DATEADD` elapsed time"},
    {"JDate",
     "a date typed by a person, year first: `2002/6/21`, `2002-06-21 10:30:15`, `6/21` "
     "(this year), `21 10:30` (this month), `10:30` (today); parts left out come from "
     "today's date, missing time parts are 0; never an error",
     "`UDF_JDATE('2002.06.21 10:30')` = 2002-06-21 10:30", "`CAST(t AS TIMESTAMP)`",
     "the cast accepts only complete dates and fails on anything else; `UDF_JDATE` takes "
     "parts from today and never fails"},
    {"ToDateTime", "builds a date and time", "`UDF_TODATETIME(2002, 6, 21, 10, 30, 15)`",
     "`DATEADD` from a fixed date, or `CAST(y || '-' || m || '-' || d AS DATE)`",
     "the cast refuses parts out of range where kovudf carries them"},
    {"ToDate", "a date at midnight", "`UDF_TODATE(2002, 6, 21)` = 2002-06-21 00:00",
     "`DATEADD` from a fixed date, or `CAST(y || '-' || m || '-' || d AS DATE)`",
     "as for `UDF_TODATETIME`"},
    {"ToTime", "a time of day on 1 January 100", "`UDF_TOTIME(10, 30, 0)` = 0100-01-01 10:30",
     "`DATEADD` from a fixed date", "as for `UDF_TODATETIME`"},
    {"JoinDateTime",
     "the date of the first, the time of day of the second (with its fraction of a second)",
     "`UDF_JOINDATETIME(d, UDF_TOTIME(17, 45, 30))`", "`CAST(d AS DATE) + CAST(t AS TIME)`",
     "none"},
    {"GetYear", "the year", "`UDF_GETYEAR(TIMESTAMP '2002-06-21 10:30:15')` = 2002",
     "`EXTRACT(YEAR FROM d)`", "none"},
    {"GetMon", "the month, 1 to 12", "`UDF_GETMON(TIMESTAMP '2002-06-21 10:30:15')` = 6",
     "`EXTRACT(MONTH FROM d)`", "none"},
    {"GetDay", "the day of the month", "`UDF_GETDAY(TIMESTAMP '2002-06-21 10:30:15')` = 21",
     "`EXTRACT(DAY FROM d)`", "none"},
    {"GetHour", "the hour", "`UDF_GETHOUR(TIMESTAMP '2002-06-21 10:30:15')` = 10",
     "`EXTRACT(HOUR FROM d)`", "none"},
    {"GetMin", "the minute", "`UDF_GETMIN(TIMESTAMP '2002-06-21 10:30:15')` = 30",
     "`EXTRACT(MINUTE FROM d)`", "none"},
    {"GetSec", "the whole seconds", "`UDF_GETSEC(TIMESTAMP '2002-06-21 10:30:15')` = 15",
     "`FLOOR(EXTRACT(SECOND FROM d))`", "`EXTRACT(SECOND)` keeps the fraction"},
    {"DayOfWeek", "0 = Sunday to 6 = Saturday",
     "`UDF_DAYOFWEEK(TIMESTAMP '2002-06-21 00:00')` = 5", "`EXTRACT(WEEKDAY FROM d)`",
     "none (0 is Sunday in both)"},
    {"DiffDay", "days from `b` to `a`; times of day do not count",
     "`UDF_DIFFDAY(TIMESTAMP '2002-03-01 00:00', TIMESTAMP '2002-02-28 23:59:59')` = 1",
     "`DATEDIFF(DAY FROM CAST(b AS DATE) TO CAST(a AS DATE))`", "none"},
    {"FileToBlob",
     "the file's bytes; empty when it cannot be read or is not a regular file (a device such "
     "as `/dev/zero`, a pipe or a directory might never end)",
     "`UDF_FILETOBLOB('/srv/in/a.pdf')`", "", ""},
    {"BlobToFile",
     "writes the BLOB into a new file: 0 done, -999 NULL BLOB (no file touched), -1 file "
     "cannot be created, else the system's error code of a failed write (Linux `errno`, "
     "e.g. 28 disk full; Windows `GetLastError`); the third argument is required and unused",
     "`UDF_BLOBTOFILE(doc, '/srv/out/a.pdf', 0)` = 0", "", ""},
};
// clang-format on

}  // namespace catalog
