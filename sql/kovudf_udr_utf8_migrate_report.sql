/* kovudf_udr_utf8_migrate_report.sql - what kovudf_udr_utf8_migrate.sql
   would change in a database; it changes nothing.

   It finds every legacy declaration of the kovudf module's entry points by
   entry point and module, whatever its SQL name and however the module is
   spelt (kovudf, KOVUDF, kovudf.dll, kovudf.so, a path).  Each becomes the
   external routine of the same entry point under its own name, with its
   own parameter types, sizes and character sets and its own result:
   CSTRING becomes VARCHAR of the same length, and a BLOB returned through
   RETURNS PARAMETER n becomes the BLOB result.

   For a UTF8 database whose legacy declarations name CHARACTER SET NONE, as
   kovudf.sql's do: such texts become UTF8, and the BLOBs built, cut or
   case-mapped text BLOBs in UTF8, as kovudf_udr_utf8.sql declares them.

   Views, procedures and triggers that call the functions keep working; a
   view with a column of a legacy CSTRING result is made anew from its own
   text, as Firebird 6 knows no CSTRING columns.  An index whose expression
   or partial condition calls a function that moves (directly, or through a
   computed column, a PSQL function, a procedure or a package) is built anew
   from the routine's results, and made active if a restore that could not
   compute it left it inactive; one made inactive on purpose stays so where
   the server tells the two apart (Firebird 5 and later).  Whole
   numbers keep their declared types, SMALLINT to INT128.  Every CHECK,
   domain CHECK and UNIQUE expression or partial index that calls a
   function that moves is tried on every row first, with a probe routine
   made and dropped within the run: while a row would fail one, or two rows
   share a key, the migration names them and changes nothing.  It works in
   dialects 1 and 3, on Firebird 3 and later, and may run again: routines are
   left as they are.  A declaration the routine cannot take as it stands (a
   number where the entry point reads a text, a number result returned by
   reference, fewer parameters than the entry point reads, ...) is named with
   what a legacy server made of it, and while there is one the migration
   changes nothing.  Its last line says what it changed and that it was
   committed.

   Firebird's background garbage collector crashes the server on an index
   key computed by an external routine, so while a SuperServer collects
   this database in the background (GCPolicy background or combined, its
   default) a database with such an index is left as it is: the report and
   the migration name the indexes and the databases.conf entry that makes
   the collection cooperative.

   Read first:    isql-fb -i kovudf_udr_utf8_migrate_report.sql <database>
   Then change:   isql-fb -i kovudf_udr_utf8_migrate.sql <database>

   The module libkovudf.so (kovudf.dll) must be in the server's UDR
   directory first.  Run it with the application stopped: rebuilding an
   index needs its table unused.  The way back is a backup taken before:
       gbak -b <database> before_udr.fbk        (before the migration)
       gbak -rep before_udr.fbk <database>      (to return to the legacy UDFs)
   The server cannot turn an external routine back into a legacy function in
   place (ALTER EXTERNAL FUNCTION refuses a routine).  docs/upgrading.md is
   the whole way, from the old server's backup. */

SET LIST ON;
SET TERM ^ ;
EXECUTE BLOCK RETURNS (report VARCHAR(8000) CHARACTER SET UTF8) AS
    DECLARE migrate BOOLEAN = FALSE;
    DECLARE dialect SMALLINT;
    DECLARE pass SMALLINT = 1;
    DECLARE name VARCHAR(63) CHARACTER SET UTF8;
    DECLARE quoted VARCHAR(130) CHARACTER SET UTF8;
    DECLARE module VARCHAR(255) CHARACTER SET UTF8;
    DECLARE entry VARCHAR(255) CHARACTER SET UTF8;
    DECLARE engine VARCHAR(63) CHARACTER SET UTF8;
    DECLARE returned SMALLINT;
    DECLARE routine VARCHAR(31);
    DECLARE kinds VARCHAR(8);
    DECLARE result_kind CHAR(1);
    DECLARE own BOOLEAN;
    DECLARE plain BOOLEAN;
    DECLARE char_at SMALLINT;
    DECLARE p1 VARCHAR(20);
    DECLARE p2 VARCHAR(20);
    DECLARE p3 VARCHAR(20);
    DECLARE p4 VARCHAR(20);
    DECLARE p5 VARCHAR(20);
    DECLARE p6 VARCHAR(20);
    DECLARE argument_at SMALLINT;
    DECLARE declared_count SMALLINT;
    DECLARE mechanism SMALLINT;
    DECLARE field_type SMALLINT;
    DECLARE num_scale SMALLINT;
    DECLARE byte_count INTEGER;
    DECLARE blob_type SMALLINT;
    DECLARE charset_id SMALLINT;
    DECLARE char_count INTEGER;
    DECLARE sql_type VARCHAR(200) CHARACTER SET UTF8;
    DECLARE why VARCHAR(1000) CHARACTER SET UTF8;
    DECLARE parameters VARCHAR(2000) CHARACTER SET UTF8;
    -- How the legacy function took each NULL argument: 0 an empty text, 0
    -- or the zero date (no NULL keyword), n a NULL (the keyword).
    DECLARE nulls VARCHAR(10);
    DECLARE result_type VARCHAR(200) CHARACTER SET UTF8;
    DECLARE column_name VARCHAR(63) CHARACTER SET UTF8;
    DECLARE column_list VARCHAR(8000) CHARACTER SET UTF8;
    DECLARE view_text BLOB SUB_TYPE TEXT CHARACTER SET UTF8;
    DECLARE move_count INTEGER = 0;
    DECLARE routine_count INTEGER = 0;
    DECLARE view_count INTEGER = 0;
    DECLARE misfit_count INTEGER = 0;
    DECLARE misfit_list VARCHAR(7000) CHARACTER SET UTF8 = '';
    -- The names of the functions that move, each between two separators.
    DECLARE sep CHAR(1) CHARACTER SET UTF8;
    DECLARE moved VARCHAR(8000) CHARACTER SET UTF8;
    DECLARE relation VARCHAR(63) CHARACTER SET UTF8;
    DECLARE inactive SMALLINT;
    DECLARE uses_moved BOOLEAN;
    DECLARE index_count INTEGER = 0;
    DECLARE activated_count INTEGER = 0;
    DECLARE left_count INTEGER = 0;
    DECLARE kept_off_count INTEGER = 0;
    DECLARE engine_major SMALLINT;
    -- How the server collects this database's garbage, where that puts it
    -- at risk: NULL when collected cooperatively, '?' when it cannot tell.
    DECLARE gc_policy VARCHAR(255) CHARACTER SET UTF8;
    DECLARE server_mode VARCHAR(255) CHARACTER SET UTF8;
    DECLARE collector VARCHAR(255) CHARACTER SET UTF8;
    DECLARE database_file VARCHAR(255) CHARACTER SET UTF8;
    DECLARE index_list VARCHAR(4000) CHARACTER SET UTF8 = '';
    DECLARE gc_stop VARCHAR(6000) CHARACTER SET UTF8;
    -- Each function that moves has a probe, a routine under a name of its
    -- own made as the function will be, for the constraints and UNIQUE
    -- indexes to be tried with before anything changes: sep NAME sep #n sep
    -- for the probe KOVUDF$PROBE_n.
    DECLARE probe_map VARCHAR(8000) CHARACTER SET UTF8;
    DECLARE probe_error INTEGER;
    DECLARE rule_kind VARCHAR(20);
    DECLARE rule_name VARCHAR(300) CHARACTER SET UTF8;
    DECLARE rule_text VARCHAR(8000) CHARACTER SET UTF8;
    DECLARE probe_text VARCHAR(8000) CHARACTER SET UTF8;
    DECLARE condition_text VARCHAR(8000) CHARACTER SET UTF8;
    DECLARE probe_condition VARCHAR(8000) CHARACTER SET UTF8;
    DECLARE unique_flag SMALLINT;
    DECLARE key_text VARCHAR(2000) CHARACTER SET UTF8;
    DECLARE failing INTEGER;
    DECLARE row_key VARCHAR(1000) CHARACTER SET UTF8;
    DECLARE legacy_key VARCHAR(1000) CHARACTER SET UTF8;
    DECLARE rule_stop VARCHAR(4000) CHARACTER SET UTF8 = '';
    DECLARE other_count INTEGER = 0;
    DECLARE user_list VARCHAR(4000) CHARACTER SET UTF8;
    DECLARE user_name VARCHAR(63) CHARACTER SET UTF8;
    DECLARE user_kind SMALLINT;

    -- The routine's SQL type for a legacy parameter or result of a kind of
    -- the table (c CSTRING, v VARCHAR, s SMALLINT, i INTEGER, d DOUBLE
    -- PRECISION, t TIMESTAMP, b BLOB; results also x and y, a BLOB of text
    -- or bytes), or
    -- why its declaration does not fit the entry point.
    DECLARE PROCEDURE routine_type (kind CHAR(1), is_result BOOLEAN, own BOOLEAN,
            mechanism SMALLINT, field_type SMALLINT, num_scale SMALLINT, byte_count INTEGER,
            blob_type SMALLINT, charset_id SMALLINT, char_count INTEGER, dialect SMALLINT)
        RETURNS (sql_type VARCHAR(200) CHARACTER SET UTF8,
                 why VARCHAR(300) CHARACTER SET UTF8)
    AS
        DECLARE expected SMALLINT;
        DECLARE declared VARCHAR(100) CHARACTER SET UTF8;
        DECLARE by_value BOOLEAN;
        DECLARE set_name VARCHAR(63) CHARACTER SET UTF8;
        DECLARE per_character SMALLINT;
        DECLARE most INTEGER;
    BEGIN
        expected = DECODE(kind, 'c', 40, 'v', 37, 's', 7, 'i', 8, 'd', 27, 't', 35, 261);
        by_value = kind IN ('s', 'i', 'd');
        declared = TRIM(DECODE(field_type, 40, 'CSTRING', 37, 'VARCHAR', 14, 'CHAR', 7, 'SMALLINT',
                          8, 'INTEGER', 16, 'BIGINT', 26, 'INT128', 10, 'FLOAT',
                          27, 'DOUBLE PRECISION', 35, IIF(dialect = 1, 'DATE', 'TIMESTAMP'),
                          12, 'DATE', 13, 'TIME', 261, 'BLOB', 23, 'BOOLEAN',
                          'a type numbered ' || field_type));
        IF (num_scale <> 0 AND field_type IN (7, 8, 16, 26)) THEN
            declared = 'NUMERIC or DECIMAL';
        -- A whole number of any integer width is read and written in that
        -- width by the routine, as a legacy server read the low bytes of a
        -- wider one; a dialect-3 DATE result is the date of the entry point's
        -- TIMESTAMP.
        IF (kind IN ('s', 'i') AND field_type IN (7, 8, 16, 26) AND num_scale = 0) THEN
            expected = field_type;
        IF (field_type <> expected AND NOT (is_result AND kind = 't' AND field_type = 12)) THEN
            why = 'is ' || declared || '; the entry point ' ||
                  TRIM(IIF(is_result, 'returns', 'reads')) || ' ' ||
                  TRIM(DECODE(kind, 'c', 'a CSTRING', 'v', 'a VARCHAR', 's', 'a whole number',
                              'i', 'a whole number', 'd', 'a DOUBLE PRECISION',
                              't', IIF(dialect = 1, 'a DATE', 'a TIMESTAMP'), 'a BLOB')) ||
                  IIF(is_result, CAST('' AS VARCHAR(6)), ' there');
        ELSE IF (is_result AND by_value AND mechanism <> 0) THEN
            why = 'is ' || declared || ' returned by reference; the entry point returns it BY VALUE';
        ELSE IF (is_result AND NOT by_value AND kind NOT IN ('x', 'y')
                 AND mechanism NOT IN (-1, 1)) THEN
            why = 'is returned BY VALUE; the entry point returns a pointer to it (FREE_IT)';
        ELSE IF (NOT is_result AND kind = 'b' AND mechanism <> 3) THEN
            why = 'is a BLOB passed by descriptor; the entry point reads the BLOB itself';
        ELSE IF (NOT is_result AND kind <> 'b' AND mechanism NOT IN (1, 5)) THEN
            why = 'is passed BY VALUE or by descriptor; the entry point reads it by reference';
        IF (why IS NULL AND kind IN ('c', 'v')) THEN
        BEGIN
            -- A text keeps its set (the database's default when it names
            -- none) and its length in char_count, as far as a VARCHAR
            -- holds it.
            SELECT TRIM(RDB$CHARACTER_SET_NAME), RDB$BYTES_PER_CHARACTER FROM RDB$CHARACTER_SETS
                WHERE RDB$CHARACTER_SET_ID = COALESCE(:charset_id,
                    (SELECT c.RDB$CHARACTER_SET_ID FROM RDB$DATABASE d JOIN RDB$CHARACTER_SETS c
                        ON c.RDB$CHARACTER_SET_NAME = COALESCE(d.RDB$CHARACTER_SET_NAME, 'NONE')))
                INTO set_name, per_character;
            set_name = COALESCE(set_name, 'NONE');
            per_character = COALESCE(NULLIF(per_character, 0), 1);
            IF ('UTF8' <> '' AND own AND set_name = 'NONE') THEN
            BEGIN
                set_name = 'UTF8';
                per_character = 4;
                char_count = NULL;
            END
            -- Whole numbers in either dialect: divisions that leave nothing.
            char_count = COALESCE(char_count,
                CAST((byte_count - MOD(byte_count, per_character)) / per_character AS INTEGER));
            most = CAST((32765 - MOD(32765, per_character)) / per_character AS INTEGER);
            sql_type = 'VARCHAR(' || MAXVALUE(MINVALUE(char_count, most), 1) ||
                       ') CHARACTER SET ' || set_name;
        END
        ELSE IF (why IS NULL AND kind IN ('b', 'x', 'y')) THEN
        BEGIN
            SELECT TRIM(RDB$CHARACTER_SET_NAME) FROM RDB$CHARACTER_SETS
                WHERE RDB$CHARACTER_SET_ID = :charset_id INTO set_name;
            IF ('UTF8' <> '' AND own AND COALESCE(set_name, 'NONE') IN ('NONE', 'OCTETS')) THEN
                sql_type = 'BLOB SUB_TYPE TEXT CHARACTER SET UTF8';
            ELSE
                sql_type = 'BLOB SUB_TYPE ' || COALESCE(blob_type, 0) ||
                           IIF(blob_type = 1 AND set_name IS NOT NULL,
                               ' CHARACTER SET ' || set_name, '');
        END
        ELSE IF (why IS NULL) THEN
            sql_type = TRIM(DECODE(field_type, 7, 'SMALLINT', 8, 'INTEGER', 16, 'BIGINT',
                                   26, 'INT128', 27, 'DOUBLE PRECISION', 12, 'DATE',
                                   35, IIF(dialect = 1, 'DATE', 'TIMESTAMP')));
        SUSPEND;
    END

    -- A Firebird 5 partial index's condition (NULL where it has none, or
    -- where the server knows no such thing).
    DECLARE FUNCTION condition_of (name VARCHAR(63) CHARACTER SET UTF8)
        RETURNS BLOB SUB_TYPE 0
    AS
        DECLARE condition BLOB SUB_TYPE 0;
    BEGIN
        EXECUTE STATEMENT ('SELECT RDB$CONDITION_BLR FROM RDB$INDICES WHERE RDB$INDEX_NAME = ?')
            (name) INTO condition;
        RETURN condition;
        WHEN ANY DO RETURN NULL;
    END

    -- Whether an index's BLR calls a function (kind 15, blr_function, or
    -- blr_function2 for a package, kind 18) or reads a column (kind 0) of its
    -- own table.
    DECLARE FUNCTION blr_names (blr BLOB SUB_TYPE 0, kind SMALLINT,
            name VARCHAR(63) CHARACTER SET UTF8, field VARCHAR(63) CHARACTER SET UTF8,
            relation VARCHAR(63) CHARACTER SET UTF8)
        RETURNS BOOLEAN
    AS
    BEGIN
        RETURN blr IS NOT NULL
           AND (kind IN (15, 18) OR (kind = 0 AND name = relation))
           AND POSITION(CAST(ASCII_CHAR(DECODE(kind, 15, 100, 18, 194, 0, 0))
                             AS VARCHAR(1) CHARACTER SET OCTETS) ||
                        CAST(ASCII_CHAR(OCTET_LENGTH(COALESCE(field, name)))
                             AS VARCHAR(1) CHARACTER SET OCTETS) ||
                        CAST(COALESCE(field, name) AS VARCHAR(252) CHARACTER SET OCTETS)
                        IN blr) > 0;
    END

    -- A name as a statement writes it: quoted in dialect 3, where a name
    -- may be any text; as it stands in dialect 1, which reads no quotes.
    DECLARE FUNCTION quote_name (name VARCHAR(63) CHARACTER SET UTF8, dialect SMALLINT)
        RETURNS VARCHAR(130) CHARACTER SET UTF8
    AS
    BEGIN
        RETURN IIF(dialect = 1, name, '"' || REPLACE(name, '"', '""') || '"');
    END

    -- A CHECK condition, domain CHECK or index expression with every call
    -- of a function that moves made a call of its probe (and a domain's
    -- VALUE its column), or NULL when it calls none.  Literals and quoted
    -- names are copied as they stand.
    DECLARE FUNCTION with_probes (source VARCHAR(8000) CHARACTER SET UTF8,
            probe_map VARCHAR(8000) CHARACTER SET UTF8, sep CHAR(1) CHARACTER SET UTF8,
            column_name VARCHAR(130) CHARACTER SET UTF8)
        RETURNS VARCHAR(8000) CHARACTER SET UTF8
    AS
        DECLARE text_out VARCHAR(8000) CHARACTER SET UTF8 = '';
        DECLARE pos INTEGER = 1;
        DECLARE stop_pos INTEGER;
        DECLARE end_pos INTEGER;
        DECLARE c VARCHAR(1) CHARACTER SET UTF8;
        DECLARE token VARCHAR(8000) CHARACTER SET UTF8;
        DECLARE word VARCHAR(8000) CHARACTER SET UTF8;
        DECLARE found INTEGER;
        DECLARE changed BOOLEAN = FALSE;
    BEGIN
        stop_pos = CHAR_LENGTH(source);
        WHILE (pos <= stop_pos) DO
        BEGIN
            c = SUBSTRING(source FROM pos FOR 1);
            word = NULL;
            IF (c IN ('''', '"')) THEN
            BEGIN
                end_pos = POSITION(c, source, pos + 1);
                IF (end_pos = 0) THEN
                    end_pos = stop_pos;
                token = SUBSTRING(source FROM pos FOR end_pos - pos + 1);
                IF (c = '"') THEN
                    word = SUBSTRING(token FROM 2 FOR CHAR_LENGTH(token) - 2);
            END
            ELSE IF (UPPER(c) BETWEEN 'A' AND 'Z') THEN
            BEGIN
                end_pos = pos;
                WHILE (end_pos < stop_pos AND (UPPER(SUBSTRING(source FROM end_pos + 1 FOR 1)) BETWEEN 'A' AND 'Z'
                       OR SUBSTRING(source FROM end_pos + 1 FOR 1) BETWEEN '0' AND '9'
                       OR SUBSTRING(source FROM end_pos + 1 FOR 1) IN ('_', '$'))) DO
                    end_pos = end_pos + 1;
                token = SUBSTRING(source FROM pos FOR end_pos - pos + 1);
                word = UPPER(token);
            END
            ELSE
            BEGIN
                end_pos = pos;
                token = c;
            END
            pos = end_pos + 1;
            IF (word IS NOT NULL) THEN
            BEGIN
                end_pos = pos;
                WHILE (SUBSTRING(source FROM end_pos FOR 1) IN (' ', ASCII_CHAR(9), ASCII_CHAR(10), ASCII_CHAR(13))) DO
                    end_pos = end_pos + 1;
                found = POSITION(sep || word || sep || '#' IN probe_map);
                IF (column_name IS NOT NULL AND c <> '"' AND word = 'VALUE') THEN
                    token = column_name;
                ELSE IF (found > 0 AND SUBSTRING(source FROM end_pos FOR 1) = '(') THEN
                BEGIN
                    found = found + CHAR_LENGTH(word) + 3;
                    token = 'KOVUDF$PROBE_' || SUBSTRING(probe_map FROM found FOR POSITION(sep, probe_map, found) - found);
                    changed = TRUE;
                END
            END
            text_out = text_out || token;
        END
        RETURN IIF(changed, text_out, NULL);
    END

BEGIN
    SELECT MON$SQL_DIALECT, MON$DATABASE_NAME FROM MON$DATABASE INTO dialect, database_file;
    engine_major = LEFT(RDB$GET_CONTEXT('SYSTEM', 'ENGINE_VERSION'),
                        POSITION('.' IN RDB$GET_CONTEXT('SYSTEM', 'ENGINE_VERSION')) - 1);
    -- A SuperServer's background garbage collector (GCPolicy background or
    -- combined, its default) crashes the server when a record version it
    -- removes has an index key computed by an external routine: it makes
    -- the routine's context from a system attachment that has no interface
    -- (Firebird issue 6843, unfixed).  Collected cooperatively, by the
    -- users' own attachments, the same keys are safe.  Firebird 4 and later
    -- tell administrators the policy in force for this database; Firebird
    -- 3 shows its background collector as a system attachment.
    BEGIN
        EXECUTE STATEMENT 'SELECT MAX(IIF(RDB$CONFIG_NAME = ''GCPolicy'', RDB$CONFIG_VALUE, NULL)), ' ||
                          'MAX(IIF(RDB$CONFIG_NAME = ''ServerMode'', RDB$CONFIG_VALUE, NULL)) FROM RDB$CONFIG'
            INTO gc_policy, server_mode;
        WHEN ANY DO gc_policy = NULL;
    END
    IF (gc_policy IS NOT NULL) THEN
        collector = IIF(LOWER(gc_policy) = 'cooperative'
                        OR UPPER(server_mode) IN ('CLASSIC', 'SUPERCLASSIC', 'MULTIPROCESS', 'THREADEDDEDICATED'),
                        NULL, 'GCPolicy = ' || gc_policy || ' with ServerMode = ' || server_mode);
    ELSE IF (CURRENT_USER = 'SYSDBA' OR CURRENT_ROLE = 'RDB$ADMIN'
             OR CURRENT_USER = (SELECT TRIM(MON$OWNER) FROM MON$DATABASE)) THEN
        collector = IIF(EXISTS (SELECT 1 FROM MON$ATTACHMENTS
                                WHERE MON$SYSTEM_FLAG = 1 AND MON$USER = 'Garbage Collector'),
                        'the server runs a "Garbage Collector" attachment for it', NULL);
    ELSE
        collector = '?';
    sep = ASCII_CHAR(1);
    moved = sep;
    probe_map = sep;
    -- Pass 1 reads and checks every declaration; pass 2 (the migration,
    -- when every one fits) changes them.
    WHILE (pass <= IIF(migrate, 2, 1)) DO
    BEGIN
        FOR WITH entries (entry, routine, kinds, result_kind, own, p1, p2, p3, p4, p5, p6) AS (
            SELECT CAST('_UDF_StrLen' AS VARCHAR(31)), CAST('StrLen' AS VARCHAR(31)),
                   CAST('c' AS VARCHAR(8)), CAST('i' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_VStrLen' AS VARCHAR(31)), CAST('VStrLen' AS VARCHAR(31)),
                   CAST('v' AS VARCHAR(8)), CAST('s' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_StrCat' AS VARCHAR(31)), CAST('StrCat' AS VARCHAR(31)),
                   CAST('cc' AS VARCHAR(8)), CAST('c' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('A' AS VARCHAR(20)), CAST('B' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_SubStr' AS VARCHAR(31)), CAST('SubStr' AS VARCHAR(31)),
                   CAST('css' AS VARCHAR(8)), CAST('c' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST('POS' AS VARCHAR(20)), CAST('LEN' AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_VSubStr' AS VARCHAR(31)), CAST('VSubStr' AS VARCHAR(31)),
                   CAST('css' AS VARCHAR(8)), CAST('v' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST('POS' AS VARCHAR(20)), CAST('LEN' AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_VStrCmp' AS VARCHAR(31)), CAST('VStrCmp' AS VARCHAR(31)),
                   CAST('vv' AS VARCHAR(8)), CAST('i' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('A' AS VARCHAR(20)), CAST('B' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_SjisUpper' AS VARCHAR(31)), CAST('SjisUpper' AS VARCHAR(31)),
                   CAST('c' AS VARCHAR(8)), CAST('c' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_SjisLower' AS VARCHAR(31)), CAST('SjisLower' AS VARCHAR(31)),
                   CAST('c' AS VARCHAR(8)), CAST('c' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_Trim' AS VARCHAR(31)), CAST('Trim' AS VARCHAR(31)),
                   CAST('c' AS VARCHAR(8)), CAST('c' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_TrimLeft' AS VARCHAR(31)), CAST('TrimLeft' AS VARCHAR(31)),
                   CAST('c' AS VARCHAR(8)), CAST('c' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_TrimRight' AS VARCHAR(31)), CAST('TrimRight' AS VARCHAR(31)),
                   CAST('c' AS VARCHAR(8)), CAST('c' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_BlobInfo' AS VARCHAR(31)), CAST('BlobInfo' AS VARCHAR(31)),
                   CAST('b' AS VARCHAR(8)), CAST('c' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('B' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_BlobSize' AS VARCHAR(31)), CAST('BlobSize' AS VARCHAR(31)),
                   CAST('b' AS VARCHAR(8)), CAST('i' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('B' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_StrToBlob' AS VARCHAR(31)), CAST('StrToBlob' AS VARCHAR(31)),
                   CAST('c' AS VARCHAR(8)), CAST('x' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_BlobCat' AS VARCHAR(31)), CAST('BlobCat' AS VARCHAR(31)),
                   CAST('bb' AS VARCHAR(8)), CAST('x' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('A' AS VARCHAR(20)), CAST('B' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_BlobAddStr' AS VARCHAR(31)), CAST('BlobAddStr' AS VARCHAR(31)),
                   CAST('bc' AS VARCHAR(8)), CAST('x' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('B' AS VARCHAR(20)), CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_BlobSubStr' AS VARCHAR(31)), CAST('BlobSubStr' AS VARCHAR(31)),
                   CAST('bis' AS VARCHAR(8)), CAST('c' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('B' AS VARCHAR(20)), CAST('POS' AS VARCHAR(20)), CAST('LEN' AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_BlobVSubStr' AS VARCHAR(31)), CAST('BlobVSubStr' AS VARCHAR(31)),
                   CAST('bis' AS VARCHAR(8)), CAST('v' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('B' AS VARCHAR(20)), CAST('POS' AS VARCHAR(20)), CAST('LEN' AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_BlobSjisUpper' AS VARCHAR(31)), CAST('BlobSjisUpper' AS VARCHAR(31)),
                   CAST('b' AS VARCHAR(8)), CAST('x' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('B' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_BlobSjisLower' AS VARCHAR(31)), CAST('BlobSjisLower' AS VARCHAR(31)),
                   CAST('b' AS VARCHAR(8)), CAST('x' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('B' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_Abs' AS VARCHAR(31)), CAST('Abs' AS VARCHAR(31)),
                   CAST('d' AS VARCHAR(8)), CAST('d' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('X' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_IAbs' AS VARCHAR(31)), CAST('IAbs' AS VARCHAR(31)),
                   CAST('i' AS VARCHAR(8)), CAST('i' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('N' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_Round' AS VARCHAR(31)), CAST('Round' AS VARCHAR(31)),
                   CAST('ds' AS VARCHAR(8)), CAST('d' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('X' AS VARCHAR(20)), CAST('RMODE' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_Oct' AS VARCHAR(31)), CAST('Oct' AS VARCHAR(31)),
                   CAST('c' AS VARCHAR(8)), CAST('i' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_AddDate' AS VARCHAR(31)), CAST('AddDate' AS VARCHAR(31)),
                   CAST('tiii' AS VARCHAR(8)), CAST('t' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('TS' AS VARCHAR(20)), CAST('Y' AS VARCHAR(20)), CAST('M' AS VARCHAR(20)),
                   CAST('D' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_AddTime' AS VARCHAR(31)), CAST('AddTime' AS VARCHAR(31)),
                   CAST('tiii' AS VARCHAR(8)), CAST('t' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('TS' AS VARCHAR(20)), CAST('H' AS VARCHAR(20)), CAST('MI' AS VARCHAR(20)),
                   CAST('S' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_JDate' AS VARCHAR(31)), CAST('JDate' AS VARCHAR(31)),
                   CAST('c' AS VARCHAR(8)), CAST('t' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('TXT' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_ToDateTime' AS VARCHAR(31)), CAST('ToDateTime' AS VARCHAR(31)),
                   CAST('ssssss' AS VARCHAR(8)), CAST('t' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('Y' AS VARCHAR(20)), CAST('M' AS VARCHAR(20)), CAST('D' AS VARCHAR(20)),
                   CAST('H' AS VARCHAR(20)), CAST('MI' AS VARCHAR(20)), CAST('S' AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_ToDate' AS VARCHAR(31)), CAST('ToDate' AS VARCHAR(31)),
                   CAST('sss' AS VARCHAR(8)), CAST('t' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('Y' AS VARCHAR(20)), CAST('M' AS VARCHAR(20)), CAST('D' AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_ToTime' AS VARCHAR(31)), CAST('ToTime' AS VARCHAR(31)),
                   CAST('sss' AS VARCHAR(8)), CAST('t' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('H' AS VARCHAR(20)), CAST('MI' AS VARCHAR(20)), CAST('S' AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_JoinDateTime' AS VARCHAR(31)), CAST('JoinDateTime' AS VARCHAR(31)),
                   CAST('tt' AS VARCHAR(8)), CAST('t' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('D' AS VARCHAR(20)), CAST('T' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_GetYear' AS VARCHAR(31)), CAST('GetYear' AS VARCHAR(31)),
                   CAST('t' AS VARCHAR(8)), CAST('s' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('D' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_GetMon' AS VARCHAR(31)), CAST('GetMon' AS VARCHAR(31)),
                   CAST('t' AS VARCHAR(8)), CAST('s' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('D' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_GetDay' AS VARCHAR(31)), CAST('GetDay' AS VARCHAR(31)),
                   CAST('t' AS VARCHAR(8)), CAST('s' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('D' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_GetHour' AS VARCHAR(31)), CAST('GetHour' AS VARCHAR(31)),
                   CAST('t' AS VARCHAR(8)), CAST('s' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('D' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_GetMin' AS VARCHAR(31)), CAST('GetMin' AS VARCHAR(31)),
                   CAST('t' AS VARCHAR(8)), CAST('s' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('D' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_GetSec' AS VARCHAR(31)), CAST('GetSec' AS VARCHAR(31)),
                   CAST('t' AS VARCHAR(8)), CAST('s' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('D' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_DayOfWeek' AS VARCHAR(31)), CAST('DayOfWeek' AS VARCHAR(31)),
                   CAST('t' AS VARCHAR(8)), CAST('i' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('D' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_DiffDay' AS VARCHAR(31)), CAST('DiffDay' AS VARCHAR(31)),
                   CAST('tt' AS VARCHAR(8)), CAST('i' AS VARCHAR(1)), CAST('n' AS VARCHAR(1)),
                   CAST('A' AS VARCHAR(20)), CAST('B' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_FileToBlob' AS VARCHAR(31)), CAST('FileToBlob' AS VARCHAR(31)),
                   CAST('c' AS VARCHAR(8)), CAST('y' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('FILE_NAME' AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE UNION ALL
            SELECT CAST('_UDF_BlobToFile' AS VARCHAR(31)), CAST('BlobToFile' AS VARCHAR(31)),
                   CAST('bci' AS VARCHAR(8)), CAST('i' AS VARCHAR(1)), CAST('y' AS VARCHAR(1)),
                   CAST('B' AS VARCHAR(20)), CAST('FILE_NAME' AS VARCHAR(20)), CAST('UNUSED' AS VARCHAR(20)),
                   CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)), CAST(NULL AS VARCHAR(20)) FROM RDB$DATABASE
            )
            SELECT TRIM(TRAILING FROM f.RDB$FUNCTION_NAME), TRIM(f.RDB$MODULE_NAME), TRIM(f.RDB$ENTRYPOINT),
                   TRIM(f.RDB$ENGINE_NAME), f.RDB$RETURN_ARGUMENT, e.routine, e.kinds,
                   e.result_kind, e.own = 'y', e.p1, e.p2, e.p3, e.p4, e.p5, e.p6
            FROM RDB$FUNCTIONS f
            LEFT JOIN entries e ON e.entry = TRIM(f.RDB$ENTRYPOINT)
            WHERE f.RDB$PACKAGE_NAME IS NULL
              AND ((f.RDB$ENGINE_NAME IS NULL
                    AND ('/' || LOWER(REPLACE(TRIM(f.RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf'
                         OR '/' || LOWER(REPLACE(TRIM(f.RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf.dll'
                         OR '/' || LOWER(REPLACE(TRIM(f.RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf.so'))
                   OR (f.RDB$ENGINE_NAME = 'UDR' AND f.RDB$ENTRYPOINT STARTING WITH 'kovudf!'))
            ORDER BY 1
            INTO name, module, entry, engine, returned, routine, kinds, result_kind, own,
                 p1, p2, p3, p4, p5, p6
        DO
        BEGIN
            quoted = quote_name(name, dialect);
            -- Whether the name reads without quotes: a letter, then letters,
            -- digits, _ and $, all upper case.
            plain = POSITION(LEFT(name, 1) IN 'ABCDEFGHIJKLMNOPQRSTUVWXYZ') > 0;
            char_at = 2;
            WHILE (plain AND char_at <= CHAR_LENGTH(name)) DO
            BEGIN
                plain = POSITION(SUBSTRING(name FROM char_at FOR 1)
                                 IN 'ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_$') > 0;
                char_at = char_at + 1;
            END
            why = NULL;
            parameters = '';
            nulls = '';
            result_type = NULL;
            declared_count = 0;
            IF (engine = 'UDR') THEN
                why = '';
            ELSE IF (routine IS NULL) THEN
                why = 'the module has no entry point ' || entry;
            ELSE IF (dialect = 1 AND NOT plain) THEN
                why = 'its name needs quotes, which a dialect-1 database does not read';
            ELSE IF (result_kind IN ('x', 'y') AND returned <> CHAR_LENGTH(kinds) + 1) THEN
                why = 'its result is not RETURNS PARAMETER ' || (CHAR_LENGTH(kinds) + 1) ||
                      ', the BLOB the entry point fills';
            ELSE IF (result_kind NOT IN ('x', 'y') AND returned <> 0) THEN
                why = 'it returns one of its parameters; the entry point returns a value of its own';
            IF (why IS NULL) THEN
            BEGIN
                FOR SELECT a.RDB$ARGUMENT_POSITION, a.RDB$MECHANISM, a.RDB$FIELD_TYPE,
                           COALESCE(a.RDB$FIELD_SCALE, 0), a.RDB$FIELD_LENGTH,
                           a.RDB$FIELD_SUB_TYPE, a.RDB$CHARACTER_SET_ID, a.RDB$CHARACTER_LENGTH
                    FROM RDB$FUNCTION_ARGUMENTS a
                    WHERE a.RDB$FUNCTION_NAME = :name AND a.RDB$PACKAGE_NAME IS NULL
                    ORDER BY a.RDB$ARGUMENT_POSITION
                    INTO argument_at, mechanism, field_type, num_scale, byte_count, blob_type, charset_id,
                         char_count
                DO
                BEGIN
                    IF (argument_at = returned) THEN
                    BEGIN
                        SELECT sql_type, why FROM routine_type(:result_kind, TRUE, :own,
                               :mechanism, :field_type, :num_scale, :byte_count, :blob_type,
                               :charset_id, :char_count, :dialect) INTO result_type, why;
                        why = 'the result ' || why;
                    END
                    ELSE
                    BEGIN
                        declared_count = declared_count + 1;
                        IF (declared_count <= CHAR_LENGTH(kinds) AND why IS NULL) THEN
                        BEGIN
                            SELECT sql_type, why FROM routine_type(
                                   SUBSTRING(:kinds FROM :declared_count FOR 1), FALSE, :own,
                                   :mechanism, :field_type, :num_scale, :byte_count, :blob_type,
                                   :charset_id, :char_count, :dialect) INTO sql_type, why;
                            why = 'parameter ' || declared_count || ' ' || why;
                            parameters = TRIM(parameters || ', ' ||
                                DECODE(declared_count, 1, p1, 2, p2, 3, p3, 4, p4, 5, p5, p6) ||
                                ' ' || sql_type);
                            nulls = nulls || IIF(mechanism = 5, 'n', '0');
                        END
                    END
                END
                -- Today's date comes from the calling statement, as a
                -- default the server fills in.
                IF (routine = 'JDate') THEN
                    parameters = parameters || IIF(dialect = 1, CAST(', TODAY DATE DEFAULT CURRENT_TIMESTAMP' AS VARCHAR(60)), ', TODAY DATE DEFAULT CURRENT_DATE');
                IF (why IS NULL AND declared_count < CHAR_LENGTH(kinds)) THEN
                    why = 'it has ' || declared_count || ' ' ||
                          TRIM(IIF(declared_count = 1, 'parameter', 'parameters')) ||
                          '; the entry point reads ' || CHAR_LENGTH(kinds) ||
                          ', the others from whatever lay beyond';
                ELSE IF (why IS NULL AND declared_count > CHAR_LENGTH(kinds)) THEN
                    why = 'it has ' || declared_count || ' parameters; the entry point reads ' ||
                          'the first ' || CHAR_LENGTH(kinds) || ', and the routine takes ' ||
                          'exactly those';
            END
            IF (pass = 1) THEN
            BEGIN
                IF (why = '') THEN
                BEGIN
                    routine_count = routine_count + 1;
                    report = quoted || ': already the routine ' || entry || ', left as it is';
                END
                ELSE IF (why IS NOT NULL) THEN
                BEGIN
                    misfit_count = misfit_count + 1;
                    report = quoted || ' (' || entry || ' in ' || module ||
                             ') does not fit its entry point: ' || why;
                    misfit_list = LEFT(misfit_list || '; ' || report, 7000);
                END
                ELSE
                BEGIN
                    move_count = move_count + 1;
                    moved = moved || name || sep;
                    IF (probe_error IS NULL) THEN
                    BEGIN
                        EXECUTE STATEMENT 'CREATE FUNCTION KOVUDF$PROBE_' || move_count || ' (' ||
                            SUBSTRING(parameters FROM 3) || ') RETURNS ' || result_type ||
                            ' EXTERNAL NAME ''kovudf!' || routine || '!legacy-null=' || nulls ||
                            ''' ENGINE UDR';
                        probe_map = probe_map || name || sep || '#' || move_count || sep;
                        WHEN ANY DO probe_error = GDSCODE;
                    END
                    report = quoted || ' (' || entry || ' in ' || module ||
                             ') becomes the routine (' || SUBSTRING(parameters FROM 3) ||
                             ') RETURNS ' || result_type || ', NULLs taken as before (legacy-null=' ||
                             nulls || ')';
                    IF (module STARTING WITH '/' OR module STARTING WITH '\'
                        OR SUBSTRING(module FROM 2 FOR 2) IN (':\', ':/')) THEN
                        report = report || ' (its module is named by an absolute path: ' ||
                                 'restoring it, and altering it on Firebird 6, needs ' ||
                                 'UdfAccess to allow that directory)';
                END
                SUSPEND;
            END
            ELSE IF (why IS NULL) THEN
                EXECUTE STATEMENT 'ALTER FUNCTION ' || quoted || ' (' || SUBSTRING(parameters FROM 3) ||
                    ') RETURNS ' || result_type || ' EXTERNAL NAME ''kovudf!' || routine ||
                    '!legacy-null=' || nulls || ''' ENGINE UDR';
        END

        -- Another library's legacy functions (ib_udf, ...) stay as they are,
        -- and need their module and UdfAccess for as long as they do: each
        -- is named with what uses it, indexes first.
        IF (pass = 1) THEN
            FOR SELECT TRIM(TRAILING FROM f.RDB$FUNCTION_NAME), TRIM(f.RDB$MODULE_NAME),
                       TRIM(f.RDB$ENTRYPOINT)
                FROM RDB$FUNCTIONS f
                WHERE f.RDB$PACKAGE_NAME IS NULL AND f.RDB$ENGINE_NAME IS NULL
                  AND f.RDB$MODULE_NAME IS NOT NULL AND COALESCE(f.RDB$SYSTEM_FLAG, 0) = 0 AND NOT ((f.RDB$ENGINE_NAME IS NULL
                    AND ('/' || LOWER(REPLACE(TRIM(f.RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf'
                         OR '/' || LOWER(REPLACE(TRIM(f.RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf.dll'
                         OR '/' || LOWER(REPLACE(TRIM(f.RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf.so'))
                   OR (f.RDB$ENGINE_NAME = 'UDR' AND f.RDB$ENTRYPOINT STARTING WITH 'kovudf!'))
                ORDER BY 1
                INTO name, module, entry
            DO
            BEGIN
                other_count = other_count + 1;
                user_list = '';
                FOR SELECT DISTINCT IIF(d.RDB$DEPENDENT_TYPE = 6, 0, 1), d.RDB$DEPENDENT_TYPE,
                           TRIM(TRAILING FROM d.RDB$DEPENDENT_NAME)
                    FROM RDB$DEPENDENCIES d
                    WHERE d.RDB$DEPENDED_ON_NAME = :name AND d.RDB$DEPENDED_ON_TYPE = 15
                    UNION
                    -- An index a restore could not compute records nothing.
                    SELECT 0, 6, TRIM(TRAILING FROM i.RDB$INDEX_NAME) FROM RDB$INDICES i
                    WHERE blr_names(i.RDB$EXPRESSION_BLR, 15, :name, NULL, NULL)
                    ORDER BY 1, 2, 3
                    INTO argument_at, user_kind, user_name
                DO
                    user_list = LEFT(user_list || ', ' ||
                        TRIM(DECODE(user_kind, 0, 'table', 1, 'view', 2, 'trigger', 3, 'computed column',
                                    5, 'procedure', 6, 'index', 9, 'domain', 15, 'function',
                                    18, 'package', 19, 'package body', 'object')) ||
                        ' ' || quote_name(user_name, dialect), 4000);
                report = quote_name(name, dialect) || ' (' || entry || ' in ' || module ||
                         ') is another library''s legacy function and stays as it is: ' ||
                         IIF(user_list = '', 'nothing uses it', 'used by ' || SUBSTRING(user_list FROM 3)) ||
                         '; its module must stay allowed until it is replaced';
                SUSPEND;
            END

        -- A view with a column of a legacy CSTRING result, which Firebird 6
        -- no longer knows, is made anew from its own text, column names and
        -- all.
        FOR SELECT TRIM(TRAILING FROM r.RDB$RELATION_NAME), r.RDB$VIEW_SOURCE FROM RDB$RELATIONS r
            WHERE r.RDB$VIEW_BLR IS NOT NULL AND COALESCE(r.RDB$SYSTEM_FLAG, 0) = 0
              AND EXISTS (SELECT 1 FROM RDB$RELATION_FIELDS rf
                          JOIN RDB$FIELDS fd ON fd.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE
                          WHERE rf.RDB$RELATION_NAME = r.RDB$RELATION_NAME
                            AND fd.RDB$FIELD_TYPE = 40)
            ORDER BY 1
            INTO name, view_text
        DO
        BEGIN
            quoted = quote_name(name, dialect);
            IF (pass = 1) THEN
            BEGIN
                view_count = view_count + 1;
                report = 'view ' || quoted || ' is made anew from its own text: a column of it ' ||
                         'is a legacy CSTRING result';
                SUSPEND;
            END
            ELSE
            BEGIN
                column_list = '';
                FOR SELECT TRIM(TRAILING FROM RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS
                    WHERE RDB$RELATION_NAME = :name ORDER BY RDB$FIELD_POSITION
                    INTO column_name
                DO
                    column_list = column_list || ', ' || quote_name(column_name, dialect);
                EXECUTE STATEMENT 'ALTER VIEW ' || quoted || ' (' || SUBSTRING(column_list FROM 3) ||
                                  ') AS ' || view_text;
            END
        END

        -- An index whose expression or partial condition a function that
        -- moves computes holds the legacy function's keys, or none where a
        -- restore could not compute it and left it inactive (3): once the
        -- functions are routines it is built anew and active.  One the DBA
        -- made inactive (1) stays so.  What uses a function that moves: the
        -- functions, and what the server records as depending on them -
        -- computed columns (then the column itself), PSQL functions,
        -- procedures, packages (then each of their functions).  The server
        -- records no dependencies of a partial condition, nor any of an
        -- index a restore could not compute: then the BLR names the function
        -- or the column.
        FOR WITH RECURSIVE
            uses (name, kind, field, depth) AS (
                SELECT TRIM(TRAILING FROM f.RDB$FUNCTION_NAME), 15,
                       CAST(NULL AS VARCHAR(63) CHARACTER SET UTF8), 0
                    FROM RDB$FUNCTIONS f
                    WHERE f.RDB$PACKAGE_NAME IS NULL
                      AND POSITION(:sep || TRIM(TRAILING FROM f.RDB$FUNCTION_NAME) || :sep
                                   IN :moved) > 0
                UNION ALL
                SELECT e.name, e.kind, e.field, u.depth + 1 FROM uses u JOIN (
                    SELECT d.RDB$DEPENDED_ON_NAME AS on_name, d.RDB$DEPENDED_ON_TYPE AS on_kind,
                           d.RDB$FIELD_NAME AS on_field,
                           TRIM(TRAILING FROM d.RDB$DEPENDENT_NAME) AS name,
                           d.RDB$DEPENDENT_TYPE AS kind,
                           CAST(NULL AS VARCHAR(63) CHARACTER SET UTF8) AS field
                        FROM RDB$DEPENDENCIES d WHERE d.RDB$DEPENDENT_TYPE IN (3, 5, 15, 19)
                    UNION ALL
                    SELECT rf.RDB$FIELD_SOURCE, 3, NULL, TRIM(TRAILING FROM rf.RDB$RELATION_NAME),
                           0, TRIM(TRAILING FROM rf.RDB$FIELD_NAME)
                        FROM RDB$RELATION_FIELDS rf
                    UNION ALL
                    SELECT p.RDB$PACKAGE_NAME, 19, NULL, TRIM(TRAILING FROM p.RDB$PACKAGE_NAME),
                           18, NULL
                        FROM RDB$PACKAGES p
                    UNION ALL
                    SELECT pf.RDB$PACKAGE_NAME, 19, NULL,
                           TRIM(TRAILING FROM pf.RDB$FUNCTION_NAME), 15, NULL
                        FROM RDB$FUNCTIONS pf WHERE pf.RDB$PACKAGE_NAME IS NOT NULL
                ) e ON e.on_name = u.name AND e.on_kind = u.kind
                   AND e.on_field IS NOT DISTINCT FROM u.field
                WHERE u.depth < 8)
            SELECT TRIM(TRAILING FROM i.RDB$INDEX_NAME), TRIM(TRAILING FROM i.RDB$RELATION_NAME),
                   -- Firebird 3 and 4 mark an index a restore could not
                   -- compute as they mark one made inactive (1), and keep
                   -- nothing else that tells them apart: there, the restore's.
                   IIF(i.RDB$INDEX_INACTIVE = 1 AND :engine_major < 5,
                       3, COALESCE(i.RDB$INDEX_INACTIVE, 0)),
                   EXISTS (SELECT 1 FROM uses u
                       WHERE (i.RDB$EXPRESSION_BLR IS NOT NULL
                              AND (EXISTS (SELECT 1 FROM RDB$DEPENDENCIES d
                                           WHERE d.RDB$DEPENDENT_NAME = i.RDB$INDEX_NAME
                                             AND d.RDB$DEPENDENT_TYPE = 6
                                             AND d.RDB$DEPENDED_ON_NAME = u.name
                                             AND d.RDB$DEPENDED_ON_TYPE = u.kind
                                             AND d.RDB$FIELD_NAME IS NOT DISTINCT FROM u.field)
                                   OR (NOT EXISTS (SELECT 1 FROM RDB$DEPENDENCIES d
                                                   WHERE d.RDB$DEPENDENT_NAME = i.RDB$INDEX_NAME
                                                     AND d.RDB$DEPENDENT_TYPE = 6)
                                       AND blr_names(i.RDB$EXPRESSION_BLR, u.kind, u.name, u.field,
                                                     TRIM(TRAILING FROM i.RDB$RELATION_NAME)))))
                          OR blr_names(condition_of(i.RDB$INDEX_NAME), u.kind, u.name, u.field,
                                       TRIM(TRAILING FROM i.RDB$RELATION_NAME)))
            FROM RDB$INDICES i
            WHERE COALESCE(i.RDB$SYSTEM_FLAG, 0) = 0
            ORDER BY 2, 1
            INTO name, relation, inactive, uses_moved
        DO
        BEGIN
            quoted = quote_name(name, dialect);
            IF (uses_moved AND inactive = 1 AND pass = 1) THEN
            BEGIN
                kept_off_count = kept_off_count + 1;
                report = 'index ' || quoted || ' on ' || quote_name(relation, dialect) ||
                         ' stays inactive, as it was made: it uses a function that moves, and ' ||
                         'ALTER INDEX ' || quoted || ' ACTIVE builds it from the routines';
                SUSPEND;
            END
            ELSE IF (uses_moved AND pass = 1) THEN
            BEGIN
                index_count = index_count + 1;
                index_list = LEFT(index_list || ', ' || quoted || ' on ' ||
                                  quote_name(relation, dialect), 4000);
                activated_count = activated_count + IIF(inactive <> 0, 1, 0);
                report = 'index ' || quoted || ' on ' ||
                         quote_name(relation, dialect) ||
                         IIF(inactive <> 0,
                             ' is built and made active: it was inactive, as a restore ' ||
                             'that could not compute it leaves it, and its expression uses ' ||
                             'a function that moves',
                             ' is built anew: its expression uses a function that moves');
                SUSPEND;
            END
            ELSE IF (uses_moved AND inactive <> 1) THEN
            BEGIN
                IF (inactive = 0) THEN
                    EXECUTE STATEMENT 'ALTER INDEX ' || quoted || ' INACTIVE';
                EXECUTE STATEMENT 'ALTER INDEX ' || quoted || ' ACTIVE';
            END
            ELSE IF (NOT uses_moved AND inactive <> 0 AND pass = 1) THEN
            BEGIN
                left_count = left_count + 1;
                report = 'index ' || quoted || ' is inactive and uses no function that ' ||
                         'moves: left as it is';
                SUSPEND;
            END
        END

        -- The server judges a row by a CHECK or a domain CHECK only when it is
        -- written, and builds a UNIQUE index only at the commit: each that
        -- calls a function that moves is tried on every row with the probes
        -- first.  A row that would now fail one, or two rows whose keys would
        -- now be equal, stop the migration.
        IF (pass = 1 AND probe_map <> sep) THEN
        BEGIN
            FOR SELECT 'CHECK', TRIM(TRAILING FROM rc.RDB$CONSTRAINT_NAME),
                       TRIM(TRAILING FROM rc.RDB$RELATION_NAME), t.RDB$TRIGGER_SOURCE,
                       CAST(NULL AS VARCHAR(63) CHARACTER SET UTF8), CAST(NULL AS SMALLINT)
                    FROM RDB$RELATION_CONSTRAINTS rc
                    JOIN RDB$CHECK_CONSTRAINTS cc ON cc.RDB$CONSTRAINT_NAME = rc.RDB$CONSTRAINT_NAME
                    JOIN RDB$TRIGGERS t ON t.RDB$TRIGGER_NAME = cc.RDB$TRIGGER_NAME
                    WHERE rc.RDB$CONSTRAINT_TYPE = 'CHECK' AND t.RDB$TRIGGER_TYPE = 1
                UNION ALL
                SELECT 'domain CHECK', TRIM(TRAILING FROM fd.RDB$FIELD_NAME),
                       TRIM(TRAILING FROM rf.RDB$RELATION_NAME), fd.RDB$VALIDATION_SOURCE,
                       TRIM(TRAILING FROM rf.RDB$FIELD_NAME), NULL
                    FROM RDB$FIELDS fd
                    JOIN RDB$RELATION_FIELDS rf ON rf.RDB$FIELD_SOURCE = fd.RDB$FIELD_NAME
                    JOIN RDB$RELATIONS r ON r.RDB$RELATION_NAME = rf.RDB$RELATION_NAME
                    WHERE fd.RDB$VALIDATION_SOURCE IS NOT NULL AND r.RDB$VIEW_BLR IS NULL
                UNION ALL
                SELECT 'UNIQUE index', TRIM(TRAILING FROM i.RDB$INDEX_NAME),
                       TRIM(TRAILING FROM i.RDB$RELATION_NAME), i.RDB$EXPRESSION_SOURCE, NULL, 1
                    FROM RDB$INDICES i
                    WHERE i.RDB$UNIQUE_FLAG = 1 AND i.RDB$EXPRESSION_SOURCE IS NOT NULL
                      AND COALESCE(i.RDB$INDEX_INACTIVE, 0) <> 1
                ORDER BY 3, 1, 2
                INTO rule_kind, name, relation, rule_text, column_name, unique_flag
            DO
            BEGIN
                rule_name = TRIM(rule_kind) || ' ' || quote_name(name, dialect) || ' on ' ||
                            quote_name(relation, dialect);
                rule_text = TRIM(rule_text);
                IF (UPPER(LEFT(rule_text, 5)) = 'CHECK') THEN
                    rule_text = SUBSTRING(rule_text FROM 6);
                probe_text = with_probes(rule_text, probe_map, sep,
                                         IIF(column_name IS NULL, NULL, quote_name(column_name, dialect)));
                condition_text = NULL;
                IF (unique_flag = 1) THEN
                BEGIN
                    -- A partial index's condition (Firebird 5) goes with it.
                    BEGIN
                        EXECUTE STATEMENT ('SELECT RDB$CONDITION_SOURCE FROM RDB$INDICES WHERE RDB$INDEX_NAME = ?')
                            (name) INTO condition_text;
                        WHEN ANY DO condition_text = NULL;
                    END
                    condition_text = TRIM(condition_text);
                    IF (UPPER(LEFT(condition_text, 5)) = 'WHERE') THEN
                        condition_text = SUBSTRING(condition_text FROM 6);
                    probe_condition = with_probes(condition_text, probe_map, sep, NULL);
                    IF (probe_condition IS NOT NULL) THEN
                        probe_text = COALESCE(probe_text, rule_text);
                    condition_text = COALESCE(probe_condition, condition_text);
                END
                IF (probe_text IS NOT NULL) THEN
                BEGIN
                    -- A row is named by its primary key where it has one.
                    key_text = '';
                    FOR SELECT TRIM(TRAILING FROM s.RDB$FIELD_NAME) FROM RDB$RELATION_CONSTRAINTS rc
                        JOIN RDB$INDEX_SEGMENTS s ON s.RDB$INDEX_NAME = rc.RDB$INDEX_NAME
                        WHERE rc.RDB$RELATION_NAME = :relation AND rc.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY'
                        ORDER BY s.RDB$FIELD_POSITION
                        INTO column_name
                    DO
                        key_text = IIF(key_text = '', '', key_text || ' || '', '' || ') || '''' ||
                                   REPLACE(quote_name(column_name, dialect), '''', '''''') ||
                                   ' = '' || COALESCE(CAST(' || quote_name(column_name, dialect) ||
                                   ' AS VARCHAR(100)), ''NULL'')';
                    key_text = IIF(key_text = '', '''''', key_text);
                    failing = 0;
                    row_key = NULL;
                    legacy_key = NULL;
                    report = NULL;
                    BEGIN
                        IF (unique_flag IS NULL) THEN
                        BEGIN
                            EXECUTE STATEMENT 'SELECT COUNT(*) FROM ' || quote_name(relation, dialect) ||
                                              ' WHERE NOT (' || probe_text || ')' INTO failing;
                            IF (failing > 0) THEN
                            BEGIN
                                EXECUTE STATEMENT 'SELECT FIRST 1 ' || key_text || ' FROM ' ||
                                    quote_name(relation, dialect) || ' WHERE NOT (' || probe_text || ')'
                                    INTO row_key;
                                report = rule_name || ' fails for ' || failing ||
                                         IIF(failing = 1, CAST(' row' AS VARCHAR(5)), ' rows') ||
                                         ' with the routines' ||
                                         IIF(row_key > '', ' (the first: ' || row_key || ')', '');
                            END
                        END
                        ELSE
                        BEGIN
                            EXECUTE STATEMENT 'SELECT FIRST 1 CAST(k AS VARCHAR(1000)), COUNT(*) FROM (SELECT ' ||
                                probe_text || ' AS k FROM ' || quote_name(relation, dialect) ||
                                COALESCE(' WHERE ' || condition_text, '') ||
                                ') WHERE k IS NOT NULL GROUP BY k HAVING COUNT(*) > 1' INTO row_key, failing;
                            -- The legacy keys of those rows, where the legacy
                            -- function still runs (it crashes Firebird 6).
                            IF (failing > 0 AND engine_major < 6) THEN
                            BEGIN
                                EXECUTE STATEMENT ('SELECT LIST('''''''' || CAST(' || rule_text ||
                                    ' AS VARCHAR(1000)) || '''''''', '' and '') ' ||
                                    'FROM (SELECT FIRST 2 * FROM ' || quote_name(relation, dialect) ||
                                    ' WHERE CAST(' || probe_text || ' AS VARCHAR(1000)) = ?)') (row_key)
                                    INTO legacy_key;
                                WHEN ANY DO legacy_key = NULL;
                            END
                            IF (failing > 0) THEN
                                report = rule_name ||
                                         ' would hold ' || failing || ' equal keys ''' || row_key ||
                                         ''' with the routines' ||
                                         COALESCE(', where the legacy functions gave ' || legacy_key, '');
                        END
                        WHEN ANY DO
                            report = rule_name ||
                                     ' could not be tried with the routines (error ' || GDSCODE || ')';
                    END
                    IF (report IS NOT NULL) THEN
                        rule_stop = LEFT(rule_stop || '; ' || report, 4000);
                    ELSE
                        report = rule_name ||
                                 IIF(unique_flag = 1, ' keeps its keys distinct with the routines', ' holds for every row with the routines');
                    SUSPEND;
                END
            END
            -- The probes go.
            FOR SELECT TRIM(TRAILING FROM RDB$FUNCTION_NAME) FROM RDB$FUNCTIONS
                WHERE RDB$FUNCTION_NAME STARTING WITH 'KOVUDF$PROBE_' AND RDB$PACKAGE_NAME IS NULL
                INTO name
            DO
                EXECUTE STATEMENT 'DROP FUNCTION ' || name;
        END
        IF (pass = 1 AND probe_error IS NOT NULL) THEN
        BEGIN
            report = 'constraints and UNIQUE indexes: the functions cannot be tried with the routines ' ||
                     'before the change (creating a probe routine failed, error ' || probe_error ||
                     '): CHECKs and UNIQUE indexes that call them are not looked at';
            SUSPEND;
        END

        -- An index the routines would compute stops the migration while the
        -- server collects in the background, or while it cannot tell.
        IF (pass = 1 AND index_count > 0 AND collector IS NOT NULL) THEN
        BEGIN
            gc_stop = IIF(collector = '?',
                'cannot read how the server collects this database''s garbage, which ' ||
                'only SYSDBA, the owner or RDB$ADMIN may: connect as one of them',
                'this database''s garbage is collected in the background (' || collector ||
                '), and Firebird''s background collector crashes the server on an index ' ||
                'key computed by an external routine (Firebird issue 6843)') ||
                '; the routines would compute the index' ||
                TRIM(IIF(index_count = 1, CAST('' AS VARCHAR(2)), 'es')) || ' ' ||
                SUBSTRING(index_list FROM 3) || '.  Nothing changes until the database ' ||
                'is collected cooperatively: add to the server''s databases.conf' || ASCII_CHAR(10) ||
                database_file || ' = ' || database_file || ASCII_CHAR(10) || '{' || ASCII_CHAR(10) ||
                '    GCPolicy = cooperative' || ASCII_CHAR(10) || '}' || ASCII_CHAR(10) ||
                '(or only its middle line, inside the braces of the entry it has), end every ' ||
                'connection to the database, and run this again.  docs/upgrading.md says why.';
            report = 'garbage collection: ' || gc_stop;
            SUSPEND;
        END
        IF (pass = 1) THEN
        BEGIN
            report = move_count || ' to move, ' || routine_count || ' already routines, ' ||
                     view_count || ' views to make anew, ' || index_count ||
                     IIF(index_count = 1, CAST(' index' AS VARCHAR(8)), ' indexes') ||
                     ' to build (' || activated_count || ' of them inactive), ' ||
                     IIF(kept_off_count > 0, kept_off_count || ' left inactive as made, ',
                         CAST('' AS VARCHAR(1))) ||
                     misfit_count || ' that do not fit' ||
                     IIF(misfit_count > 0, ': nothing changes until each is mended or dropped',
                         CAST('' AS VARCHAR(1))) ||
                     IIF(gc_stop IS NOT NULL AND misfit_count = 0,
                         ': nothing changes until the garbage is collected cooperatively',
                         CAST('' AS VARCHAR(1))) ||
                     IIF(rule_stop <> '' AND misfit_count = 0 AND gc_stop IS NULL,
                         ': nothing changes until the rows that a CHECK or UNIQUE index ' ||
                         'would judge otherwise are mended, or the rule is',
                         CAST('' AS VARCHAR(1))) ||
                     IIF(other_count > 0, '; ' || other_count ||
                         IIF(other_count = 1, CAST(' legacy function of another library stays' AS VARCHAR(45)),
                             ' legacy functions of other libraries stay'), CAST('' AS VARCHAR(1))) ||
                     IIF(migrate, CAST('.' AS VARCHAR(1)), '.  Nothing was changed: this is the report.');
            SUSPEND;
        END
        pass = pass + 1;
    END
END^
SET TERM ; ^
COMMIT;
