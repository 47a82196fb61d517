-- Which form is yours?  A database whose default character set is SJIS_0208
-- (or UTF8, declared with kovudf_udr_utf8.sql) gets the routines declared in
-- that set, as below: they see its characters, and every client reads their
-- text in its own set.  A NONE database holding Shift-JIS bytes gets the
-- byte-level form above, where text is bytes (hence the hex).
SET LIST ON;

-- Case: ASCII and full-width letters change, kanji and kana stay.
SELECT UDF_SJISUPPER('ａｂｃ日本 abc') AS upper_case,
       UDF_SJISLOWER('ＸＹＺ東京 XYZ') AS lower_case
FROM RDB$DATABASE;

-- Substrings count bytes from 0 (a Shift-JIS kanji is two) and never
-- return half a character: bytes 3 to 8 of 日本語テキスト cut 本 and キ.
SELECT UDF_SUBSTR('日本語テキスト', 2, 6) AS bytes_2_to_7,
       UDF_SUBSTR('日本語テキスト', 3, 6) AS bytes_3_to_8,
       UDF_STRLEN('日本語') AS bytes_of_3_kanji
FROM RDB$DATABASE;

-- Trimming takes blanks (0x20) off, never the ideographic space.
SELECT '[' || UDF_TRIM('  　全角の空白は残る　  ') || ']' AS trimmed FROM RDB$DATABASE;

-- A BLOB of text, case-mapped segment by segment and cut by bytes.
-- (Firebird 3 hands a function's text BLOB to the client as NONE; the CAST
-- names its set, and 4.0 and later need none.)
SELECT CAST(UDF_BLOBSJISUPPER(UDF_STRTOBLOB('メモ: ｍｅｍｏ memo'))
            AS BLOB SUB_TYPE TEXT CHARACTER SET SJIS_0208) AS blob_upper,
       UDF_BLOBSUBSTR(UDF_STRTOBLOB('メモ: ｍｅｍｏ memo'), 0, 4) AS blob_first_4_bytes
FROM RDB$DATABASE;
