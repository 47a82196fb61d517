-- The text routines on rows of table T, beside the built-ins that do the
-- same job.  Only ASCII here: every non-ASCII character comes from T, so the
-- file means the same in every connection.  Rows from 100 on hold
-- characters Shift-JIS does not have, and show only numbers.
SET LIST ON;
SELECT ID, S, UDF_SJISUPPER(S) AS UP, UPPER(S) AS BUILTIN_UP, UDF_SJISLOWER(S) AS LO,
    '[' || UDF_TRIM(S) || ']' AS TRIMMED, UDF_STRLEN(S) AS BYTES, UDF_STRCAT(S, '|') AS JOINED
FROM T WHERE ID < 100 ORDER BY ID;

-- Substrings of 3 bytes from every position: no character is cut.
SELECT P.N AS POS, '[' || UDF_SUBSTR(T.S, P.N, 3) || ']' AS SUB,
    '[' || UDF_VSUBSTR(T.S, P.N, 4) || ']' AS VSUB
FROM T JOIN P ON P.N < UDF_STRLEN(T.S) WHERE T.ID = 1 ORDER BY 1;

-- BLOBs built, cut and case-mapped; the CAST is needed on Firebird 3 only,
-- which describes a function's text BLOB as NONE.
-- B is S stored as a text BLOB.
SELECT ID,
    CAST(UDF_BLOBSJISUPPER(B) AS BLOB SUB_TYPE TEXT CHARACTER SET @SET@) AS BLOB_UP,
    CAST(UDF_BLOBSJISLOWER(UDF_BLOBADDSTR(UDF_STRTOBLOB(S), S)) AS BLOB SUB_TYPE TEXT CHARACTER SET @SET@) AS BLOB_LO,
    CAST(UDF_BLOBCAT(B, UDF_STRTOBLOB('|')) AS BLOB SUB_TYPE TEXT CHARACTER SET @SET@) AS BLOB_JOINED,
    '[' || UDF_BLOBSUBSTR(B, 1, 5) || ']' AS BLOB_SUB
FROM T WHERE ID < 100 ORDER BY ID;

-- Characters beyond Shift-JIS: lengths in bytes and in characters.
SELECT ID, UDF_STRLEN(S) AS BYTES, CHAR_LENGTH(S) AS CHARS,
    OCTET_LENGTH(UDF_SUBSTR(S, 1, 6)) AS SUB_BYTES, CHAR_LENGTH(UDF_SUBSTR(S, 1, 6)) AS SUB_CHARS,
    OCTET_LENGTH(UDF_SJISUPPER(S)) AS UP_BYTES, UDF_SJISUPPER(S) = UPPER(S) AS UP_IS_UPPER,
    OCTET_LENGTH(UDF_BLOBSUBSTR(UDF_STRTOBLOB(S), 1, 6)) AS BLOB_SUB_BYTES
FROM T WHERE ID >= 100 ORDER BY ID;
