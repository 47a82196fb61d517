-- One pass of a load client: every function over every row, folded into a
-- few numbers that any client must get the same.
SET LIST ON;
SELECT COUNT(*) AS n_rows,
       SUM(UDF_STRLEN(t)) AS strlen, SUM(UDF_VSTRLEN(t)) AS vstrlen,
       HASH(LIST(UDF_SJISUPPER(t) || UDF_SJISLOWER(t), '|')) AS sjis,
       HASH(LIST(UDF_STRCAT(t, UDF_TRIM(t)) || UDF_TRIMLEFT(t) || UDF_TRIMRIGHT(t), '|')) AS cat_trim,
       HASH(LIST(UDF_SUBSTR(t, MOD(id, 9), 5) || UDF_VSUBSTR(t, MOD(id, 4), 7), '|')) AS substr,
       SUM(UDF_VSTRCMP(t, UDF_SJISUPPER(t))) AS vstrcmp,
       SUM(UDF_ABS(x)) AS abs_sum, SUM(UDF_IABS(n) / 1000) AS iabs, SUM(UDF_ROUND(x, MOD(id, 4))) AS rounded,
       SUM(UDF_OCT(n)) AS oct
FROM load_rows;
SELECT HASH(LIST(UDF_ADDDATE(d, MOD(id, 3), MOD(id, 25) - 12, MOD(id, 400)) || UDF_ADDTIME(d, 1, 2, 3), '|')) AS shifted,
       HASH(LIST(UDF_TODATETIME(UDF_GETYEAR(d), UDF_GETMON(d), UDF_GETDAY(d), UDF_GETHOUR(d), UDF_GETMIN(d), UDF_GETSEC(d))
                 || UDF_TODATE(2002, MOD(id, 30) - 5, MOD(id, 40)) || UDF_TOTIME(MOD(id, 30), MOD(id, 70), 0), '|')) AS built,
       HASH(LIST(UDF_JOINDATETIME(d, UDF_TOTIME(1, 2, 3)) || UDF_JDATE('2002/6/' || MOD(id, 40) || ' 10:' || MOD(id, 70)), '|')) AS joined,
       SUM(UDF_DAYOFWEEK(d)) AS dow, SUM(UDF_DIFFDAY(d, TIMESTAMP '2002-06-21 00:00:00') / 1000) AS diffday
FROM load_rows;
SELECT SUM(UDF_BLOBSIZE(b)) AS blobsize, HASH(LIST(UDF_BLOBINFO(b), '|')) AS info,
       SUM(OCTET_LENGTH(UDF_BLOBCAT(b, bt))) AS cat_len,
       HASH(LIST(HASH(UDF_BLOBSJISUPPER(bt)) || '.' || HASH(UDF_BLOBSJISLOWER(b)), '|')) AS blob_sjis,
       HASH(LIST(UDF_BLOBSUBSTR(b, MOD(id, 5000), 40) || UDF_BLOBVSUBSTR(bt, 2, 5), '|')) AS blob_sub,
       SUM(OCTET_LENGTH(UDF_BLOBADDSTR(bt, t))) AS addstr, SUM(OCTET_LENGTH(UDF_STRTOBLOB(t))) AS strtoblob,
       SUM(UDF_BLOBTOFILE(bt, '/dev/null', 0)) AS to_file, SUM(OCTET_LENGTH(UDF_FILETOBLOB('@SOURCE@'))) AS from_file
FROM load_rows;
