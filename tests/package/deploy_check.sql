-- A few calls from every family on a server that loads kovudf from where a
-- release artefact put it.  The same output is expected from the legacy
-- functions and from the routines, on every server.  (Long texts are cast
-- short: Firebird 2.5 limits a statement's message to 64 KB.)
SET LIST ON;

SELECT UDF_TRIM('  kovudf  ') AS trimmed,
       UDF_SUBSTR('abcdef', 2, 3) AS part,
       UDF_STRLEN('abc') AS length_abc,
       UDF_VSTRCMP('abc', 'abd') AS order_abc_abd,
       IIF(UDF_SJISUPPER(x'82818361') = x'82608361', 'yes', 'no') AS fullwidth_upper,
       UDF_SJISLOWER('ABC') AS lower_abc
FROM RDB$DATABASE;

SELECT UDF_BLOBSIZE(UDF_BLOBADDSTR(UDF_STRTOBLOB('abc'), 'de')) AS blob_size,
       CAST(UDF_BLOBSUBSTR(UDF_BLOBCAT(UDF_STRTOBLOB('abc'), UDF_STRTOBLOB('def')), 2, 3) AS VARCHAR(10)) AS blob_part,
       UDF_BLOBINFO(UDF_STRTOBLOB('abcdef')) AS blob_info,
       CAST(UDF_BLOBSUBSTR(UDF_BLOBSJISUPPER(UDF_STRTOBLOB('kovudf')), 0, 10) AS VARCHAR(10)) AS blob_upper
FROM RDB$DATABASE;

SELECT UDF_ROUND(-2.5, 2) AS rounded, UDF_IABS(-5) AS iabs, UDF_ABS(-1.5) AS abs_value,
       UDF_OCT('  +777') AS octal
FROM RDB$DATABASE;

SELECT UDF_ADDDATE(TIMESTAMP '2002-01-31 08:00', 0, 1, 0) AS month_later,
       UDF_TODATETIME(2002, 6, 21, 25, 0, 0) AS carried,
       UDF_DAYOFWEEK(TIMESTAMP '2002-06-21 00:00') AS weekday,
       UDF_DIFFDAY(TIMESTAMP '2002-03-01 00:00', TIMESTAMP '2002-02-28 23:59:59') AS days,
       UDF_JDATE('2002.06.21 10:30') AS typed
FROM RDB$DATABASE;

SELECT UDF_BLOBTOFILE(UDF_STRTOBLOB('written by the server'), '@FILE@', 0) AS written
FROM RDB$DATABASE;
SELECT UDF_BLOBSIZE(UDF_FILETOBLOB('@FILE@')) AS read_back FROM RDB$DATABASE;
