/* kovudf_udr_utf8_files.sql - the two kovudf functions that touch files, as
   external routines (UDR) for a database whose texts are UTF8: file names
   are in that character set.

   UDF_FILETOBLOB reads, and UDF_BLOBTOFILE creates or overwrites, any file
   that the server process may open, named by whoever calls them.  Declare
   them only in databases that need them, and only let trusted users run
   them:

       REVOKE EXECUTE ON FUNCTION UDF_BLOBTOFILE FROM PUBLIC;
       GRANT EXECUTE ON FUNCTION UDF_BLOBTOFILE TO ROLE file_export;

   UDF_FILETOBLOB reads regular files only.  UDF_BLOBTOFILE returns 0 when
   every byte was written, -999 for a NULL BLOB (no file is touched), -1
   when the file cannot be created, and the system's error number when a
   write fails.  The third argument is required but not used.  A file name
   holding a zero byte is refused. */

CREATE FUNCTION UDF_FILETOBLOB (FILE_NAME VARCHAR(256) CHARACTER SET UTF8)
    RETURNS BLOB
    EXTERNAL NAME 'kovudf!FileToBlob' ENGINE UDR;

CREATE FUNCTION UDF_BLOBTOFILE (B BLOB, FILE_NAME VARCHAR(256) CHARACTER SET UTF8, UNUSED INTEGER)
    RETURNS INTEGER
    EXTERNAL NAME 'kovudf!BlobToFile' ENGINE UDR;

COMMIT;
