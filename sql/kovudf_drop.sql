/* kovudf_drop.sql - removes every kovudf function from a database,
   including the file functions of kovudf_files.sql when they are declared.
   Functions that are not declared are skipped. */

SET TERM ^ ;
EXECUTE BLOCK AS
    DECLARE name VARCHAR(63);
BEGIN
    FOR SELECT TRIM(RDB$FUNCTION_NAME) FROM RDB$FUNCTIONS
        WHERE RDB$MODULE_NAME = 'kovudf' AND RDB$PACKAGE_NAME IS NULL
        INTO :name
    DO
        EXECUTE STATEMENT 'DROP EXTERNAL FUNCTION ' || name;
END^
SET TERM ; ^

COMMIT;
