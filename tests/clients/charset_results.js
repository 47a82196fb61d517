// charset_results.js - what a UTF8 client sees of the routines declared in
// a SJIS_0208 or UTF8 database, through node-firebird (pure JavaScript, the
// wire protocol itself, UTF8 connection by default).  Each text result must
// equal what the same client gets from the built-in doing the same job, and
// each text BLOB result what it gets from a stored text BLOB column holding
// the same text.
//
//   node charset_results.js PORT DATABASE PASSWORD BLOB_CHARSET
//
// BLOB_CHARSET is "yes" where the server keeps a function's text BLOB
// result in its character set (Firebird 4 on); elsewhere a BLOB result is
// read through CAST(... AS BLOB SUB_TYPE TEXT CHARACTER SET <the set>).
'use strict';
const {check, firstRow, run, session} = require('./client');

const [port, database, password, blobCharset] = process.argv.slice(2);
const texts = ['日本abcａ？', 'ａｂｃＡＢＣ abc', '  　カナｶﾅ  ', 'Ｚｚ＠｛｀［', 'ｔｅｘｔ日本語テキスト'];

// The first row of a query, BLOB fields read whole as UTF-8 text.
async function row(db, sql, params) {
    const out = await firstRow(db, sql, params);
    for (const [key, value] of Object.entries(out)) {
        if (Buffer.isBuffer(value)) out[key] = value.toString('utf8');
    }
    return out;
}

session(port, database, password, async (db) => {
    const set = (await row(db, 'SELECT TRIM(RDB$CHARACTER_SET_NAME) AS s FROM RDB$DATABASE', [])).s;
    const blob = (e) => (blobCharset === 'yes' ? e : `CAST(${e} AS BLOB SUB_TYPE TEXT CHARACTER SET ${set})`);
    // Stored text BLOBs: what the client makes of a BLOB in the set.
    await run(db, 'CREATE TABLE charset_rows (id INTEGER, s VARCHAR(40), b BLOB SUB_TYPE TEXT, ' +
        'b_up BLOB SUB_TYPE TEXT, b_lo2 BLOB SUB_TYPE TEXT, b_2 BLOB SUB_TYPE TEXT)', []);
    for (const [i, t] of texts.entries()) {
        await run(db, 'INSERT INTO charset_rows (id, s) VALUES (?, ?)', [i, t]);
    }
    await run(db, 'UPDATE charset_rows SET b = s, b_up = UPPER(s), b_lo2 = LOWER(s || s), b_2 = s || s', []);
    // Each pair: a kovudf routine, and what a built-in or the column gives.
    const pairs = [
        ['UDF_SJISUPPER(s)', 'UPPER(s)'],
        ['UDF_SJISLOWER(s)', 'LOWER(s)'],
        ['UDF_TRIM(s)', 'TRIM(BOTH \' \' FROM s)'],
        ['UDF_TRIMRIGHT(s)', 'TRIM(TRAILING \' \' FROM s)'],
        ['UDF_STRCAT(s, s)', 's || s'],
        ['UDF_STRLEN(s)', 'OCTET_LENGTH(s)'],
        ['UDF_SUBSTR(s, 0, OCTET_LENGTH(LEFT(s, 3)))', 'LEFT(s, 3)'],
        ['UDF_SUBSTR(s, 0, OCTET_LENGTH(LEFT(s, 3)) + 1)', 'LEFT(s, 3) || IIF(OCTET_LENGTH(SUBSTRING(s FROM 4 FOR 1)) = 1, SUBSTRING(s FROM 4 FOR 1), \'\')'],
        ['UDF_VSUBSTR(s, OCTET_LENGTH(LEFT(s, 2)), 100)', 'SUBSTRING(s FROM 3)'],
        ['UDF_BLOBSUBSTR(UDF_STRTOBLOB(s), OCTET_LENGTH(LEFT(s, 1)), OCTET_LENGTH(SUBSTRING(s FROM 2 FOR 3)) + 1)',
            'SUBSTRING(s FROM 2 FOR 3) || IIF(OCTET_LENGTH(SUBSTRING(s FROM 5 FOR 1)) = 1, SUBSTRING(s FROM 5 FOR 1), \'\')'],
        [blob('UDF_STRTOBLOB(s)'), 'b'],
        [blob('UDF_BLOBSJISUPPER(b)'), 'b_up'],
        [blob('UDF_BLOBSJISLOWER(UDF_BLOBADDSTR(b, s))'), 'b_lo2'],
        [blob('UDF_BLOBCAT(b, UDF_STRTOBLOB(s))'), 'b_2'],
    ];
    for (const [ours, theirs] of pairs) {
        const wrong = [];
        for (const [i, t] of texts.entries()) {
            const r = await row(db, `SELECT ${ours} AS ours, ${theirs} AS theirs, s FROM charset_rows WHERE id = ?`, [i]);
            if (r.s !== t || r.ours !== r.theirs) {
                wrong.push(`on "${t}": ${JSON.stringify(r.ours)}, expected ${JSON.stringify(r.theirs)}`);
            }
        }
        check(wrong.length === 0, `${set} ${ours} ${wrong.join('; ')}`);
    }
    // Parameters travel from the client's UTF-8 into the set and back.
    // Bytes 2 to 5 of 日本語: two whole characters in Shift-JIS, one in UTF-8.
    const r = await row(db, 'SELECT UDF_SJISUPPER(?) AS up, UDF_SUBSTR(?, 2, 4) AS sub FROM RDB$DATABASE',
        ['ａｂc日本', '日本語']);
    const sub = set === 'UTF8' ? '本' : '本語';
    check(r.up === 'ＡＢC日本' && r.sub === sub, `${set} parameters: ${JSON.stringify(r)}`);
});
