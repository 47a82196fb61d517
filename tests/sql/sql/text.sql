-- Text functions called from SQL: lengths, concatenation, substrings,
-- comparison, trimming and Shift-JIS case.  NULL arguments are in
-- nulls.sql.
SET LIST ON;

SELECT UDF_STRLEN('') AS empty_len, UDF_STRLEN('abc') AS abc_len,
       UDF_STRLEN(x'82A061') AS sjis_len,
       UDF_VSTRLEN('abc') AS vlen, UDF_VSTRLEN('') AS vlen_empty
FROM RDB$DATABASE;

SELECT UDF_STRCAT('ab', 'cd') AS cat, UDF_STRCAT('', '') AS cat_empty
FROM RDB$DATABASE;

SELECT UDF_SUBSTR('abcdef', 2, 3) AS sub, UDF_SUBSTR('abcdef', 4, 10) AS sub_past_end,
       '[' || UDF_SUBSTR('abcdef', 6, 1) || ']' AS sub_at_end,
       '[' || UDF_SUBSTR('abcdef', -1, 3) || ']' AS sub_negative
FROM RDB$DATABASE;

SELECT UDF_VSUBSTR('abcdef', 2, 3) AS vsub, CHAR_LENGTH(UDF_VSUBSTR('abcdef', 4, 10)) AS vsub_len,
       CHAR_LENGTH(UDF_VSUBSTR('abcdef', 0, 0)) AS vsub_empty
FROM RDB$DATABASE;

SELECT UDF_VSTRCMP('abc', 'abd') AS lt, UDF_VSTRCMP('abc', 'ab') AS gt,
       UDF_VSTRCMP('a', 'B') AS case_counts, UDF_VSTRCMP(x'82', 'a') AS high_byte,
       UDF_VSTRCMP('same', 'same') AS eq, UDF_VSTRCMP('', x'FF') AS ff,
       UDF_VSTRCMP(x'610062', x'610063') AS zero_inside, UDF_VSTRCMP('a', x'6100') AS zero_after
FROM RDB$DATABASE;

-- Shift-JIS: full-width a (82 81) becomes full-width A (82 60); the second
-- byte of 83 61 is not a letter of its own; half-width katakana B1 is single.
SELECT CAST(UDF_SJISUPPER(x'61826183618281B161') AS VARCHAR(20) CHARACTER SET OCTETS) AS upper_bytes,
       CAST(UDF_SJISLOWER(x'41826083418260B141') AS VARCHAR(20) CHARACTER SET OCTETS) AS lower_bytes,
       UDF_SJISUPPER('abcXYZ 09!') AS upper_ascii, UDF_SJISLOWER('abcXYZ 09!') AS lower_ascii
FROM RDB$DATABASE;

-- The engine's own UPPER on charset NONE changes the second byte 61 of 83 61.
SELECT CAST(UPPER(CAST(x'8361' AS VARCHAR(2))) AS VARCHAR(2) CHARACTER SET OCTETS) AS builtin_upper,
       CAST(UDF_SJISUPPER(x'8361') AS VARCHAR(2) CHARACTER SET OCTETS) AS udf_upper
FROM RDB$DATABASE;

SELECT '[' || UDF_TRIM('  ab c  ') || ']' AS trimmed,
       '[' || UDF_TRIMLEFT('  ab c  ') || ']' AS trimmed_left,
       '[' || UDF_TRIMRIGHT('  ab c  ') || ']' AS trimmed_right,
       '[' || UDF_TRIM('   ') || ']' AS all_blank
FROM RDB$DATABASE;

-- A CHAR value keeps its trailing blanks when passed as CSTRING.
SELECT UDF_STRLEN(CAST('ab' AS CHAR(5))) AS char_len,
       UDF_STRLEN(UDF_TRIMRIGHT(CAST('ab' AS CHAR(5)))) AS trimmed_char_len
FROM RDB$DATABASE;

-- On table data.
CREATE TABLE names (id INTEGER, name VARCHAR(40));
COMMIT;
INSERT INTO names VALUES (1, '  alice ');
INSERT INTO names VALUES (2, 'Bob');
SELECT id, UDF_SJISUPPER(UDF_TRIM(name)) AS name_upper, UDF_VSTRCMP(name, 'Bob') AS vs_bob
FROM names ORDER BY id;
