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
