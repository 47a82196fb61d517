-- The external routines in a UTF8 connection: texts of character set NONE
-- arrive as the bytes the connection sent, and BLOBs of sub_type TEXT or
-- BINARY are read as their bytes.
SET LIST ON;

CREATE TABLE mixed (id INTEGER, bin BLOB SUB_TYPE 0, txt BLOB SUB_TYPE TEXT CHARACTER SET NONE,
                    u8 BLOB SUB_TYPE TEXT CHARACTER SET UTF8, oct BLOB SUB_TYPE TEXT CHARACTER SET OCTETS);
COMMIT;
INSERT INTO mixed VALUES (1, x'8281826000', x'82818260', 'äb', x'00FF');
COMMIT;

SELECT UDF_STRLEN('ä') AS strlen_utf8, UDF_VSTRCMP('ä', 'a') AS cmp_utf8, UDF_TRIM('  ä  ') AS trim_utf8
FROM RDB$DATABASE;
SELECT UDF_BLOBSIZE(bin) AS bin_size, UDF_BLOBSIZE(txt) AS txt_size, UDF_BLOBSIZE(u8) AS u8_size,
       UDF_BLOBSIZE(oct) AS oct_size,
       UDF_BLOBSUBSTR(bin, 0, 10) = x'8281826000' AS bin_bytes, UDF_BLOBSUBSTR(txt, 0, 10) = x'82818260' AS txt_bytes,
       UDF_BLOBSUBSTR(u8, 0, 10) = x'C3A462' AS u8_bytes, UDF_BLOBSUBSTR(oct, 0, 10) = x'00FF' AS oct_bytes,
       UDF_BLOBSIZE(UDF_BLOBSJISUPPER(u8)) AS upper_u8_size
FROM mixed;
