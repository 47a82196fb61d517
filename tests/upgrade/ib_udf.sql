-- ib_udf's STRLEN made a PSQL function of the built-in under its own name
-- (a NULL, which it got as an empty text, still 0), and its index built
-- from that, as the guide has a DBA do before UdfAccess is taken back.
SET TERM ^ ;
ALTER FUNCTION STRLEN (S VARCHAR(255)) RETURNS INTEGER AS
BEGIN
    RETURN OCTET_LENGTH(COALESCE(S, ''));
END^
SET TERM ; ^
COMMIT;
ALTER INDEX CUSTOMERS_NAME_STRLEN INACTIVE;
ALTER INDEX CUSTOMERS_NAME_STRLEN ACTIVE;
COMMIT;
