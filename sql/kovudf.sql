/* kovudf.sql - declares the kovudf functions in a dialect-3 database.

   Run it once per database:   isql-fb -i kovudf.sql <database>
   The module kovudf.so / kovudf.dll must sit in a directory the server's
   UdfAccess setting allows (see the README).  kovudf_drop.sql removes
   everything declared here; the two file functions are declared separately
   in kovudf_files.sql because they reach the server machine's files.

   Conventions used below:
   - Every argument carries the NULL keyword, so SQL NULL reaches the module
     as a missing value: a function that returns text or a date then returns
     NULL, one that returns a number returns 0.
   - Texts are CHARACTER SET NONE: bytes pass unchanged, whatever the
     database's character set (Shift-JIS text keeps its bytes).
   - CSTRING(4096) for ordinary text.  The server copies the declared size on
     every call, so a larger size costs time on every row; raise it here if
     your texts are longer. */

/* ---- Text ---------------------------------------------------------------- */

DECLARE EXTERNAL FUNCTION UDF_STRLEN
    CSTRING(4096) CHARACTER SET NONE NULL
    RETURNS INTEGER BY VALUE
    ENTRY_POINT '_UDF_StrLen' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_VSTRLEN
    VARCHAR(4096) CHARACTER SET NONE NULL
    RETURNS SMALLINT BY VALUE
    ENTRY_POINT '_UDF_VStrLen' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_STRCAT
    CSTRING(4096) CHARACTER SET NONE NULL,
    CSTRING(4096) CHARACTER SET NONE NULL
    RETURNS CSTRING(8192) CHARACTER SET NONE FREE_IT
    ENTRY_POINT '_UDF_StrCat' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_SUBSTR
    CSTRING(4096) CHARACTER SET NONE NULL, SMALLINT NULL, SMALLINT NULL
    RETURNS CSTRING(4096) CHARACTER SET NONE FREE_IT
    ENTRY_POINT '_UDF_SubStr' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_VSUBSTR
    CSTRING(4096) CHARACTER SET NONE NULL, SMALLINT NULL, SMALLINT NULL
    RETURNS VARCHAR(4096) CHARACTER SET NONE FREE_IT
    ENTRY_POINT '_UDF_VSubStr' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_VSTRCMP
    VARCHAR(4096) CHARACTER SET NONE NULL,
    VARCHAR(4096) CHARACTER SET NONE NULL
    RETURNS INTEGER BY VALUE
    ENTRY_POINT '_UDF_VStrCmp' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_SJISUPPER
    CSTRING(4096) CHARACTER SET NONE NULL
    RETURNS CSTRING(4096) CHARACTER SET NONE FREE_IT
    ENTRY_POINT '_UDF_SjisUpper' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_SJISLOWER
    CSTRING(4096) CHARACTER SET NONE NULL
    RETURNS CSTRING(4096) CHARACTER SET NONE FREE_IT
    ENTRY_POINT '_UDF_SjisLower' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_TRIM
    CSTRING(4096) CHARACTER SET NONE NULL
    RETURNS CSTRING(4096) CHARACTER SET NONE FREE_IT
    ENTRY_POINT '_UDF_Trim' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_TRIMLEFT
    CSTRING(4096) CHARACTER SET NONE NULL
    RETURNS CSTRING(4096) CHARACTER SET NONE FREE_IT
    ENTRY_POINT '_UDF_TrimLeft' MODULE_NAME 'kovudf';

DECLARE EXTERNAL FUNCTION UDF_TRIMRIGHT
    CSTRING(4096) CHARACTER SET NONE NULL
    RETURNS CSTRING(4096) CHARACTER SET NONE FREE_IT
    ENTRY_POINT '_UDF_TrimRight' MODULE_NAME 'kovudf';

COMMIT;
