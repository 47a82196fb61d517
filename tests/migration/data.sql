-- The rows of schema.sql's table; its trigger calls the functions.
INSERT INTO customers (id, name, joined, memo) VALUES (1, '  Ab' || x'8281', TIMESTAMP '2002-06-21 10:30:00', 'first');
INSERT INTO customers (id, name, joined, memo) VALUES (2, 'kana ' || x'B1B2', TIMESTAMP '1999-12-31 23:59:59', NULL);
INSERT INTO customers (id, name, joined, memo) VALUES (4, NULL, TIMESTAMP '2010-01-01 00:00:00', NULL);
COMMIT;
