-- Every function with what a careless or hostile caller may send: empty
-- texts, Shift-JIS cut inside a character, SMALLINT and INTEGER limits,
-- dates at 0001-01-01 and 9999-12-31 pushed out of range, BLOBs of 0 bytes
-- and of several MB.  (NULLs are in nulls.sql, texts at and past their
-- declared sizes in sized.sql; NaN and infinite doubles, which only a
-- legacy declaration lets through, in udf_only.sql.)  Each statement gives
-- a value or the server's own error; the test run then checks the database
-- with gfix -v -full.
SET LIST ON;

-- Empty texts.
SELECT UDF_STRLEN('') AS a, UDF_VSTRLEN('') AS b, '[' || UDF_SJISUPPER('') || UDF_TRIM('') || UDF_TRIMLEFT('')
       || UDF_TRIMRIGHT('') || UDF_STRCAT('', '') || UDF_SUBSTR('', 0, 5) || UDF_VSUBSTR('', 0, 5) || ']' AS c,
       UDF_VSTRCMP('', '') AS d, UDF_OCT('') AS e, UDF_BLOBSIZE(UDF_STRTOBLOB('')) AS f,
       UDF_BLOBINFO(UDF_BLOBADDSTR(NULL, '')) AS g, IIF(CAST(UDF_JDATE('') AS DATE) = CURRENT_DATE, 'yes', 'no') AS h
FROM RDB$DATABASE;

-- Shift-JIS cut inside a character: a lone lead byte at the end stays.
SELECT UDF_SJISUPPER(x'618281' || x'82') AS cut_upper, UDF_SJISLOWER(x'82') AS lone_lead,
       UDF_SUBSTR(x'82818282', 1, 2) AS cut_substr, UDF_TRIM(x'2082') AS cut_trim,
       UDF_BLOBSUBSTR(UDF_BLOBSJISUPPER(UDF_STRTOBLOB(x'828182')), 0, 10) AS cut_blob
FROM RDB$DATABASE;

-- SMALLINT and INTEGER limits as positions, lengths, modes and parts.
SELECT '[' || UDF_SUBSTR('abc', 32767, 32767) || UDF_SUBSTR('abc', -32768, 2) || UDF_SUBSTR('abc', 0, -32768) || ']' AS subs,
       CHAR_LENGTH(UDF_VSUBSTR('abc', 0, 32767)) AS vsub_len, UDF_IABS(-2147483648) AS iabs_min,
       UDF_ROUND(2.5, -32768) AS round_min_mode, UDF_ROUND(2.5, 32767) AS round_max_mode,
       '[' || UDF_BLOBSUBSTR(UDF_STRTOBLOB('abc'), 2147483647, 32767) || UDF_BLOBSUBSTR(UDF_STRTOBLOB('abc'), -2147483648, 5) || ']' AS blob_subs
FROM RDB$DATABASE;
SELECT UDF_TOTIME(32767, 32767, 32767) AS time_max, UDF_TOTIME(-32768, -32768, -32768) AS time_min,
       UDF_TODATETIME(2002, 32767, 1, 0, 0, 0) AS month_max, UDF_TODATETIME(2002, 1, 32767, 32767, 32767, 32767) AS parts_max
FROM RDB$DATABASE;
SELECT UDF_TODATETIME(2002, -32768, 1, 0, 0, 0) AS month_min FROM RDB$DATABASE;
SELECT UDF_TODATE(32767, 1, 1) AS year_max FROM RDB$DATABASE;
SELECT UDF_TODATE(-32768, 1, 1) AS year_min FROM RDB$DATABASE;
SELECT UDF_TODATE(0, 1, 1) AS year_0 FROM RDB$DATABASE;

-- Dates at both ends of the range, pushed past them.
SELECT UDF_GETYEAR(TIMESTAMP '0001-01-01 00:00:00') AS y1, UDF_DAYOFWEEK(TIMESTAMP '0001-01-01 00:00:00') AS dow1,
       UDF_GETYEAR(TIMESTAMP '9999-12-31 23:59:59.9999') AS y9999, UDF_GETSEC(TIMESTAMP '9999-12-31 23:59:59.9999') AS s9999,
       UDF_DIFFDAY(TIMESTAMP '9999-12-31 00:00:00', TIMESTAMP '0001-01-01 00:00:00') AS span,
       UDF_ADDTIME(TIMESTAMP '9999-12-31 23:59:59.9999', 0, 0, 0) AS last_kept,
       UDF_ADDDATE(TIMESTAMP '0001-01-01 00:00:00', 0, 0, 0) AS first_kept
FROM RDB$DATABASE;
SELECT UDF_ADDTIME(TIMESTAMP '9999-12-31 23:59:59', 0, 0, 1) AS past_end FROM RDB$DATABASE;
SELECT UDF_ADDDATE(TIMESTAMP '0001-01-01 00:00:00', 0, 0, -1) AS before_start FROM RDB$DATABASE;
SELECT UDF_ADDDATE(TIMESTAMP '0001-01-01 00:00:00', -2147483648, -2147483648, -2147483648) AS far_before FROM RDB$DATABASE;
SELECT UDF_JDATE('9999/12/31 24:00') AS jdate_past_end FROM RDB$DATABASE;
SELECT UDF_JDATE('99999999999/99999999999/99999999999 99999999999:-99999999999') AS jdate_wild FROM RDB$DATABASE;

-- BLOBs of 0 bytes and of 6 MB.
CREATE TABLE big (id INTEGER, b BLOB SUB_TYPE 0);
COMMIT;
INSERT INTO big VALUES (0, '');
INSERT INTO big SELECT 1, UDF_STRTOBLOB(LPAD('', 32000, x'8281')) FROM RDB$DATABASE;
UPDATE big SET b = UDF_BLOBCAT(b, b) WHERE id = 1;
UPDATE big SET b = UDF_BLOBCAT(b, b) WHERE id = 1;
UPDATE big SET b = UDF_BLOBCAT(b, b) WHERE id = 1;
UPDATE big SET b = UDF_BLOBCAT(b, b) WHERE id = 1;
UPDATE big SET b = UDF_BLOBCAT(b, b) WHERE id = 1;
UPDATE big SET b = UDF_BLOBCAT(b, b) WHERE id = 1;
UPDATE big SET b = UDF_BLOBCAT(b, b) WHERE id = 1;
UPDATE big SET b = UDF_BLOBCAT(UDF_BLOBSJISUPPER(b), UDF_BLOBADDSTR(b, 'end')) WHERE id = 1;
COMMIT;
SELECT id, UDF_BLOBSIZE(b) AS size, OCTET_LENGTH(b) AS octets,
       IIF(HASH(UDF_BLOBSJISUPPER(UDF_BLOBSJISLOWER(b))) = HASH(UDF_BLOBSJISUPPER(b)), 'yes', 'no') AS case_round_trip,
       IIF(UDF_BLOBVSUBSTR(b, OCTET_LENGTH(b) - 5, 10) = IIF(id = 0, '', x'8281656E64'), 'yes', 'no') AS tail, UDF_BLOBTOFILE(b, '/dev/null', 0) AS to_null,
       OCTET_LENGTH(UDF_BLOBCAT(b, NULL)) AS cat_null
FROM big ORDER BY id;
