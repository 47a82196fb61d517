-- BLOB functions from SQL on real BLOB columns: descriptions, building,
-- substrings, Shift-JIS case, files, and a segment longer than 32767 bytes.
-- Results are compared byte for byte through CHARACTER SET OCTETS (shown as
-- hex) or with the engine's HASH, never through a lossy cast: a binary BLOB
-- becomes OCTETS text first (Firebird 2.5 casts its bytes past ASCII to '.').
-- Each query returns at most one long text: Firebird 2.5 limits a
-- statement's message to 64 KB.
SET LIST ON;

CREATE TABLE docs (id INTEGER, bin BLOB SUB_TYPE 0, txt BLOB SUB_TYPE TEXT);
COMMIT;
INSERT INTO docs VALUES (1, 'abcdef', 'Hello, World');
INSERT INTO docs VALUES (2, x'8281826083618240', x'61828183618261');
INSERT INTO docs VALUES (3, NULL, NULL);
INSERT INTO docs VALUES (4, '', '');
COMMIT;

SELECT id, UDF_BLOBINFO(bin) AS info, UDF_BLOBSIZE(bin) AS size_bin, UDF_BLOBSIZE(txt) AS size_txt
FROM docs ORDER BY id;

-- Building.  (How each front cuts a result into segments: udf_only.sql,
-- udr_differences.sql.)
SELECT UDF_BLOBSIZE(UDF_STRTOBLOB(LPAD('', 20000, 'x'))) AS size_20000,
       UDF_BLOBINFO(UDF_STRTOBLOB('')) AS info_empty_text
FROM RDB$DATABASE;

SELECT id, CAST(CAST(UDF_BLOBCAT(bin, txt) AS BLOB SUB_TYPE TEXT CHARACTER SET OCTETS) AS VARCHAR(40) CHARACTER SET OCTETS) AS cat,
       CAST(CAST(UDF_BLOBADDSTR(txt, '!') AS BLOB SUB_TYPE TEXT CHARACTER SET OCTETS) AS VARCHAR(40) CHARACTER SET OCTETS) AS addstr,
       CAST(CAST(UDF_BLOBADDSTR(txt, '!') AS BLOB SUB_TYPE TEXT) AS VARCHAR(40)) AS addstr_text
FROM docs ORDER BY id;

-- An empty BLOB is a segment of no bytes, which none of the results
-- carries: some readers stop at an empty segment and would lose the rest.
SELECT CAST(UDF_BLOBCAT(CAST('' AS BLOB), UDF_STRTOBLOB('+')) AS VARCHAR(10)) AS cat_after_empty,
       UDF_BLOBINFO(UDF_BLOBCAT(CAST('' AS BLOB), UDF_STRTOBLOB('+'))) AS cat_after_empty_info,
       CAST(UDF_BLOBSJISUPPER(UDF_BLOBCAT(CAST('' AS BLOB), UDF_STRTOBLOB('x'))) AS VARCHAR(10)) AS upper_after_empty,
       UDF_BLOBINFO(UDF_BLOBCAT(CAST('' AS BLOB), CAST('' AS BLOB))) AS two_empty_info
FROM RDB$DATABASE;
SELECT UDF_BLOBSIZE(UDF_BLOBCAT(UDF_STRTOBLOB(LPAD('', 9000, 'a')), UDF_STRTOBLOB('bc'))) AS cat_size,
       UDF_BLOBSIZE(UDF_BLOBADDSTR(UDF_STRTOBLOB(LPAD('', 9000, 'a')), LPAD('', 9000, 'b'))) AS addstr_size
FROM RDB$DATABASE;

-- Substrings: positions from 0 across segment boundaries (segments of 8192).
SELECT CAST(UDF_BLOBSUBSTR(bin, 2, 3) AS VARCHAR(10)) AS sub, CAST(UDF_BLOBVSUBSTR(bin, 4, 10) AS VARCHAR(10)) AS vsub,
       CHAR_LENGTH(UDF_BLOBVSUBSTR(bin, 4, 10)) AS vsub_len,
       CAST('[' || UDF_BLOBSUBSTR(bin, 6, 1) || ']' AS VARCHAR(10)) AS at_end,
       CAST('[' || UDF_BLOBSUBSTR(bin, -1, 3) || ']' AS VARCHAR(10)) AS negative
FROM docs WHERE id = 1;

SELECT CAST(UDF_BLOBSUBSTR(UDF_BLOBADDSTR(UDF_STRTOBLOB(LPAD('', 8190, '-')), 'abcdef'), 8188, 6) AS VARCHAR(10)) AS across,
       CAST(UDF_BLOBSUBSTR(UDF_BLOBADDSTR(UDF_STRTOBLOB(LPAD('', 8192, '-')), 'abcdef'), 8192, 3) AS VARCHAR(10)) AS on_boundary,
       CAST('[' || UDF_BLOBSUBSTR(NULL, 0, 3) || ']' AS VARCHAR(10)) AS null_blob,
       CAST(UDF_BLOBSUBSTR(UDF_STRTOBLOB('abc'), NULL, 3) AS VARCHAR(10)) AS null_start
FROM RDB$DATABASE;

-- Shift-JIS case on BLOBs: full-width letters change, 83 61 does not.
SELECT id, CAST(CAST(UDF_BLOBSJISUPPER(txt) AS BLOB SUB_TYPE TEXT CHARACTER SET OCTETS) AS VARCHAR(40) CHARACTER SET OCTETS) AS upper_bytes,
       CAST(CAST(UDF_BLOBSJISLOWER(bin) AS BLOB SUB_TYPE TEXT CHARACTER SET OCTETS) AS VARCHAR(40) CHARACTER SET OCTETS) AS lower_bytes
FROM docs ORDER BY id;

-- A double-byte character cut between two segments (8191 blanks, then 82 81).
SELECT CAST(UDF_BLOBSUBSTR(UDF_BLOBSJISUPPER(UDF_BLOBADDSTR(UDF_STRTOBLOB(LPAD('', 8191, ' ')), x'8281')), 8190, 3)
            AS VARCHAR(3) CHARACTER SET OCTETS) AS across_segments
FROM RDB$DATABASE;

-- Files: a round trip that compares bytes, missing files, NULL, a full disk.
SELECT UDF_BLOBTOFILE(UDF_STRTOBLOB(LPAD('', 20000, 'xyz')), '/tmp/kovudf_sqltest_a.bin', 0) AS written
FROM RDB$DATABASE;
SELECT UDF_BLOBSIZE(UDF_FILETOBLOB('/tmp/kovudf_sqltest_a.bin')) AS size,
       IIF(HASH(UDF_FILETOBLOB('/tmp/kovudf_sqltest_a.bin')) = HASH(LPAD('', 20000, 'xyz')), 'yes', 'no') AS same_bytes
FROM RDB$DATABASE;
SELECT UDF_BLOBTOFILE(bin, '/tmp/kovudf_sqltest_b.bin', 0) AS written FROM docs WHERE id = 2;
SELECT CAST(CAST(UDF_FILETOBLOB('/tmp/kovudf_sqltest_b.bin') AS BLOB SUB_TYPE TEXT CHARACTER SET OCTETS) AS VARCHAR(20) CHARACTER SET OCTETS) AS read_back
FROM RDB$DATABASE;
SELECT UDF_BLOBINFO(UDF_FILETOBLOB('/tmp/kovudf_sqltest_missing')) AS missing_file,
       UDF_BLOBTOFILE(UDF_STRTOBLOB('x'), '/tmp/kovudf_sqltest_no/such/dir', 0) AS no_dir,
       UDF_BLOBTOFILE(NULL, '/tmp/kovudf_sqltest_b.bin', 0) AS null_blob
FROM RDB$DATABASE;
SELECT CAST(CAST(UDF_FILETOBLOB('/tmp/kovudf_sqltest_b.bin') AS BLOB SUB_TYPE TEXT CHARACTER SET OCTETS) AS VARCHAR(20) CHARACTER SET OCTETS) AS untouched
FROM RDB$DATABASE;

-- Only regular files are read: a device or a directory gives an empty BLOB.
SELECT UDF_BLOBSIZE(UDF_FILETOBLOB('/dev/zero')) AS dev_zero,
       UDF_BLOBSIZE(UDF_FILETOBLOB('/tmp')) AS directory
FROM RDB$DATABASE;

-- A NULL text adds nothing: the BLOB keeps its bytes.
UPDATE docs SET txt = UDF_BLOBADDSTR(txt, NULL) WHERE id = 1;
SELECT CAST(txt AS VARCHAR(40)) AS after_null_text FROM docs WHERE id = 1;

-- A segment of 60000 bytes written through the client API.
SELECT UDF_BLOBINFO(data) AS info, CAST(UDF_BLOBSUBSTR(data, 59990, 20) AS VARCHAR(20)) AS tail,
       CAST(UDF_BLOBSUBSTR(data, 32760, 10) AS VARCHAR(10)) AS middle,
       UDF_BLOBSIZE(UDF_BLOBSJISLOWER(data)) AS lower_size,
       CAST(UDF_BLOBSUBSTR(UDF_BLOBSJISLOWER(data), 59995, 10) AS VARCHAR(10)) AS lower_tail,
       UDF_BLOBSIZE(UDF_BLOBCAT(data, data)) AS cat_size
FROM long_segments;
