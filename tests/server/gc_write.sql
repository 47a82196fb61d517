-- Writer @WRITER@: its own rows inserted or changed, NULLs among them, some deleted.
SET TERM ^ ;
EXECUTE BLOCK AS
    DECLARE n INTEGER = 0;
    DECLARE id INTEGER;
BEGIN
    WHILE (n < 30) DO
    BEGIN
        id = @WRITER@ * 1000 + CAST(RAND() * 200 AS INTEGER);
        UPDATE OR INSERT INTO GC_ROWS (ID, WRITER, T, B, J)
            VALUES (:id, @WRITER@,
                    IIF(MOD(:id, 17) = 0, NULL, 'row ' || :id || ' かなｶﾅ' || LEFT('abcＡｂｃ', CAST(RAND() * 6 AS INTEGER))),
                    IIF(MOD(:id, 19) = 0, NULL, CAST('blob ' || LPAD('', CAST(RAND() * 40 AS INTEGER), 'あ') AS BLOB SUB_TYPE TEXT)),
                    IIF(RAND() < 0.5, '10:30', '2002/6/' || (MOD(:id, 28) + 1)))
            MATCHING (ID);
        n = n + 1;
    END
    DELETE FROM GC_ROWS WHERE WRITER = @WRITER@ AND MOD(ID, 7) = CAST(RAND() * 7 AS INTEGER);
END^
SET TERM ; ^
COMMIT;
