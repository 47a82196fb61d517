/* kovudf_drop.sql - removes every kovudf function from a database: the
   legacy declarations, whatever their names and however the module is
   spelt, and the external routines alike.  A function still used by a
   view, procedure or trigger cannot be dropped until that user is
   changed. */

SET TERM ^ ;
EXECUTE BLOCK AS
    DECLARE name VARCHAR(63) CHARACTER SET UTF8;
    DECLARE dialect SMALLINT;
BEGIN
    SELECT MON$SQL_DIALECT FROM MON$DATABASE INTO dialect;
    FOR SELECT TRIM(TRAILING FROM RDB$FUNCTION_NAME) FROM RDB$FUNCTIONS
        WHERE RDB$PACKAGE_NAME IS NULL
          AND ((RDB$ENGINE_NAME IS NULL
                    AND ('/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf'
                         OR '/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf.dll'
                         OR '/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf.so'))
                   OR (RDB$ENGINE_NAME = 'UDR' AND RDB$ENTRYPOINT STARTING WITH 'kovudf!'))
        INTO :name
    DO
        EXECUTE STATEMENT 'DROP FUNCTION ' ||
            IIF(dialect = 1, name, '"' || REPLACE(name, '"', '""') || '"');
END^
SET TERM ; ^

COMMIT;
