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
   name in the UDF directory.  Servers read a module name only up to its
   first blank (C:\Program Files\... is C:\Program, in C:\): NOTE says so,
   and such a declaration is best renamed on the old server first. */

SET LIST ON;
SELECT MODULE,
       CASE WHEN POSITION('/' IN REPLACE(READ_AS, '\', '/')) = 0 THEN 'UDF'
            WHEN POSITION('/' IN REVERSE(REPLACE(READ_AS, '\', '/'))) = CHAR_LENGTH(READ_AS) - 2
                 AND SUBSTRING(READ_AS FROM 2 FOR 1) = ':' THEN LEFT(READ_AS, 3)
            ELSE LEFT(READ_AS, CHAR_LENGTH(READ_AS) - POSITION('/' IN REVERSE(REPLACE(READ_AS, '\', '/'))))
       END AS DIRECTORY,
       CASE WHEN '/' || LOWER(REPLACE(MODULE, '\', '/')) LIKE '%/kovudf'
              OR '/' || LOWER(REPLACE(MODULE, '\', '/')) LIKE '%/kovudf.dll'
              OR '/' || LOWER(REPLACE(MODULE, '\', '/')) LIKE '%/kovudf.so'
            THEN 'kovudf' ELSE 'another library' END AS LIBRARY,
       COUNT(*) AS FUNCTIONS,
       CASE WHEN READ_AS <> MODULE
            THEN 'servers read it as ' || READ_AS || '; ALTER EXTERNAL FUNCTION name MODULE_NAME ' ||
                 '''kovudf'' (or the file''s own name) mends each of its functions'
            ELSE '' END AS NOTE
FROM (SELECT TRIM(RDB$MODULE_NAME) AS MODULE,
             CASE WHEN POSITION(' ' IN TRIM(RDB$MODULE_NAME)) > 0
                  THEN LEFT(TRIM(RDB$MODULE_NAME), POSITION(' ' IN TRIM(RDB$MODULE_NAME)) - 1)
                  ELSE TRIM(RDB$MODULE_NAME) END AS READ_AS
      FROM RDB$FUNCTIONS
      WHERE RDB$MODULE_NAME IS NOT NULL AND COALESCE(RDB$SYSTEM_FLAG, 0) = 0) m
GROUP BY 1, 2, 3, 5
ORDER BY 2, 1;
