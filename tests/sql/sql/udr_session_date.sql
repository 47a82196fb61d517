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
-- Today is the calling statement's CURRENT_DATE, across a zone changed
-- while it runs; a declaration without TODAY asks the session in a message
-- of its own (SET BIND aside), as a view compiled before TODAY does.
SET TIME ZONE '+14:00';
SET TERM ^ ;
EXECUTE BLOCK RETURNS (zones VARCHAR(10)) AS
BEGIN
    zones = IIF(CAST(UDF_JDATE('10:30') AS DATE) = CURRENT_DATE, 'yes', 'no');
    EXECUTE STATEMENT 'SET TIME ZONE ''-12:00''';
    zones = zones || IIF(CAST(UDF_JDATE('10:30') AS DATE) = CURRENT_DATE, ' yes', ' no');
    SUSPEND;
END^
SET TERM ; ^
CREATE FUNCTION JDATE_OWN (T VARCHAR(40)) RETURNS TIMESTAMP EXTERNAL NAME 'kovudf!JDate' ENGINE UDR;
CREATE VIEW JDATE_VIEW AS SELECT JDATE_OWN('10:30') AS J FROM RDB$DATABASE;
ALTER FUNCTION JDATE_OWN (T VARCHAR(40), TODAY DATE DEFAULT CURRENT_DATE) RETURNS TIMESTAMP
    EXTERNAL NAME 'kovudf!JDate' ENGINE UDR;
COMMIT;
SET BIND OF SMALLINT TO INTEGER;
SELECT IIF(CAST(J AS DATE) = CURRENT_DATE, 'yes', 'no') AS compiled_before FROM JDATE_VIEW;
SET BIND OF SMALLINT TO NATIVE;
-- A complete date does not ask the session.
SELECT UDF_JDATE('2002/6/21 10:30') AS complete FROM RDB$DATABASE;
-- A result declared WITH TIME ZONE is the wall-clock time in the session's
-- zone: on the range's first day, which may lie before year 1 in UTC, an
-- error naming the function.  A WITH TIME ZONE argument reaches UDF_ADDTIME
-- as the session's wall-clock time: across a change to winter time it adds
-- wall-clock hours, where DATEADD adds elapsed ones.
CREATE FUNCTION TODATE_TZ (Y SMALLINT, M SMALLINT, D SMALLINT) RETURNS TIMESTAMP WITH TIME ZONE
    EXTERNAL NAME 'kovudf!ToDate' ENGINE UDR;
COMMIT;
SET TIME ZONE 'Asia/Tokyo';
SELECT TODATE_TZ(1, 1, 1) AS first_day FROM RDB$DATABASE;
SELECT TODATE_TZ(1, 1, 2) AS second_day FROM RDB$DATABASE;
SET TIME ZONE 'America/New_York';
SELECT UDF_ADDTIME(TIMESTAMP '2002-10-27 01:30 America/New_York', 1, 0, 0) AS wall_clock_hour,
       DATEADD(1 HOUR TO TIMESTAMP '2002-10-27 01:30 America/New_York') AS elapsed_hour
FROM RDB$DATABASE;
