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

-- Routines declared in other sets than the scripts', and in two at once,
-- beside the built-ins on the same text: each set is walked in its own
-- bytes (GB18030's ｱ is four), and a NONE result carries them; a
-- declaration walks its first text's set, and its other texts come
-- converted to it.
SET TERM ^ ;
EXECUTE BLOCK AS
    DECLARE s VARCHAR(20);
    DECLARE r VARCHAR(20);
    DECLARE f VARCHAR(20);
BEGIN
    FOR SELECT a, b FROM (SELECT 'ISO8859_1' a, 'ISO8859_1' b FROM RDB$DATABASE
               UNION ALL SELECT 'WIN1252', 'WIN1252' FROM RDB$DATABASE
               UNION ALL SELECT 'EUCJ_0208', 'EUCJ_0208' FROM RDB$DATABASE
               UNION ALL SELECT 'GB18030', 'GB18030' FROM RDB$DATABASE
               UNION ALL SELECT 'GBK', 'NONE' FROM RDB$DATABASE
               UNION ALL SELECT 'UTF8', 'SJIS_0208' FROM RDB$DATABASE) INTO s, r DO
        FOR SELECT c FROM (SELECT 'SjisUpper' c FROM RDB$DATABASE
                           UNION ALL SELECT 'Trim' FROM RDB$DATABASE) INTO f DO
            EXECUTE STATEMENT 'CREATE FUNCTION ' || TRIM(f) || '_' || TRIM(s) || ' (T VARCHAR(20) CHARACTER SET ' ||
                s || ') RETURNS VARCHAR(20) CHARACTER SET ' || r || ' EXTERNAL NAME ''kovudf!' || TRIM(f) ||
                ''' ENGINE UDR';
END^
SET TERM ; ^
CREATE FUNCTION SUB_GB18030 (T VARCHAR(20) CHARACTER SET GB18030, P SMALLINT, L SMALLINT)
    RETURNS VARCHAR(20) CHARACTER SET GB18030 EXTERNAL NAME 'kovudf!SubStr' ENGINE UDR;
CREATE FUNCTION SUB_EUCJ_0208 (T VARCHAR(20) CHARACTER SET EUCJ_0208, P SMALLINT, L SMALLINT)
    RETURNS VARCHAR(20) CHARACTER SET EUCJ_0208 EXTERNAL NAME 'kovudf!SubStr' ENGINE UDR;
CREATE FUNCTION CAT_MIXED (A VARCHAR(10) CHARACTER SET UTF8, B VARCHAR(10) CHARACTER SET SJIS_0208)
    RETURNS VARCHAR(40) CHARACTER SET UTF8 EXTERNAL NAME 'kovudf!StrCat' ENGINE UDR;
CREATE FUNCTION CMP_MIXED (A VARCHAR(10) CHARACTER SET UTF8, B VARCHAR(10) CHARACTER SET SJIS_0208)
    RETURNS INTEGER EXTERNAL NAME 'kovudf!VStrCmp' ENGINE UDR;
CREATE FUNCTION SIZE_GB18030 (B BLOB SUB_TYPE TEXT CHARACTER SET GB18030) RETURNS INTEGER
    EXTERNAL NAME 'kovudf!BlobSize' ENGINE UDR;
COMMIT;
SELECT SjisUpper_ISO8859_1(' éa÷b ') AS upper_iso8859_1,
       UPPER(CAST(' a÷b ' AS VARCHAR(9) CHARACTER SET ISO8859_1)) = SjisUpper_ISO8859_1(' a÷b ') AS as_builtin_iso8859_1,
       SjisUpper_WIN1252(' x…a€b ') AS upper_win1252,
       UPPER(CAST(' x…a€b ' AS VARCHAR(9) CHARACTER SET WIN1252)) = SjisUpper_WIN1252(' x…a€b ') AS as_builtin_win1252,
       SjisUpper_EUCJ_0208('ａb日ｚ') AS upper_eucj, SjisUpper_GB18030('ａb日ｚ') AS upper_gb18030,
       SjisUpper_UTF8('ａb日ｚ') AS upper_utf8_to_sjis,
       '[' || Trim_EUCJ_0208(' 日本 ') || '|' || Trim_GB18030(' 日本 ') || '|' || Trim_UTF8(' 日本 ') || ']' AS trimmed,
       SUB_EUCJ_0208('日本abc', 2, 4) AS eucj_bytes_2_to_5, SUB_GB18030('日ｱ本abc', 2, 6) AS gb18030_bytes_2_to_7,
       SUB_GB18030('日ｱ本', 1, 4) AS gb18030_no_whole_character,
       CAST(Trim_GBK(' 中c ') AS VARCHAR(10) CHARACTER SET OCTETS) AS gbk_none_bytes,
       CAT_MIXED('日', '本') AS cat_mixed, CMP_MIXED('日', '日') AS cmp_mixed,
       SIZE_GB18030(CAST('日本' AS BLOB SUB_TYPE TEXT CHARACTER SET GB18030)) AS gb18030_blob_bytes
FROM RDB$DATABASE;
