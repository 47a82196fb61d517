/* kovudf_drop.sql - removes every kovudf function from a database: the
   legacy declarations (kovudf.sql, kovudf_files.sql) and the external
   routines (kovudf_udr.sql, kovudf_udr_files.sql) alike.  Functions that
   are not declared are skipped; a function still used by a view, procedure
   or trigger cannot be dropped until that user is changed. */

SET TERM ^ ;
EXECUTE BLOCK AS
    DECLARE name VARCHAR(63);
BEGIN
    FOR SELECT TRIM(RDB$FUNCTION_NAME) FROM RDB$FUNCTIONS
        WHERE RDB$PACKAGE_NAME IS NULL
          AND (RDB$MODULE_NAME = 'kovudf'
               OR (RDB$ENGINE_NAME = 'UDR' AND RDB$ENTRYPOINT STARTING WITH 'kovudf!'))
        INTO :name
    DO
        EXECUTE STATEMENT 'DROP FUNCTION ' || name;
END^
SET TERM ; ^

COMMIT;
