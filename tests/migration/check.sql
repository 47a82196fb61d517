-- What the dependents give; the same before and after the move.
SET LIST ON;
INSERT INTO customers (id, name, joined, memo) VALUES (3, ' new  ', TIMESTAMP '2024-02-29 00:00:00', 'x');
UPDATE customers SET name = name || ' ' WHERE id = 1;
SELECT * FROM customer_view ORDER BY id;
SELECT id, name_upper, CAST(memo AS VARCHAR(100) CHARACTER SET OCTETS) AS memo FROM customers ORDER BY id;
SELECT * FROM anniversary(1);
ROLLBACK;
