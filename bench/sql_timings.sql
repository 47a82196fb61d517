-- SQL timings on the embedded server: each query aggregates 400,000 calls so
-- the per-call cost shows; compare a kovudf function with the engine's own.
SET STATS ON;
CREATE TABLE bench_rows (txt VARCHAR(60), d TIMESTAMP);
COMMIT;
INSERT INTO bench_rows
WITH RECURSIVE r (n) AS (SELECT 0 FROM RDB$DATABASE UNION ALL SELECT n + 1 FROM r WHERE n < 799)
SELECT 'Abc ' || x'8281828283618A77' || ' row ' || a.n || '-' || b.n,
       DATEADD(a.n * 500 + b.n MINUTE TO TIMESTAMP '2002-06-21 00:00:00')
FROM r a CROSS JOIN r b WHERE b.n < 500;
COMMIT;
SET LIST ON;
-- Shift-JIS upper case: kovudf against the engine's SJIS-aware UPPER.
SELECT SUM(CHAR_LENGTH(UDF_SJISUPPER(txt))) AS udf_sjisupper FROM bench_rows;
SELECT SUM(CHAR_LENGTH(UPPER(CAST(txt AS VARCHAR(60) CHARACTER SET SJIS_0208)))) AS builtin_upper FROM bench_rows;
-- Days between dates.
SELECT SUM(UDF_DIFFDAY(d, TIMESTAMP '2000-01-01 00:00:00')) AS udf_diffday FROM bench_rows;
SELECT SUM(DATEDIFF(DAY FROM CAST('2000-01-01' AS DATE) TO CAST(d AS DATE))) AS builtin_datediff FROM bench_rows;
-- A call that does almost nothing: the cost of the UDF call itself.
SELECT SUM(UDF_IABS(1)) AS udf_iabs FROM bench_rows;
SELECT SUM(ABS(1)) AS builtin_abs FROM bench_rows;
