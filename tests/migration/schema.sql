-- A database that depends on the functions: a view, a stored procedure, a
-- trigger and an expression index, each calling some of them.  Its rows are data.sql.
CREATE TABLE customers (
    id INTEGER NOT NULL PRIMARY KEY,
    name VARCHAR(60) CHARACTER SET NONE,
    name_upper VARCHAR(60) CHARACTER SET NONE,
    joined TIMESTAMP,
    memo BLOB SUB_TYPE 0
);
-- The legacy function gives 0 for a NULL name, the routine NULL: the
-- migration builds the index anew.
CREATE INDEX customers_name_bytes ON customers COMPUTED BY (UDF_STRLEN(name));
COMMIT;

CREATE VIEW customer_view AS
    SELECT id, UDF_TRIM(name) AS name, UDF_GETYEAR(joined) AS joined_year,
           UDF_DIFFDAY(joined, TIMESTAMP '2000-01-01 00:00:00') AS days_since_2000,
           UDF_BLOBSIZE(memo) AS memo_size
    FROM customers;

SET TERM ^ ;
CREATE TRIGGER customers_fill FOR customers BEFORE INSERT OR UPDATE AS
BEGIN
    NEW.name_upper = UDF_SJISUPPER(UDF_TRIM(NEW.name));
    NEW.memo = UDF_BLOBADDSTR(NEW.memo, UDF_STRCAT('|', UDF_TRIM(NEW.name)));
END^

CREATE PROCEDURE anniversary (years INTEGER)
    RETURNS (id INTEGER, due TIMESTAMP, weekday INTEGER, rounded DOUBLE PRECISION)
AS
BEGIN
    FOR SELECT id, UDF_ADDDATE(joined, :years, 0, 0) FROM customers ORDER BY id INTO :id, :due DO
    BEGIN
        weekday = UDF_DAYOFWEEK(due);
        rounded = UDF_ROUND(id / 3.0, 2);
        SUSPEND;
    END
END^
SET TERM ; ^
COMMIT;

-- An index through a PSQL function that reaches a function through a
-- procedure, and one its DBA made inactive.
SET TERM ^ ;
CREATE PROCEDURE name_length (t VARCHAR(60) CHARACTER SET NONE) RETURNS (n INTEGER) AS
BEGIN
    n = UDF_STRLEN(t);
    SUSPEND;
END^
CREATE FUNCTION name_length_of (t VARCHAR(60) CHARACTER SET NONE) RETURNS INTEGER AS
BEGIN
    RETURN (SELECT n FROM name_length(:t));
END^
SET TERM ; ^
CREATE INDEX customers_name_length ON customers COMPUTED BY (name_length_of(name));
CREATE INDEX customers_name_off ON customers COMPUTED BY (UDF_STRLEN(name) + 1);
ALTER INDEX customers_name_off INACTIVE;
COMMIT;
