-- What the application reads and writes through the functions: the view,
-- the procedure, the trigger on insert and update, and a text as long as
-- its declaration allows.  The same before and after the move.
SET LIST ON;
SELECT * FROM CUSTOMER_VIEW ORDER BY ID;
SELECT * FROM RENEWALS(13);
INSERT INTO CUSTOMERS (ID, NAME, JOINED, NOTE) VALUES (3, ' 新規 ｘ ', PARSE_DATE('2024-02-29'), 'new');
UPDATE CUSTOMERS SET NAME = NAME || 'ｙ' WHERE ID = 1;
SELECT ID, NAME_UPPER, CAST(NOTE_UPPER AS VARCHAR(200)) AS NOTE_UPPER FROM CUSTOMERS ORDER BY ID;
SELECT "StrLength"(LPAD(CAST('' AS VARCHAR(1) CHARACTER SET SJIS_0208), 16000,
                        CAST('あ' AS VARCHAR(1) CHARACTER SET SJIS_0208))) AS LONGEST,
       "StrLength"(LPAD('', 10000, 'x')) AS TEN_THOUSAND,
       CAST(CAST(BLOB_UPPER(CAST('aｂc日本' AS BLOB SUB_TYPE TEXT CHARACTER SET SJIS_0208))
                 AS BLOB SUB_TYPE TEXT CHARACTER SET SJIS_0208) AS VARCHAR(20)) AS BLOB_CASE
FROM RDB$DATABASE;
ROLLBACK;
