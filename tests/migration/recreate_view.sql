-- The view again from its own text: on a server without CSTRING columns
-- (Firebird 6), a view column that came from a legacy CSTRING result is of
-- a type the server no longer knows until the view is made anew.
SET TERM ^ ;
EXECUTE BLOCK AS
    DECLARE source BLOB SUB_TYPE TEXT;
BEGIN
    SELECT RDB$VIEW_SOURCE FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'CUSTOMER_VIEW'
        INTO source;
    EXECUTE STATEMENT 'ALTER VIEW customer_view AS ' || source;
END^
SET TERM ; ^
COMMIT;
