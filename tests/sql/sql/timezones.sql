-- needs: timezones
-- Firebird 4 and later: a TIMESTAMP WITH TIME ZONE argument reaches the
-- functions converted to the session's time zone, as the server converts
-- it to TIMESTAMP; a TIME WITH TIME ZONE likewise.
SET LIST ON;
SET TIME ZONE '+00:00';
SELECT UDF_GETHOUR(TIMESTAMP '2002-06-21 10:30:00 +05:00') AS hour_from_plus_5,
       UDF_GETDAY(TIMESTAMP '2002-06-21 01:30:00 +05:00') AS day_from_plus_5,
       UDF_ADDTIME(TIMESTAMP '2002-06-21 23:30:00 -02:00', 0, 30, 0) AS shifted,
       UDF_DIFFDAY(TIMESTAMP '2002-06-22 01:00:00 +02:00', TIMESTAMP '2002-06-21 23:00:00 +00:00') AS days
FROM RDB$DATABASE;
SET TIME ZONE '+09:00';
SELECT UDF_GETHOUR(TIMESTAMP '2002-06-21 10:30:00 +05:00') AS hour_in_tokyo,
       IIF(UDF_GETHOUR(CURRENT_TIMESTAMP) = EXTRACT(HOUR FROM LOCALTIMESTAMP), 'yes', 'no') AS current_is_local
FROM RDB$DATABASE;
