// client.js - what the node-firebird checks share: a count of checks, the
// first row of a query with its BLOBs read whole, and a session on a real
// server that ends with "N passed, N failed".  Run by itself, it only logs
// in.
'use strict';
const Firebird = require('node-firebird');

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

// A function's result BLOB lives in the transaction that made it.
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

// The first row of a query in a transaction of its own, each BLOB field
// read whole into a Buffer.
function firstRow(db, sql, params) {
    return new Promise((resolve, reject) => {
        db.transaction(Firebird.ISOLATION_READ_COMMITTED, (err, tr) => {
            if (err) return reject(err);
            tr.query(sql, params, async (err, rows) => {
                if (err) return tr.rollback(() => reject(err));
                try {
                    const out = {};
                    for (const [key, value] of Object.entries(rows[0])) {
                        out[key] = typeof value === 'function' ? await readBlob(value, tr) : value;
                    }
                    tr.commit(() => resolve(out));
                } catch (e) {
                    tr.rollback(() => reject(e));
                }
            });
        });
    });
}

function run(db, sql, params) {
    return new Promise((resolve, reject) => db.query(sql, params, (e) => (e ? reject(e) : resolve())));
}

// Attaches to DATABASE on 127.0.0.1:PORT as SYSDBA, runs `body(db)`, then
// prints the count and exits with it.  An error that ends `body` is a
// failed check.
function session(port, database, password, body) {
    const options = {host: '127.0.0.1', port: Number(port), database, user: 'SYSDBA', password,
        lowercase_keys: true};
    Firebird.attach(options, async (err, db) => {
        if (err) {
            console.log('attach: ' + err.message);
            console.log('0 passed, 1 failed');
            process.exit(1);
        }
        try {
            await body(db);
        } catch (e) {
            check(false, e.message);
        }
        db.detach(() => {
            console.log(`${passed} passed, ${failed} failed`);
            process.exit(failed === 0 ? 0 : 1);
        });
    });
}

module.exports = {check, firstRow, run, session};

// node client.js PORT DATABASE PASSWORD: logs in and out, nothing more.
if (require.main === module) {
    session(...process.argv.slice(2), async () => {});
}
