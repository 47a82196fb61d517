/* kovudf_modules.sql - the legacy modules a database's declarations name,
   kovudf's and other libraries' (ib_udf, ...), with the directory the
   server looks for each in.  Run it on the old server before the backup;
   it changes nothing, and runs on Firebird 2.5 and later in either dialect:

       isql -i kovudf_modules.sql <database>

   DIRECTORY is the server's UDF directory for a bare name (kovudf,
   kovudf.dll, ib_udf), else the directory the name gives.  While the
   database is restored and migrated, the new server's UdfAccess allows
   these directories (Restrict dir1;dir2), each holding only the old
   modules; docs/upgrading.md says how.  A Windows path (C:\...) is a
   directory on a Windows server only: on Linux the whole name is a file
   name in the UDF directory. */

SET LIST ON;
SELECT TRIM(RDB$MODULE_NAME) AS MODULE,
       CASE WHEN POSITION('/' IN REPLACE(TRIM(RDB$MODULE_NAME), '\', '/')) = 0 THEN 'UDF'
            ELSE LEFT(TRIM(RDB$MODULE_NAME), CHAR_LENGTH(TRIM(RDB$MODULE_NAME)) -
                      POSITION('/' IN REVERSE(REPLACE(TRIM(RDB$MODULE_NAME), '\', '/'))))
       END AS DIRECTORY,
       CASE WHEN '/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf'
              OR '/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf.dll'
              OR '/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf.so'
            THEN 'kovudf' ELSE 'another library' END AS LIBRARY,
       COUNT(*) AS FUNCTIONS
FROM RDB$FUNCTIONS
WHERE RDB$MODULE_NAME IS NOT NULL AND COALESCE(RDB$SYSTEM_FLAG, 0) = 0
GROUP BY 1, 2, 3
ORDER BY 2, 1;
