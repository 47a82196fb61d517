-- The rows of the differential test: 3,000 rows of Shift-JIS and ASCII
-- text (blanks, lengths 0 to 4096, NULLs), extreme numbers, dates from 0001
-- to 9999 with fractions of a second, and BLOBs of 0 bytes to 2 MB whose
-- segments have odd lengths (each BLOB is joined from pieces).
CREATE TABLE rows_in (
    id INTEGER NOT NULL PRIMARY KEY,
    t VARCHAR(4096) CHARACTER SET NONE,
    t2 VARCHAR(4096) CHARACTER SET NONE,
    o VARCHAR(64) CHARACTER SET NONE,
    jd VARCHAR(256) CHARACTER SET NONE,
    s SMALLINT,
    n INTEGER,
    x DOUBLE PRECISION,
    d TIMESTAMP,
    b BLOB SUB_TYPE 0,
    bt BLOB SUB_TYPE TEXT CHARACTER SET NONE
);
COMMIT;
INSERT INTO rows_in
-- INTEGER products only: a Windows engine of the matrix (a mingw build)
-- miscomputes BIGINT ones.
WITH RECURSIVE h (k) AS (SELECT 0 FROM RDB$DATABASE UNION ALL SELECT CAST(k + 1 AS INTEGER) FROM h WHERE k < 99),
r (i) AS (SELECT CAST(a.k * 100 + b.k AS INTEGER) FROM h a CROSS JOIN h b WHERE a.k < 30)
SELECT i,
    CASE MOD(i, 9)
        WHEN 0 THEN NULL
        WHEN 1 THEN ''
        WHEN 2 THEN CAST(LPAD('', MOD(i, 5), ' ') || 'abc' || x'82A0826083618281' || LPAD('', MOD(i, 3), ' ') AS VARCHAR(4096))
        WHEN 3 THEN CAST(LPAD('', MOD(i * 7, 4097), x'8281') AS VARCHAR(4096))
        WHEN 4 THEN CAST(LPAD('', MOD(i, 300), 'aZ ') || x'82' AS VARCHAR(4096))
        WHEN 5 THEN CAST('   ' AS VARCHAR(4096))
        WHEN 6 THEN CAST(LPAD('', 4096, 'x') AS VARCHAR(4096))
        WHEN 7 THEN CAST(x'B1B2' || 'Kana ' || i AS VARCHAR(4096))
        ELSE CAST(i || ' ' || x'83618340' AS VARCHAR(4096))
    END,
    IIF(MOD(i, 13) = 0, NULL, CAST('abc' || x'8281' || MOD(i, 17) AS VARCHAR(4096))),
    CASE MOD(i, 7)
        WHEN 0 THEN NULL WHEN 1 THEN '  +777' WHEN 2 THEN '-17' WHEN 3 THEN '37777777777'
        WHEN 4 THEN '-0777777777777777777777777' WHEN 5 THEN 'x12' ELSE CAST(i AS VARCHAR(64))
    END,
    CASE MOD(i, 6)
        WHEN 0 THEN NULL WHEN 1 THEN CAST((1 + MOD(i, 9998)) || '/' || MOD(i, 14) || '/' || MOD(i, 33) AS VARCHAR(256))
        WHEN 2 THEN CAST('2002-' || MOD(i, 13) || '-21 ' || MOD(i, 26) || ':' || MOD(i, 61) AS VARCHAR(256))
        WHEN 3 THEN '  2002 / 06 / 21  10:30  ' WHEN 4 THEN CAST('2002.6.' || MOD(i, 40) AS VARCHAR(256))
        ELSE '2002//21'
    END,
    IIF(MOD(i, 11) = 0, NULL, CAST(MOD(i * 37, 65536) - 32768 AS SMALLINT)),
    CASE MOD(i, 8) WHEN 0 THEN NULL WHEN 1 THEN -2147483648 WHEN 2 THEN 2147483647
        ELSE CAST(i - 1500 AS INTEGER) * 1431655 END,
    CASE MOD(i, 8) WHEN 0 THEN NULL WHEN 1 THEN 4503599627370497 WHEN 2 THEN 0.49999999999999994
        WHEN 3 THEN -2.5 WHEN 4 THEN 1e300 ELSE (i - 1500) / 7.0 END,
    IIF(MOD(i, 10) = 0, NULL,
        DATEADD(MOD(i * 1217, 3652059) DAY TO TIMESTAMP '0001-01-01 00:00:00') + MOD(i * 7919, 86400000) / 86400000.0),
    CASE MOD(i, 12)
        WHEN 0 THEN NULL
        WHEN 1 THEN CAST('' AS BLOB SUB_TYPE 0)
        ELSE CAST(LPAD('', MOD(i * 31, 9000), x'8281') || 'abc' || LPAD('', MOD(i, 700), 'Zz ') AS BLOB SUB_TYPE 0)
    END,
    IIF(MOD(i, 14) = 0, NULL, CAST('Text ' || i || x'82818260' || LPAD('', MOD(i, 50), 'q') AS BLOB SUB_TYPE TEXT))
FROM r;
COMMIT;
-- Odd segmentation: join pieces of varied lengths into the BLOBs, and grow
-- a few to 2 MB.
UPDATE rows_in SET b = UDF_BLOBCAT(UDF_BLOBCAT(b, UDF_STRTOBLOB(LPAD('', MOD(id * 13, 20000), x'8260'))),
                                   UDF_STRTOBLOB(LPAD('', MOD(id, 9), 'odd')))
WHERE MOD(id, 3) = 2 AND b IS NOT NULL;
UPDATE rows_in SET b = UDF_BLOBCAT(b, b) WHERE MOD(id, 500) = 2;
UPDATE rows_in SET b = UDF_BLOBCAT(b, b) WHERE MOD(id, 500) = 2;
UPDATE rows_in SET b = UDF_BLOBCAT(b, b) WHERE MOD(id, 500) = 2;
UPDATE rows_in SET b = UDF_BLOBCAT(b, b) WHERE MOD(id, 500) = 2;
UPDATE rows_in SET b = UDF_BLOBCAT(b, b) WHERE MOD(id, 500) = 2;
UPDATE rows_in SET b = UDF_BLOBCAT(b, b) WHERE MOD(id, 500) = 2;
COMMIT;
