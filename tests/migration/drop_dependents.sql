-- The dependents of schema.sql, dropped so that the functions can go.  The
-- table goes too, with its index: the 6.0 snapshot's DROP INDEX of an
-- expression index leaves an index RDB$TEMP_DEPEND_n that keeps the function.
DROP TRIGGER customers_fill;
DROP PROCEDURE anniversary;
DROP VIEW customer_view;
DROP TABLE customers;
DROP FUNCTION name_length_of;
DROP PROCEDURE name_length;
COMMIT;
