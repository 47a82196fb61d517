-- The table every load client reads: Shift-JIS and ASCII texts, blanks,
-- numbers at their limits, dates from 0001 to 9999, and BLOBs of several
-- sizes in binary and text.
CREATE TABLE load_rows (
    id INTEGER NOT NULL PRIMARY KEY,
    t VARCHAR(200) CHARACTER SET NONE,
    n INTEGER,
    x DOUBLE PRECISION,
    d TIMESTAMP,
    b BLOB SUB_TYPE 0,
    bt BLOB SUB_TYPE TEXT CHARACTER SET NONE
);
COMMIT;
INSERT INTO load_rows
WITH RECURSIVE h (n) AS (SELECT 0 FROM RDB$DATABASE UNION ALL SELECT n + 1 FROM h WHERE n < 99),
r (i) AS (SELECT a.n * 100 + b.n FROM h a CROSS JOIN h b WHERE a.n < 20)
SELECT i,
       IIF(MOD(i, 5) = 0, NULL,
           CAST(LPAD('', MOD(i, 7), ' ') || 'Row ' || i || x'82A0826083618281' ||
                IIF(MOD(i, 3) = 0, CAST(x'82' AS VARCHAR(2)), CAST('aZ' AS VARCHAR(2))) ||
                LPAD('', MOD(i, 4), ' ') AS VARCHAR(200))),
       IIF(MOD(i, 11) = 0, NULL, (i - 1000) * 2147483),
       IIF(MOD(i, 13) = 0, NULL, (i - 1000) / 8.0 + 0.5),
       IIF(MOD(i, 17) = 0, NULL, DATEADD(i * 1826 DAY TO TIMESTAMP '0001-01-01 00:00:00') + MOD(i, 1440) / 1440.0),
       IIF(MOD(i, 19) = 0, NULL, CAST(LPAD('', MOD(i * 37, 9000), x'8261') AS BLOB SUB_TYPE 0)),
       IIF(MOD(i, 23) = 0, NULL, CAST('text ' || i || x'8281' AS BLOB SUB_TYPE TEXT))
FROM r;
COMMIT;
