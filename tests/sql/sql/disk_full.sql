-- A write that fails returns the system's own error number: 28 (ENOSPC)
-- from Linux, 112 (ERROR_DISK_FULL) from Windows.
SET LIST ON;
SELECT UDF_BLOBTOFILE(UDF_STRTOBLOB('x'), '/dev/full', 0) AS disk_full FROM RDB$DATABASE;
