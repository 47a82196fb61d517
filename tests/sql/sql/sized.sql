SET LIST ON;

-- Every text argument at its declared length, and one character past it.
-- The lengths come from the declarations in the database, so each front
-- (and each character set) is tried at its own sizes: at the length the
-- call gives the value shown, past it the server refuses the argument
-- (SQLSTATE 22001) before the function runs.  @N stands for the length.
-- A text the server's own SQL cannot make (Firebird 2.5 makes none longer
-- than 32,765 bytes) shows the server's refusal instead.
CREATE TABLE sized_calls (id INTEGER, fn VARCHAR(31), arg SMALLINT, call_sql VARCHAR(200));
COMMIT;
INSERT INTO sized_calls VALUES (1, 'UDF_STRLEN', 1, 'UDF_STRLEN(LPAD('''', @N, ''a'')) - @N');
INSERT INTO sized_calls VALUES (2, 'UDF_VSTRLEN', 1, 'UDF_VSTRLEN(LPAD('''', @N, ''a'')) - @N');
INSERT INTO sized_calls VALUES (3, 'UDF_STRCAT', 1, 'CHAR_LENGTH(UDF_STRCAT(LPAD('''', @N, ''a''), LPAD('''', @N, ''b''))) - 2 * @N');
INSERT INTO sized_calls VALUES (4, 'UDF_SUBSTR', 1, 'CHAR_LENGTH(UDF_SUBSTR(LPAD('''', @N, ''a''), 0, 32767)) - @N');
INSERT INTO sized_calls VALUES (5, 'UDF_VSUBSTR', 1, 'CHAR_LENGTH(UDF_VSUBSTR(LPAD('''', @N, ''a''), 1, 32767)) - @N');
INSERT INTO sized_calls VALUES (6, 'UDF_VSTRCMP', 1, 'UDF_VSTRCMP(LPAD('''', @N, ''a''), LPAD('''', @N, ''a''))');
INSERT INTO sized_calls VALUES (7, 'UDF_SJISUPPER', 1, 'CHAR_LENGTH(UDF_SJISUPPER(LPAD('''', @N, ''a''))) - @N');
INSERT INTO sized_calls VALUES (8, 'UDF_TRIM', 1, 'CHAR_LENGTH(UDF_TRIM(LPAD(''x'', @N, '' ''))) - 1');
INSERT INTO sized_calls VALUES (9, 'UDF_OCT', 1, 'UDF_OCT(LPAD('''', @N, ''7''))');
INSERT INTO sized_calls VALUES (10, 'UDF_STRTOBLOB', 1, 'UDF_BLOBSIZE(UDF_STRTOBLOB(LPAD('''', @N, ''z''))) - @N');
INSERT INTO sized_calls VALUES (11, 'UDF_BLOBADDSTR', 2, 'UDF_BLOBSIZE(UDF_BLOBADDSTR(NULL, LPAD('''', @N, ''z''))) - @N');
INSERT INTO sized_calls VALUES (12, 'UDF_JDATE', 1, 'EXTRACT(DAY FROM UDF_JDATE(LPAD(''2002/6/21'', @N, '' '')))');
INSERT INTO sized_calls VALUES (13, 'UDF_FILETOBLOB', 1, 'UDF_BLOBSIZE(UDF_FILETOBLOB(LPAD(''/'', @N, ''/'')))');
COMMIT;
SET TERM ^ ;
EXECUTE BLOCK RETURNS (call_sql VARCHAR(200), at_size VARCHAR(20), past_size VARCHAR(20)) AS
    DECLARE fn VARCHAR(31);
    DECLARE arg SMALLINT;
    DECLARE n INTEGER;
BEGIN
    FOR SELECT fn, arg, call_sql FROM sized_calls ORDER BY id INTO fn, arg, call_sql DO
    BEGIN
        -- A legacy function's argument carries its length; a routine's
        -- takes it from a field of its own.
        n = NULL;
        SELECT COALESCE(RDB$CHARACTER_LENGTH, RDB$FIELD_LENGTH) FROM RDB$FUNCTION_ARGUMENTS
            WHERE RDB$FUNCTION_NAME = :fn AND RDB$ARGUMENT_POSITION = :arg INTO n;
        IF (n IS NULL) THEN
            EXECUTE STATEMENT ('SELECT f.RDB$CHARACTER_LENGTH FROM RDB$FUNCTION_ARGUMENTS a '
                || 'JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = a.RDB$FIELD_SOURCE '
                || 'WHERE a.RDB$FUNCTION_NAME = ? AND a.RDB$ARGUMENT_POSITION = ?') (fn, arg)
                INTO n;
        BEGIN
            EXECUTE STATEMENT 'SELECT ' || REPLACE(call_sql, '@N', n) || ' FROM RDB$DATABASE'
                INTO at_size;
            WHEN ANY DO at_size = 'refused, ' || SQLSTATE;
        END
        BEGIN
            EXECUTE STATEMENT 'SELECT ' || REPLACE(call_sql, '@N', n + 1) || ' FROM RDB$DATABASE'
                INTO past_size;
            past_size = 'accepted';
            WHEN ANY DO past_size = 'refused, ' || SQLSTATE;
        END
        SUSPEND;
    END
END^
SET TERM ; ^
