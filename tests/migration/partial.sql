-- A partial index whose condition calls a function: the legacy one counts
-- a NULL name 0 bytes, the routine gives NULL.
CREATE INDEX customers_no_name ON customers (id) WHERE UDF_STRLEN(name) = 0;
COMMIT;
