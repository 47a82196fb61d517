-- The dependents of schema.sql, dropped so that the functions can go.
DROP TRIGGER customers_fill;
DROP PROCEDURE anniversary;
DROP VIEW customer_view;
COMMIT;
