-- What the dependents give; the same before and after the move.
SET LIST ON;
INSERT INTO customers (id, name, joined, memo) VALUES (3, ' new  ', TIMESTAMP '2024-02-29 00:00:00', 'x');
UPDATE customers SET name = name || ' ' WHERE id = 1;
SELECT * FROM customer_view ORDER BY id;
SELECT id, name_upper, CAST(memo AS VARCHAR(100) CHARACTER SET OCTETS) AS memo FROM customers ORDER BY id;
SELECT * FROM anniversary(1);
SELECT IIF((SELECT LIST(id) FROM customers WHERE UDF_STRLEN(name) IS NULL
            PLAN (customers INDEX (customers_name_bytes))) IS NOT DISTINCT FROM
           (SELECT LIST(id) FROM customers WHERE UDF_STRLEN(name) + 0 IS NULL),
           CAST('agree' AS VARCHAR(6)), 'differ') AS name_bytes_index,
       IIF((SELECT LIST(id) FROM customers WHERE name_length_of(name) IS NULL
            PLAN (customers INDEX (customers_name_length))) IS NOT DISTINCT FROM
           (SELECT LIST(id) FROM customers WHERE name_length_of(name) + 0 IS NULL),
           CAST('agree' AS VARCHAR(6)), 'differ') AS name_length_index
FROM RDB$DATABASE;
ROLLBACK;
