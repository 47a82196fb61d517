-- Where the external routines differ from the legacy functions, by design:
-- SQL NULL gives NULL for numbers too, texts are counted (a zero byte is a
-- byte like any other), results the server would refuse are errors naming
-- the function, and BLOB results built from text are text BLOBs.
SET LIST ON;

SELECT UDF_STRLEN(NULL) AS strlen_null, UDF_IABS(NULL) AS iabs_null, UDF_ROUND(1.5, NULL) AS round_null,
       UDF_DIFFDAY(NULL, CURRENT_TIMESTAMP) AS diffday_null, UDF_STRTOBLOB(NULL) AS strtoblob_null,
       UDF_BLOBTOFILE(UDF_STRTOBLOB('x'), NULL, 0) AS tofile_null,
       CAST(UDF_BLOBADDSTR(UDF_STRTOBLOB('kept'), NULL) AS VARCHAR(10)) AS addstr_null_text
FROM RDB$DATABASE;

SELECT UDF_STRLEN(x'610062') AS strlen_zero, UDF_VSTRLEN(x'0000') AS vstrlen_zero,
       UDF_SJISUPPER(x'61008281') = x'41008260' AS upper_zero, UDF_TRIM(x'20002000') = x'0020' AS trim_zero,
       UDF_STRCAT(x'6100', x'0062') = x'61000062' AS cat_zero, UDF_SUBSTR(x'61006263', 1, 2) = x'0062' AS substr_zero,
       UDF_VSTRCMP(x'610062', x'610063') AS cmp_zero, UDF_OCT(x'370037') AS oct_zero,
       UDF_JDATE(x'323030322F362F3231' || x'00') AS jdate_zero,
       UDF_BLOBSUBSTR(UDF_STRTOBLOB(x'6100620063'), 0, 5) = x'6100620063' AS blobsubstr_zero,
       UDF_BLOBSIZE(UDF_STRTOBLOB(x'000000')) AS strtoblob_zero
FROM RDB$DATABASE;

-- Text in, text BLOB out: no cast needed to read it as text.
SELECT UDF_STRTOBLOB('plain text') AS strtoblob, UDF_BLOBSJISUPPER(UDF_STRTOBLOB('abc')) AS upper_blob,
       UDF_BLOBCAT(UDF_STRTOBLOB('ab'), UDF_STRTOBLOB('cd')) AS cat_blob
FROM RDB$DATABASE;

-- Errors that name the function.
SELECT UDF_BLOBSUBSTR(UDF_BLOBCAT(UDF_STRTOBLOB(LPAD('', 20000, 'x')), UDF_STRTOBLOB(LPAD('', 20000, 'y'))), 0, 32767) AS too_long
FROM RDB$DATABASE;
SELECT UDF_ADDDATE(TIMESTAMP '9999-12-31 00:00:00', 0, 0, 1) AS past_end FROM RDB$DATABASE;
SELECT UDF_FILETOBLOB(x'2F746D70002F78') AS zero_in_name FROM RDB$DATABASE;
SELECT UDF_TRIM('still running') AS after_errors FROM RDB$DATABASE;

-- Whole numbers in any integer width, as old declarations have them: a
-- value past what the routine takes, or past the declared result, is an
-- error naming the function, never a number cut to fit.
CREATE FUNCTION LEN16 (B BLOB) RETURNS SMALLINT EXTERNAL NAME 'kovudf!BlobSize' ENGINE UDR;
CREATE FUNCTION SUB32 (T VARCHAR(10), P INTEGER, L BIGINT) RETURNS VARCHAR(10) EXTERNAL NAME 'kovudf!SubStr' ENGINE UDR;
CREATE FUNCTION ABS16 (N SMALLINT) RETURNS BIGINT EXTERNAL NAME 'kovudf!IAbs' ENGINE UDR;
COMMIT;
SELECT LEN16(UDF_STRTOBLOB('abc')) AS len16, SUB32('hello', 1, 3) AS sub32, ABS16(-32768) AS abs16 FROM RDB$DATABASE;
SELECT LEN16(UDF_BLOBCAT(UDF_STRTOBLOB(LPAD('', 20000, 'x')), UDF_STRTOBLOB(LPAD('', 20000, 'y')))) AS len16_past FROM RDB$DATABASE;
SELECT SUB32('hello', 70000, 1) AS sub32_past FROM RDB$DATABASE;
SELECT SUB32('hello', 1, -2147483649) AS sub32_below FROM RDB$DATABASE;

-- A routine writes its BLOB result in as few segments as its bytes need,
-- 65535 bytes each: every call of the server's BLOB interface costs more
-- than the bytes it moves.
SELECT UDF_BLOBINFO(UDF_STRTOBLOB(LPAD('', 20000, 'x'))) AS info_20000,
       UDF_BLOBINFO(UDF_BLOBCAT(UDF_STRTOBLOB(LPAD('', 9000, 'a')), UDF_STRTOBLOB('bc'))) AS cat_info,
       (SELECT UDF_BLOBINFO(UDF_BLOBCAT(data, data)) FROM long_segments) AS cat_60000
FROM RDB$DATABASE;
