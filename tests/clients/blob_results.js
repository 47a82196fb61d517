// blob_results.js - BLOB results read back whole through node-firebird, a
// client in pure JavaScript that speaks the wire protocol itself.  It sends
// an empty Buffer as a BLOB of one empty segment, and its reader stops at
// an empty segment: what it reads must be the whole result all the same.
//
//   node blob_results.js PORT DATABASE PASSWORD   (prints "N passed, N failed")
'use strict';
const Firebird = require('node-firebird');

const [port, database, password] = process.argv.slice(2);
let passed = 0;
let failed = 0;

function check(ok, what) {
    if (ok) {
        passed++;
    } else {
        failed++;
        console.log('FAILED: ' + what);
    }
}

// The result BLOB of a function lives in the transaction that made it.
function readBlob(field, transaction) {
    return new Promise((resolve, reject) => {
        field(transaction, (err, name, stream) => {
            if (err) return reject(err);
            const chunks = [];
            stream.on('data', (chunk) => chunks.push(chunk));
            stream.on('end', () => resolve(Buffer.concat(chunks)));
            stream.on('error', reject);
        });
    });
}

function query(db, sql, params) {
    return new Promise((resolve, reject) => {
        db.transaction(Firebird.ISOLATION_READ_COMMITTED, (err, tr) => {
            if (err) return reject(err);
            tr.query(sql, params, async (err, rows) => {
                if (err) {
                    tr.rollback(() => reject(err));
                    return;
                }
                try {
                    const value = await readBlob(rows[0].result, tr);
                    tr.commit(() => resolve(value));
                } catch (e) {
                    tr.rollback(() => reject(e));
                }
            });
        });
    });
}

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

const options = {host: '127.0.0.1', port: Number(port), database, user: 'SYSDBA', password,
    lowercase_keys: true};

Firebird.attach(options, async (err, db) => {
    if (err) {
        console.log('attach: ' + err.message);
        console.log('0 passed, 1 failed');
        process.exit(1);
    }
    for (const [name, sql, params, expected] of cases) {
        try {
            const got = await query(db, sql, params);
            check(got.equals(expected), `${name}: read ${got.length} bytes, ${expected.length} expected`);
        } catch (e) {
            check(false, `${name}: ${e.message}`);
        }
    }
    db.detach(() => {
        console.log(`${passed} passed, ${failed} failed`);
        process.exit(failed === 0 ? 0 : 1);
    });
});
