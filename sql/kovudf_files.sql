/* kovudf_files.sql - the two kovudf functions that touch files.

   UDF_FILETOBLOB reads, and UDF_BLOBTOFILE creates or overwrites, any file
   that the server process may open, named by whoever calls them.  Declare
   them only in databases that need them, and only let trusted users run
   them:

       REVOKE EXECUTE ON FUNCTION UDF_BLOBTOFILE FROM PUBLIC;
       GRANT EXECUTE ON FUNCTION UDF_BLOBTOFILE TO ROLE file_export;

   UDF_BLOBTOFILE returns 0 when every byte was written, -999 for a NULL
   BLOB (no file is touched), -1 when the file cannot be created, and the
   system's error number when a write fails (for example 28, no space left,
   on Linux).  The third argument is required but not used. */

DECLARE EXTERNAL FUNCTION UDF_FILETOBLOB
    CSTRING(1024) CHARACTER SET NONE NULL, BLOB
    RETURNS PARAMETER 2
    ENTRY_POINT '_UDF_FileToBlob' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_BLOBTOFILE
    BLOB, CSTRING(1024) CHARACTER SET NONE NULL, INTEGER NULL
    RETURNS INTEGER BY VALUE
    ENTRY_POINT '_UDF_BlobToFile' MODULE_NAME 'kovudf';

COMMIT;
