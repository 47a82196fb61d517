-- Every legacy function (UDF_*) against its external-routine twin (UDR_*)
-- over every row: each column counts the rows where they disagree, so every
-- count must be 0.  Where the twins differ by design (SQL NULL in a number
-- or text argument gives NULL from a routine, 0 from a legacy function) the
-- legacy result is mapped first.  Date offsets point toward the middle of
-- the calendar, so that no result leaves 0001..9999.  Products are of
-- INTEGERs: a Windows engine of the matrix (a mingw build) miscomputes
-- BIGINT ones.
SET LIST ON;
SELECT COUNT(*) AS rows_compared FROM rows_in;

SELECT
    SUM(IIF(IIF(t IS NULL, NULL, UDF_STRLEN(t)) IS DISTINCT FROM UDR_STRLEN(t), 1, 0)) AS strlen,
    SUM(IIF(IIF(t IS NULL, NULL, UDF_VSTRLEN(t)) IS DISTINCT FROM UDR_VSTRLEN(t), 1, 0)) AS vstrlen,
    SUM(IIF(UDF_SJISUPPER(t) IS DISTINCT FROM UDR_SJISUPPER(t), 1, 0)) AS sjisupper,
    SUM(IIF(UDF_SJISLOWER(t) IS DISTINCT FROM UDR_SJISLOWER(t), 1, 0)) AS sjislower,
    SUM(IIF(UDF_STRCAT(t, t2) IS DISTINCT FROM UDR_STRCAT(t, t2), 1, 0)) AS strcat,
    SUM(IIF(UDF_SUBSTR(t, MOD(id, 40) - 3, s) IS DISTINCT FROM UDR_SUBSTR(t, MOD(id, 40) - 3, s), 1, 0)) AS substr,
    SUM(IIF(UDF_VSUBSTR(t, MOD(id, 9), MOD(id, 300)) IS DISTINCT FROM UDR_VSUBSTR(t, MOD(id, 9), MOD(id, 300)), 1, 0)) AS vsubstr,
    SUM(IIF(UDF_TRIM(t) IS DISTINCT FROM UDR_TRIM(t), 1, 0)) AS trim_both,
    SUM(IIF(UDF_TRIMLEFT(t) IS DISTINCT FROM UDR_TRIMLEFT(t), 1, 0)) AS trimleft,
    SUM(IIF(UDF_TRIMRIGHT(t) IS DISTINCT FROM UDR_TRIMRIGHT(t), 1, 0)) AS trimright,
    SUM(IIF(IIF(t IS NULL OR t2 IS NULL, NULL, UDF_VSTRCMP(t, t2)) IS DISTINCT FROM UDR_VSTRCMP(t, t2), 1, 0)) AS vstrcmp
FROM rows_in;

SELECT
    SUM(IIF(IIF(x IS NULL, NULL, UDF_ABS(x)) IS DISTINCT FROM UDR_ABS(x), 1, 0)) AS abs_double,
    SUM(IIF(IIF(n IS NULL, NULL, UDF_IABS(n)) IS DISTINCT FROM UDR_IABS(n), 1, 0)) AS iabs,
    SUM(IIF(IIF(x IS NULL, NULL, UDF_ROUND(x, MOD(id, 5) - 1)) IS DISTINCT FROM UDR_ROUND(x, MOD(id, 5) - 1), 1, 0)) AS round_modes,
    SUM(IIF(IIF(o IS NULL, NULL, UDF_OCT(o)) IS DISTINCT FROM UDR_OCT(o), 1, 0)) AS oct
FROM rows_in;

SELECT
    SUM(IIF(UDF_ADDDATE(d, IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(id, 50), IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(id, 61), IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(CAST(id * 7 AS INTEGER), 2001))
            IS DISTINCT FROM UDR_ADDDATE(d, IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(id, 50), IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(id, 61), IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(CAST(id * 7 AS INTEGER), 2001)), 1, 0)) AS adddate,
    SUM(IIF(UDF_ADDTIME(d, IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(id, 100), IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(id, 200), IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(CAST(id * 13 AS INTEGER), 200001))
            IS DISTINCT FROM UDR_ADDTIME(d, IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(id, 100), IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(id, 200), IIF(EXTRACT(YEAR FROM d) < 5000, 1, -1) * MOD(CAST(id * 13 AS INTEGER), 200001)), 1, 0)) AS addtime,
    SUM(IIF(UDF_JDATE(jd) IS DISTINCT FROM UDR_JDATE(jd), 1, 0)) AS jdate,
    SUM(IIF(UDF_TODATETIME(100 + MOD(id, 9000), MOD(id, 51) - 20, MOD(id, 101) - 40, MOD(id, 50) - 10, MOD(id, 130) - 30, MOD(id, 200) - 50)
            IS DISTINCT FROM UDR_TODATETIME(100 + MOD(id, 9000), MOD(id, 51) - 20, MOD(id, 101) - 40, MOD(id, 50) - 10, MOD(id, 130) - 30, MOD(id, 200) - 50), 1, 0)) AS todatetime,
    SUM(IIF(UDF_TODATE(100 + MOD(id, 9000), MOD(id, 51) - 20, MOD(id, 101) - 40)
            IS DISTINCT FROM UDR_TODATE(100 + MOD(id, 9000), MOD(id, 51) - 20, MOD(id, 101) - 40), 1, 0)) AS todate,
    SUM(IIF(UDF_TOTIME(s / 2, s, s) IS DISTINCT FROM UDR_TOTIME(s / 2, s, s), 1, 0)) AS totime,
    SUM(IIF(UDF_JOINDATETIME(d, DATEADD(id SECOND TO d)) IS DISTINCT FROM UDR_JOINDATETIME(d, DATEADD(id SECOND TO d)), 1, 0)) AS joindatetime,
    SUM(IIF(IIF(d IS NULL, NULL, UDF_GETYEAR(d)) IS DISTINCT FROM UDR_GETYEAR(d), 1, 0)) AS getyear,
    SUM(IIF(IIF(d IS NULL, NULL, UDF_GETMON(d)) IS DISTINCT FROM UDR_GETMON(d), 1, 0)) AS getmon,
    SUM(IIF(IIF(d IS NULL, NULL, UDF_GETDAY(d)) IS DISTINCT FROM UDR_GETDAY(d), 1, 0)) AS getday,
    SUM(IIF(IIF(d IS NULL, NULL, UDF_GETHOUR(d)) IS DISTINCT FROM UDR_GETHOUR(d), 1, 0)) AS gethour,
    SUM(IIF(IIF(d IS NULL, NULL, UDF_GETMIN(d)) IS DISTINCT FROM UDR_GETMIN(d), 1, 0)) AS getmin,
    SUM(IIF(IIF(d IS NULL, NULL, UDF_GETSEC(d)) IS DISTINCT FROM UDR_GETSEC(d), 1, 0)) AS getsec,
    SUM(IIF(IIF(d IS NULL, NULL, UDF_DAYOFWEEK(d)) IS DISTINCT FROM UDR_DAYOFWEEK(d), 1, 0)) AS dayofweek,
    SUM(IIF(IIF(d IS NULL, NULL, UDF_DIFFDAY(d, TIMESTAMP '2002-06-21 12:00:00')) IS DISTINCT FROM UDR_DIFFDAY(d, TIMESTAMP '2002-06-21 12:00:00'), 1, 0)) AS diffday
FROM rows_in;

SELECT
    SUM(IIF(UDF_BLOBINFO(b) IS DISTINCT FROM UDR_BLOBINFO(b), 1, 0)) AS blobinfo,
    SUM(IIF(UDF_BLOBSIZE(b) IS DISTINCT FROM UDR_BLOBSIZE(b), 1, 0)) AS blobsize,
    SUM(IIF(HASH(UDF_BLOBCAT(b, bt)) IS DISTINCT FROM HASH(UDR_BLOBCAT(b, bt)), 1, 0)) AS blobcat,
    SUM(IIF(IIF(t IS NULL, NULL, HASH(UDF_STRTOBLOB(t))) IS DISTINCT FROM HASH(UDR_STRTOBLOB(t)), 1, 0)) AS strtoblob,
    SUM(IIF(HASH(UDF_BLOBADDSTR(b, t)) IS DISTINCT FROM HASH(UDR_BLOBADDSTR(b, t)), 1, 0)) AS blobaddstr,
    SUM(IIF(UDF_BLOBSUBSTR(b, MOD(id * 101, 30000) - 5, MOD(id, 400)) IS DISTINCT FROM UDR_BLOBSUBSTR(b, MOD(id * 101, 30000) - 5, MOD(id, 400)), 1, 0)) AS blobsubstr,
    SUM(IIF(UDF_BLOBVSUBSTR(bt, MOD(id, 20), MOD(id, 30)) IS DISTINCT FROM UDR_BLOBVSUBSTR(bt, MOD(id, 20), MOD(id, 30)), 1, 0)) AS blobvsubstr,
    SUM(IIF(HASH(UDF_BLOBSJISUPPER(b)) IS DISTINCT FROM HASH(UDR_BLOBSJISUPPER(b)), 1, 0)) AS blobsjisupper,
    SUM(IIF(HASH(UDF_BLOBSJISLOWER(bt)) IS DISTINCT FROM HASH(UDR_BLOBSJISLOWER(bt)), 1, 0)) AS blobsjislower,
    SUM(IIF(UDF_BLOBTOFILE(b, '/dev/null', id) IS DISTINCT FROM UDR_BLOBTOFILE(b, '/dev/null', id), 1, 0)) AS blobtofile,
    SUM(IIF(HASH(UDF_FILETOBLOB('@SOURCE@')) IS DISTINCT FROM HASH(UDR_FILETOBLOB('@SOURCE@')), 1, 0)) AS filetoblob
FROM rows_in;
