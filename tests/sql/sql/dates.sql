-- Date functions from SQL: TIMESTAMP values in and out, a table of dates,
-- UDF_DIFFDAY and UDF_DAYOFWEEK against the engine's own DATEDIFF and
-- EXTRACT(WEEKDAY), and typed date texts.
SET LIST ON;

SELECT UDF_GETYEAR(TIMESTAMP '2002-06-21 10:30:15') AS y, UDF_GETMON(TIMESTAMP '2002-06-21 10:30:15') AS m,
       UDF_GETDAY(TIMESTAMP '2002-06-21 10:30:15') AS d, UDF_GETHOUR(TIMESTAMP '2002-06-21 10:30:15') AS h,
       UDF_GETMIN(TIMESTAMP '2002-06-21 10:30:15') AS mi, UDF_GETSEC(TIMESTAMP '2002-06-21 10:30:15') AS s,
       UDF_DAYOFWEEK(TIMESTAMP '2002-06-21 10:30:15') AS dow
FROM RDB$DATABASE;

SELECT UDF_ADDDATE(TIMESTAMP '2002-01-31 08:00:00', 0, 1, 0) AS plus_month,
       UDF_ADDDATE(TIMESTAMP '2002-01-31 08:00:00', 0, 1, 1) AS plus_month_day,
       UDF_ADDDATE(TIMESTAMP '2000-02-29 00:00:00', 1, 0, 0) AS plus_year,
       UDF_ADDDATE(TIMESTAMP '2002-01-15 00:00:00', 0, -13, 0) AS minus_13_months,
       UDF_ADDTIME(TIMESTAMP '2002-06-21 23:30:00', 0, 45, 0) AS plus_45_minutes,
       UDF_ADDTIME(TIMESTAMP '2002-01-01 00:00:00', 0, 0, -1) AS minus_second
FROM RDB$DATABASE;

SELECT UDF_TODATE(2002, 6, 21) AS to_date, UDF_TODATETIME(2002, 6, 21, 10, 30, 15) AS to_datetime,
       UDF_TOTIME(10, 30, 0) AS to_time, UDF_TODATE(2002, 13, 40) AS normalised,
       UDF_JOINDATETIME(TIMESTAMP '2002-06-21 08:00:00', UDF_TOTIME(17, 45, 30)) AS joined,
       UDF_DIFFDAY(TIMESTAMP '2002-03-01 00:00:00', TIMESTAMP '2002-02-28 23:59:59') AS diff_one
FROM RDB$DATABASE;

-- Parts out of range carry as DATEADD would; fractions of a second stay.
SELECT UDF_TODATE(2002, 15, 1) AS month_15, UDF_TODATE(2002, 25, 1) AS month_25,
       UDF_TODATE(2002, -20, 1) AS month_minus_20, UDF_TODATETIME(2002, 6, 21, 25, 0, 0) AS hour_25,
       UDF_TODATETIME(2002, 6, 21, 23, 59, 60) AS second_60, UDF_TOTIME(0, 0, -1) AS second_minus_1,
       UDF_TOTIME(10, 7680, 15) AS minute_7680, UDF_JDATE('2002/6/21 25:00') AS jdate_hour_25,
       UDF_JDATE('2002/15/1') AS jdate_month_15
FROM RDB$DATABASE;
SELECT UDF_ADDDATE(TIMESTAMP '2002-01-31 08:00:00.1234', 0, 0, 1) AS adddate_fraction,
       UDF_ADDTIME(TIMESTAMP '2002-01-31 08:00:00.1234', 0, 0, 1) AS addtime_fraction,
       UDF_JOINDATETIME(TIMESTAMP '2002-06-21 00:00:00', TIMESTAMP '2002-01-31 08:00:00.1234') AS join_fraction
FROM RDB$DATABASE;

-- Offsets at the 32-bit limits: a date, or a date the server refuses
-- cleanly, never a fault.
SELECT UDF_GETHOUR(UDF_ADDTIME(TIMESTAMP '2002-06-21 00:00:00', 0, 0, 2147483647)) AS far_hour
FROM RDB$DATABASE;
SELECT UDF_ADDDATE(TIMESTAMP '2002-06-21 00:00:00', 2147483647, 2147483647, 2147483647) AS far_date
FROM RDB$DATABASE;
SELECT UDF_GETSEC(TIMESTAMP '2002-06-21 00:00:59') AS after_far FROM RDB$DATABASE;

-- 4000 days from 1998 to 2008, every one against the engine.  The steps
-- are INTEGER: the Windows 4.0 engines of the matrix (mingw builds) miscompute
-- BIGINT products.
CREATE TABLE days (d TIMESTAMP);
COMMIT;
INSERT INTO days
WITH RECURSIVE r (n) AS (SELECT 0 FROM RDB$DATABASE UNION ALL SELECT CAST(n + 1 AS INTEGER) FROM r WHERE n < 99)
SELECT DATEADD(a.n * 100 + b.n DAY TO TIMESTAMP '1998-01-01 13:14:15') FROM r a CROSS JOIN r b
WHERE a.n < 40;
SELECT COUNT(*) AS days,
       SUM(IIF(UDF_DIFFDAY(d, TIMESTAMP '2000-02-29 23:00:00') = DATEDIFF(DAY FROM CAST('2000-02-29' AS DATE) TO CAST(d AS DATE)), 1, 0)) AS diffday_agrees,
       SUM(IIF(UDF_DAYOFWEEK(d) = EXTRACT(WEEKDAY FROM d), 1, 0)) AS weekday_agrees,
       SUM(IIF(UDF_TODATETIME(UDF_GETYEAR(d), UDF_GETMON(d), UDF_GETDAY(d), UDF_GETHOUR(d), UDF_GETMIN(d), UDF_GETSEC(d)) = d, 1, 0)) AS rebuilt_agrees,
       SUM(IIF(UDF_ADDDATE(d, 0, 0, 30) = DATEADD(30 DAY TO d), 1, 0)) AS adddate_agrees,
       SUM(IIF(UDF_ADDTIME(d, 0, 0, -86401) = DATEADD(-86401 SECOND TO d), 1, 0)) AS addtime_agrees
FROM days;

-- Typed texts.  Parts the text leaves out come from today's date.
SELECT UDF_JDATE('2002/6/21') AS slashes, UDF_JDATE('2002-06-21 10:30:15') AS dashes_time,
       UDF_JDATE('  2002 / 06 / 21  10:30  ') AS blanks, UDF_JDATE('2002/06/21 10') AS hour_after_blank,
       UDF_JDATE('2002//21') AS month_0
FROM RDB$DATABASE;
SELECT IIF(CAST(UDF_JDATE('6/21') AS DATE) = CAST(EXTRACT(YEAR FROM CURRENT_DATE) || '-06-21' AS DATE), 'yes', 'no') AS month_day,
       IIF(CAST(UDF_JDATE('') AS DATE) = CURRENT_DATE, 'yes', 'no') AS empty_is_today,
       IIF(UDF_JDATE('10:30') = DATEADD(630 MINUTE TO CAST(CURRENT_DATE AS TIMESTAMP)), 'yes', 'no') AS time_only
FROM RDB$DATABASE;
