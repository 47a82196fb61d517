-- A table of a SJIS_0208 database whose indexes are computed by routines:
-- one that needs nothing of the server, one that reads a BLOB and one that
-- asks the session for today (both through the attachment), and a
-- computed column.  Writers change and delete rows under them, so the
-- server collects old keys all the time.
CREATE TABLE GC_ROWS (
    ID INTEGER NOT NULL PRIMARY KEY,
    WRITER SMALLINT NOT NULL,
    T VARCHAR(40),
    B BLOB SUB_TYPE TEXT,
    J VARCHAR(20),
    BYTES COMPUTED BY (UDF_STRLEN(T))
);
CREATE INDEX GC_UPPER ON GC_ROWS COMPUTED BY (CAST(UDF_SJISUPPER(T) AS VARCHAR(40) CHARACTER SET SJIS_0208));
CREATE INDEX GC_BLOBSIZE ON GC_ROWS COMPUTED BY (UDF_BLOBSIZE(B));
CREATE INDEX GC_TODAY ON GC_ROWS COMPUTED BY (UDF_JDATE(J));
CREATE INDEX GC_BYTES ON GC_ROWS COMPUTED BY (BYTES);
COMMIT;
