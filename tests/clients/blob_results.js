// blob_results.js - BLOB results read back whole through node-firebird, a
// client in pure JavaScript that speaks the wire protocol itself.  It sends
// an empty Buffer as a BLOB of one empty segment, and its reader stops at
// an empty segment: what it reads must be the whole result all the same.
//
//   node blob_results.js PORT DATABASE PASSWORD   (prints "N passed, N failed")
'use strict';
const {check, firstRow, session} = require('./client');

const [port, database, password] = process.argv.slice(2);

const cases = [
    ['UDF_BLOBCAT after an empty Buffer', 'SELECT UDF_BLOBCAT(?, UDF_STRTOBLOB(?)) AS result FROM RDB$DATABASE',
        [Buffer.alloc(0), 'x'.repeat(1500)], Buffer.from('x'.repeat(1500))],
    ['UDF_BLOBADDSTR after an empty Buffer', 'SELECT UDF_BLOBADDSTR(?, ?) AS result FROM RDB$DATABASE',
        [Buffer.alloc(0), 'tail'], Buffer.from('tail')],
    ['UDF_BLOBSJISUPPER of an empty Buffer', 'SELECT UDF_BLOBSJISUPPER(?) AS result FROM RDB$DATABASE',
        [Buffer.alloc(0)], Buffer.alloc(0)],
    ['UDF_BLOBSJISUPPER of Shift-JIS', 'SELECT UDF_BLOBSJISUPPER(?) AS result FROM RDB$DATABASE',
        [Buffer.from([0x61, 0x82, 0x81, 0x62])], Buffer.from([0x41, 0x82, 0x60, 0x42])],
    ['UDF_STRTOBLOB of 5000 bytes', 'SELECT UDF_STRTOBLOB(?) AS result FROM RDB$DATABASE',
        ['z'.repeat(5000)], Buffer.from('z'.repeat(5000))],
];

session(port, database, password, async (db) => {
    for (const [name, sql, params, expected] of cases) {
        try {
            const got = (await firstRow(db, sql, params)).result;
            check(got.equals(expected), `${name}: read ${got.length} bytes, ${expected.length} expected`);
        } catch (e) {
            check(false, `${name}: ${e.message}`);
        }
    }
});
