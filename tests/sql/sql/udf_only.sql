-- What only the legacy module shows, declared here by hand with entry
-- points of kovudf.so: doubles that are not numbers, and a result longer
-- than a shorter declaration allows.  (A routine's messages take their
-- types from the routine itself, so the server converts such arguments and
-- results before and after the call.)
SET LIST ON;

-- The bits of a BIGINT handed to UDF_ABS as a double: +infinity and NaN.
-- The server refuses such a DOUBLE result with its own error; the next
-- statement runs as usual.
DECLARE EXTERNAL FUNCTION ABS_OF_BITS BIGINT NULL RETURNS DOUBLE PRECISION BY VALUE
    ENTRY_POINT '_UDF_Abs' MODULE_NAME 'kovudf';
DECLARE EXTERNAL FUNCTION ROUND_OF_BITS BIGINT NULL, SMALLINT NULL RETURNS DOUBLE PRECISION BY VALUE
    ENTRY_POINT '_UDF_Round' MODULE_NAME 'kovudf';
COMMIT;
SELECT ABS_OF_BITS(4607182418800017408) AS one FROM RDB$DATABASE;
SELECT ABS_OF_BITS(-4616189618054758400) AS minus_one FROM RDB$DATABASE;
SELECT ABS_OF_BITS(9218868437227405312) AS infinity FROM RDB$DATABASE;
SELECT ROUND_OF_BITS(9221120237041090560, 2) AS nan FROM RDB$DATABASE;
SELECT ROUND_OF_BITS(9221120237041090560, 7) AS nan_bad_mode FROM RDB$DATABASE;
SELECT ROUND_OF_BITS(9221120237041090560, 0) AS nan_toward_zero FROM RDB$DATABASE;
SELECT ROUND_OF_BITS(-4503599627370496, 2) AS minus_infinity FROM RDB$DATABASE;
SELECT ROUND_OF_BITS(9218868437227405312, 5) AS infinity_bad_mode FROM RDB$DATABASE;
SELECT UDF_ROUND(1.5, 2) AS still_running FROM RDB$DATABASE;

-- A result longer than its declared size: the server refuses it cleanly.
DECLARE EXTERNAL FUNCTION SHORT_STRCAT
    CSTRING(20) CHARACTER SET NONE NULL, CSTRING(20) CHARACTER SET NONE NULL
    RETURNS CSTRING(5) CHARACTER SET NONE FREE_IT
    ENTRY_POINT '_UDF_StrCat' MODULE_NAME 'kovudf';
COMMIT;
SELECT SHORT_STRCAT('ab', 'cd') AS fits FROM RDB$DATABASE;
SELECT SHORT_STRCAT('abcdef', 'ghijkl') AS too_long FROM RDB$DATABASE;
SELECT UDF_STRLEN('still alive') AS after_error FROM RDB$DATABASE;

-- The legacy functions cut a text into segments of 8192 bytes and copy a
-- BLOB's segments one for one.
SELECT UDF_BLOBINFO(UDF_STRTOBLOB(LPAD('', 20000, 'x'))) AS info_20000,
       UDF_BLOBINFO(UDF_BLOBCAT(UDF_STRTOBLOB(LPAD('', 9000, 'a')), UDF_STRTOBLOB('bc'))) AS cat_info,
       (SELECT UDF_BLOBINFO(UDF_BLOBCAT(data, data)) FROM long_segments) AS cat_60000
FROM RDB$DATABASE;
