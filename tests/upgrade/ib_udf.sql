-- ib_udf's LTRIM made a PSQL function of the built-in under its own name,
-- and its index built from that, as the guide has a DBA do before UdfAccess
-- is taken back.
SET TERM ^ ;
ALTER FUNCTION LTRIM (S VARCHAR(255)) RETURNS VARCHAR(255) AS
BEGIN
    RETURN TRIM(LEADING FROM S);
END^
SET TERM ; ^
COMMIT;
ALTER INDEX CUSTOMERS_NAME_LTRIM INACTIVE;
ALTER INDEX CUSTOMERS_NAME_LTRIM ACTIVE;
COMMIT;
