-- A short tour of kovudf on the embedded server.
SET LIST ON;

-- Text: byte lengths, substrings from position 0, trimming blanks only.
SELECT UDF_STRLEN('kovudf') AS strlen,
       UDF_SUBSTR('abcdef', 2, 3) AS substr_2_3,
       '[' || UDF_TRIM('   both ends   ') || ']' AS trimmed,
       UDF_VSTRCMP('apple', 'apricot') AS vstrcmp
FROM RDB$DATABASE;

-- Shift-JIS aware case: full-width a b c (82 81 82 82 82 83) become A B C,
-- and katakana DI (83 61), whose second byte looks like "a", stays as it is.
SELECT CAST(UDF_SJISUPPER(x'8281828282838361') AS VARCHAR(8) CHARACTER SET OCTETS) AS sjis_upper_bytes,
       CAST(UDF_SJISUPPER(x'8281828282838361') AS VARCHAR(8) CHARACTER SET SJIS_0208) AS sjis_upper_text
FROM RDB$DATABASE;

-- NULL in, NULL out.
SELECT UDF_SJISLOWER(NULL) AS null_in FROM RDB$DATABASE;

-- BLOBs: built from text, described, cut, and converted segment by segment.
SELECT UDF_BLOBINFO(UDF_BLOBADDSTR(UDF_STRTOBLOB(LPAD('', 8000, 'ab')), LPAD('', 5000, 'cd'))) AS blob_info,
       UDF_BLOBSUBSTR(UDF_BLOBADDSTR(UDF_STRTOBLOB('Hello, '), 'World'), 7, 5) AS blob_substr,
       CAST(CAST(UDF_BLOBSJISUPPER(UDF_STRTOBLOB('memo: shift-jis aware')) AS BLOB SUB_TYPE TEXT)
            AS VARCHAR(40)) AS blob_upper
FROM RDB$DATABASE;

-- Numbers.
SELECT UDF_ROUND(2.5, 2) AS round_half_away, UDF_ROUND(-2.7, 0) AS round_toward_zero,
       UDF_IABS(-42) AS iabs, UDF_OCT('755') AS octal_755
FROM RDB$DATABASE;

-- Dates: month ends, weekdays, and dates typed by people.
SELECT UDF_ADDDATE(TIMESTAMP '2002-01-31 08:00:00', 0, 1, 0) AS one_month_later,
       UDF_DAYOFWEEK(TIMESTAMP '2002-06-21 00:00:00') AS weekday_0_is_sunday,
       UDF_DIFFDAY(TIMESTAMP '2002-03-01 00:00:00', TIMESTAMP '2002-02-01 00:00:00') AS days_in_feb,
       UDF_JDATE(' 2002 / 6 / 21  10:30 ') AS typed_date,
       UDF_JDATE('12:00') AS noon_today
FROM RDB$DATABASE;
