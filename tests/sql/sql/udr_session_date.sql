-- needs: timezones
-- A routine's UDF_JDATE of a text without a date takes today as the
-- session's CURRENT_DATE gives it, in the session's time zone.  At +14:00
-- and at -12:00 the dates are a day or two apart whatever the hour, so the
-- server's own clock cannot match both.
SET LIST ON;
SET TIME ZONE '+14:00';
SELECT IIF(CAST(UDF_JDATE('10:30') AS DATE) = CURRENT_DATE, 'yes', 'no') AS time_only,
       IIF(CAST(UDF_JDATE('21 10:30') AS DATE) = DATEADD(21 - EXTRACT(DAY FROM CURRENT_DATE) DAY TO CURRENT_DATE), 'yes', 'no') AS day_only,
       IIF(EXTRACT(YEAR FROM UDF_JDATE('6/21')) = EXTRACT(YEAR FROM CURRENT_DATE), 'yes', 'no') AS month_day
FROM RDB$DATABASE;
SET TIME ZONE '-12:00';
SELECT IIF(CAST(UDF_JDATE('10:30') AS DATE) = CURRENT_DATE, 'yes', 'no') AS time_only,
       IIF(CAST(UDF_JDATE('') AS DATE) = CURRENT_DATE, 'yes', 'no') AS empty
FROM RDB$DATABASE;
-- A complete date does not ask the session.
SELECT UDF_JDATE('2002/6/21 10:30') AS complete FROM RDB$DATABASE;
