-- The benchmark's 400,000 rows: a 55-byte Shift-JIS text, dates, numbers,
-- octal and date texts, and a short text BLOB.
CREATE TABLE bench_rows (
    txt VARCHAR(60) CHARACTER SET NONE, txt2 VARCHAR(60) CHARACTER SET NONE,
    d TIMESTAMP, n INTEGER, x DOUBLE PRECISION, s SMALLINT,
    o VARCHAR(64) CHARACTER SET NONE, jd VARCHAR(256) CHARACTER SET NONE,
    b BLOB SUB_TYPE TEXT CHARACTER SET NONE
);
COMMIT;
INSERT INTO bench_rows
WITH RECURSIVE r (k) AS (SELECT 0 FROM RDB$DATABASE UNION ALL SELECT k + 1 FROM r WHERE k < 799)
SELECT '  Abc ' || x'8281828283618A77' || ' row ' || a.k || '-' || b.k || '  ',
       'Abc ' || b.k,
       DATEADD(a.k * 500 + b.k MINUTE TO TIMESTAMP '2002-06-21 00:00:00'),
       (a.k - 400) * 1000 + b.k, (a.k - 400) / 8.0 + b.k / 1000.0, MOD(b.k, 28) + 1,
       '0' || MOD(a.k * 500 + b.k, 100000),
       '2002-06-' || (MOD(b.k, 28) + 1) || ' 10:' || MOD(a.k, 60) || ':00',
       'BLOB ' || x'82818282' || ' row ' || a.k
FROM r a CROSS JOIN r b WHERE b.k < 500;
COMMIT;
