-- Number functions from SQL: absolute values, the three rounding modes,
-- and octal text.  NULL arguments are in nulls.sql.
SET LIST ON;

SELECT UDF_ABS(-1.5) AS abs_neg, UDF_ABS(2.25) AS abs_pos,
       UDF_IABS(-5) AS iabs, UDF_IABS(-2147483648) AS iabs_min, UDF_IABS(2147483647) AS iabs_max
FROM RDB$DATABASE;

CREATE TABLE amounts (v DOUBLE PRECISION);
COMMIT;
INSERT INTO amounts VALUES (2.7);
INSERT INTO amounts VALUES (-2.7);
INSERT INTO amounts VALUES (2.5);
INSERT INTO amounts VALUES (-2.5);
INSERT INTO amounts VALUES (0.49999999999999994);
INSERT INTO amounts VALUES (4503599627370497);
INSERT INTO amounts VALUES (-0.3);
SELECT v, UDF_ROUND(v, 0) AS toward_zero, UDF_ROUND(v, 1) AS away_from_zero,
       UDF_ROUND(v, 2) AS half_away, UDF_ROUND(v, 3) AS bad_mode
FROM amounts;

SELECT UDF_OCT('17') AS o17, UDF_OCT('-17') AS o_neg, UDF_OCT('  +777') AS o_blank,
       UDF_OCT('019') AS o_stop, UDF_OCT('20000000000') AS o_min, UDF_OCT('37777777777') AS o_all,
       UDF_OCT('0x1F') AS o_hex, UDF_OCT('') AS o_empty
FROM RDB$DATABASE;
