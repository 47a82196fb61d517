-- The routines declared in the database's character set (UDF_*) against
-- the NONE routines (UDN_*) and the server's built-ins, over 2,000 generated
-- texts of ASCII, full-width Latin, near misses (＠ ｛ ｀ ［), kana, kanji,
-- the ideographic space, the euro and a 4-byte character, those the
-- database's set holds.  Read in a UTF8 connection; each column counts
-- disagreements the rules do not allow, so every count must be 0:
-- - lengths, joining, trimming and comparison see the same bytes as NONE;
-- - case is the built-in UPPER / LOWER (the alphabet has no other letters);
-- - a substring is the whole characters of the byte stretch, found here by
--   the built-in SUBSTRING, character by character;
-- - a BLOB holding the same bytes in three segments, cut anywhere (built by
--   the NONE routines, which may cut a character), gives the same results.
SET LIST ON;
CREATE TABLE alphabet (k INTEGER NOT NULL PRIMARY KEY, c VARCHAR(1));
SET TERM ^ ;
-- The letters the database's set holds, numbered from 0.
EXECUTE BLOCK AS
    DECLARE letters VARCHAR(24) CHARACTER SET UTF8 = 'aZ qａＡｚＺｗＷ＠｛｀［ｱ日あ　€😀';
    DECLARE i INTEGER = 1;
    DECLARE k INTEGER = 0;
BEGIN
    WHILE (i <= CHAR_LENGTH(letters)) DO
    BEGIN
        BEGIN
            INSERT INTO alphabet VALUES (:k, SUBSTRING(:letters FROM :i FOR 1));
            k = k + 1;
            WHEN ANY DO BEGIN END
        END
        i = i + 1;
    END
END^
SET TERM ; ^
CREATE TABLE rows_in (
    id INTEGER NOT NULL PRIMARY KEY,
    t VARCHAR(100),
    p INTEGER,
    n INTEGER,
    cut1 INTEGER,
    cut2 INTEGER,
    expected_sub VARCHAR(100),
    b BLOB
);
COMMIT;

SET TERM ^ ;
EXECUTE BLOCK AS
    DECLARE i INTEGER = 0;
    DECLARE j INTEGER;
    DECLARE len INTEGER;
    DECLARE letters INTEGER;
    -- INTEGER products only: a Windows engine of the matrix (a mingw build)
    -- miscomputes BIGINT ones.
    DECLARE seed INTEGER = 12345;
    DECLARE t TYPE OF COLUMN rows_in.t;
    DECLARE p INTEGER;
    DECLARE n INTEGER;
    DECLARE walked INTEGER;
    DECLARE w INTEGER;
    DECLARE first_char INTEGER;
    DECLARE chars INTEGER;
    DECLARE cut1 INTEGER;
    DECLARE cut2 INTEGER;
BEGIN
    SELECT COUNT(*) FROM alphabet INTO letters;
    WHILE (i < 2000) DO
    BEGIN
        seed = MOD(seed * 16807, 2147483647);
        len = MOD(seed / 65536, 16);
        t = '';
        j = 0;
        WHILE (j < len) DO
        BEGIN
            seed = MOD(seed * 16807, 2147483647);
            t = t || (SELECT c FROM alphabet WHERE k = MOD(:seed / 65536, :letters));
            j = j + 1;
        END
        seed = MOD(seed * 16807, 2147483647);
        p = MOD(seed / 65536, OCTET_LENGTH(t) + 3) - 1;
        seed = MOD(seed * 16807, 2147483647);
        n = MOD(seed / 65536, 12) - 1;
        seed = MOD(seed * 16807, 2147483647);
        cut1 = MOD(seed / 65536, OCTET_LENGTH(t) + 1);
        cut2 = cut1 + 1 + MOD(seed / 1024, 3);
        -- The whole characters within bytes p .. p + n.
        walked = 0;
        j = 1;
        first_char = 0;
        chars = 0;
        WHILE (j <= CHAR_LENGTH(t)) DO
        BEGIN
            w = OCTET_LENGTH(SUBSTRING(t FROM j FOR 1));
            IF (p >= 0 AND n > 0 AND walked >= p AND walked + w <= p + n) THEN
            BEGIN
                IF (first_char = 0) THEN
                    first_char = j;
                chars = chars + 1;
            END
            walked = walked + w;
            j = j + 1;
        END
        INSERT INTO rows_in VALUES (:i, :t, :p, :n, :cut1, :cut2,
            IIF(:chars = 0, '', SUBSTRING(:t FROM :first_char FOR :chars)),
            UDN_BLOBADDSTR(UDN_BLOBADDSTR(UDN_STRTOBLOB(UDN_SUBSTR(:t, 0, :cut1)),
                UDN_SUBSTR(:t, :cut1, :cut2 - :cut1)), UDN_SUBSTR(:t, :cut2, 100)));
        i = i + 1;
    END
END^
SET TERM ; ^
COMMIT;

SELECT COUNT(*) AS rows_compared FROM rows_in;

-- Bytes compared as bytes: OCTETS, which no collation pads or folds.
SELECT
    SUM(IIF(UDF_STRLEN(t) IS DISTINCT FROM UDN_STRLEN(t), 1, 0)) AS strlen,
    SUM(IIF(UDF_VSTRLEN(t) IS DISTINCT FROM UDN_VSTRLEN(t), 1, 0)) AS vstrlen,
    SUM(IIF(CAST(UDF_STRCAT(t, t) AS VARCHAR(400) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(UDN_STRCAT(t, t) AS VARCHAR(400) CHARACTER SET OCTETS), 1, 0)) AS strcat,
    SUM(IIF(CAST(UDF_TRIM(t) AS VARCHAR(100) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(UDN_TRIM(t) AS VARCHAR(100) CHARACTER SET OCTETS), 1, 0)) AS trim_both,
    SUM(IIF(CAST(UDF_TRIMLEFT(t) AS VARCHAR(100) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(UDN_TRIMLEFT(t) AS VARCHAR(100) CHARACTER SET OCTETS), 1, 0)) AS trimleft,
    SUM(IIF(CAST(UDF_TRIMRIGHT(t) AS VARCHAR(100) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(UDN_TRIMRIGHT(t) AS VARCHAR(100) CHARACTER SET OCTETS), 1, 0)) AS trimright,
    SUM(IIF(UDF_VSTRCMP(t, UDF_SJISUPPER(t)) IS DISTINCT FROM UDN_VSTRCMP(t, UDF_SJISUPPER(t)), 1, 0)) AS vstrcmp,
    SUM(IIF(CAST(UDF_SJISUPPER(t) AS VARCHAR(100) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(UPPER(t) AS VARCHAR(100) CHARACTER SET OCTETS), 1, 0)) AS sjisupper,
    SUM(IIF(CAST(UDF_SJISLOWER(t) AS VARCHAR(100) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(LOWER(t) AS VARCHAR(100) CHARACTER SET OCTETS), 1, 0)) AS sjislower,
    SUM(IIF(CAST(UDF_SUBSTR(t, p, n) AS VARCHAR(100) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(expected_sub AS VARCHAR(100) CHARACTER SET OCTETS), 1, 0)) AS substr,
    SUM(IIF(CAST(UDF_VSUBSTR(t, p, n) AS VARCHAR(100) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(expected_sub AS VARCHAR(100) CHARACTER SET OCTETS), 1, 0)) AS vsubstr,
    SUM(IIF(CAST(UDF_BLOBSUBSTR(b, p, n) AS VARCHAR(100) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(expected_sub AS VARCHAR(100) CHARACTER SET OCTETS), 1, 0)) AS blobsubstr,
    SUM(IIF(CAST(UDF_BLOBSJISUPPER(b) AS VARCHAR(100) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(UPPER(t) AS VARCHAR(100) CHARACTER SET OCTETS), 1, 0)) AS blobsjisupper,
    SUM(IIF(CAST(UDF_BLOBSJISLOWER(b) AS VARCHAR(100) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(LOWER(t) AS VARCHAR(100) CHARACTER SET OCTETS), 1, 0)) AS blobsjislower,
    SUM(IIF(CAST(UDF_BLOBCAT(b, b) AS VARCHAR(400) CHARACTER SET OCTETS)
            IS DISTINCT FROM CAST(t || t AS VARCHAR(400) CHARACTER SET OCTETS), 1, 0)) AS blobcat,
    -- The rows must cut characters, or the substring counts prove little.
    IIF(SUM(IIF(OCTET_LENGTH(UDN_SUBSTR(t, p, n)) > OCTET_LENGTH(expected_sub), 1, 0)) > 100, 0, 1) AS too_few_cuts
FROM rows_in;
