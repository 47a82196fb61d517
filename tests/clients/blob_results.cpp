// blob_results - BLOB results read back whole through the client API, over
// the network, as a client program reads them.  Each input BLOB is made by
// the client, some with an empty segment (as some drivers send an empty
// value), and each result is read segment by segment to its end.
//
//   blob_results DATABASE PASSWORD     (a database with the functions declared)
//
// Prints "N passed, N failed".
#include <ibase.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

ISC_STATUS_ARRAY status;
isc_db_handle db = 0;
isc_tr_handle tr = 0;
int passed = 0, failed = 0;

bool failed_call(const char* what) {
    if (status[0] == 1 && status[1] != 0) {
        std::printf("%s failed:\n", what);
        isc_print_status(status);
        return true;
    }
    return false;
}

void check(bool ok, const std::string& what) {
    ++(ok ? passed : failed);
    if (!ok) {
        std::printf("FAILED: %s\n", what.c_str());
    }
}

// A BLOB of these segments; an empty string is an empty segment.
ISC_QUAD make_blob(const std::vector<std::string>& segments) {
    isc_blob_handle blob = 0;
    ISC_QUAD id{};
    isc_create_blob2(status, &db, &tr, &blob, &id, 0, nullptr);
    for (const std::string& s : segments) {
        isc_put_segment(status, &blob, static_cast<unsigned short>(s.size()), s.data());
    }
    isc_close_blob(status, &blob);
    return id;
}

// The whole BLOB, segment by segment to its end, and whether an empty
// segment came before the end.
std::string read_blob(ISC_QUAD id, bool* empty_segment) {
    isc_blob_handle blob = 0;
    isc_open_blob2(status, &db, &tr, &blob, &id, 0, nullptr);
    std::string bytes;
    char buffer[1024];
    unsigned short length = 0;
    *empty_segment = false;
    for (;;) {
        const ISC_STATUS result =
            isc_get_segment(status, &blob, &length, sizeof buffer, buffer);
        if (result != 0 && result != isc_segment) {
            break;
        }
        *empty_segment = *empty_segment || (length == 0 && result == 0);
        bytes.append(buffer, length);
    }
    isc_close_blob(status, &blob);
    return bytes;
}

// Runs `sql`, whose parameters are the BLOBs, and returns the BLOB of its
// one row.
std::string blob_result(const char* sql, const std::vector<ISC_QUAD>& inputs,
                        bool* empty) {
    isc_stmt_handle stmt = 0;
    isc_dsql_allocate_statement(status, &db, &stmt);
    XSQLDA* out = static_cast<XSQLDA*>(::operator new(XSQLDA_LENGTH(1)));
    std::memset(out, 0, XSQLDA_LENGTH(1));
    out->version = SQLDA_VERSION1;
    out->sqln = 1;
    isc_dsql_prepare(status, &tr, &stmt, 0, sql, 3, out);
    if (failed_call(sql)) {
        ::operator delete(out);
        return "<error>";
    }
    const short n = static_cast<short>(inputs.size());
    XSQLDA* in = static_cast<XSQLDA*>(::operator new(XSQLDA_LENGTH(n > 0 ? n : 1)));
    std::memset(in, 0, XSQLDA_LENGTH(n > 0 ? n : 1));
    in->version = SQLDA_VERSION1;
    in->sqln = in->sqld = n;
    std::vector<ISC_QUAD> ids = inputs;
    for (short i = 0; i < n; ++i) {
        in->sqlvar[i].sqltype = SQL_BLOB;
        in->sqlvar[i].sqllen = sizeof(ISC_QUAD);
        in->sqlvar[i].sqldata = reinterpret_cast<char*>(&ids[i]);
    }
    ISC_QUAD result{};
    short result_null = 0;
    out->sqlvar[0].sqldata = reinterpret_cast<char*>(&result);
    out->sqlvar[0].sqlind = &result_null;
    isc_dsql_execute(status, &tr, &stmt, 1, n > 0 ? in : nullptr);
    isc_dsql_fetch(status, &stmt, 1, out);
    std::string bytes = failed_call(sql) ? "<error>" : read_blob(result, empty);
    isc_dsql_free_statement(status, &stmt, DSQL_drop);
    ::operator delete(in);
    ::operator delete(out);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: blob_results DATABASE PASSWORD\n");
        return 2;
    }
    std::vector<char> dpb = {isc_dpb_version1};
    auto add = [&](char item, const char* value) {
        dpb.push_back(item);
        dpb.push_back(static_cast<char>(std::strlen(value)));
        dpb.insert(dpb.end(), value, value + std::strlen(value));
    };
    add(isc_dpb_user_name, "SYSDBA");
    add(isc_dpb_password, argv[2]);
    isc_attach_database(status, 0, argv[1], &db, static_cast<short>(dpb.size()),
                        dpb.data());
    if (failed_call("attach")) {
        std::printf("0 passed, 1 failed\n");
        return 1;
    }
    isc_start_transaction(status, &tr, 1, &db, 0, nullptr);

    const std::string long_text(1500, 'x');
    struct Case {
        const char* name;
        const char* sql;
        std::vector<std::vector<std::string>> inputs;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"UDF_BLOBCAT after an empty segment",
         "SELECT UDF_BLOBCAT(?, UDF_STRTOBLOB(LPAD('', 1500, 'x'))) FROM RDB$DATABASE",
         {{""}},
         long_text},
        {"UDF_BLOBCAT of empty segments",
         "SELECT UDF_BLOBCAT(?, ?) FROM RDB$DATABASE",
         {{"", "ab", ""}, {"", "", "c"}},
         "abc"},
        {"UDF_BLOBADDSTR after an empty segment",
         "SELECT UDF_BLOBADDSTR(?, 'tail') FROM RDB$DATABASE",
         {{""}},
         "tail"},
        {"UDF_BLOBSJISUPPER across segments and an empty one",
         "SELECT UDF_BLOBSJISUPPER(?) FROM RDB$DATABASE",
         {{"a\x82", "",
           "\x81"
           "b",
           "\x82"}},
         "A\x82\x60"
         "B\x82"},
        {"UDF_BLOBSJISLOWER of a lone lead byte",
         "SELECT UDF_BLOBSJISLOWER(?) FROM RDB$DATABASE",
         {{"\x82", "\x60"}},
         "\x82\x81"},
        {"UDF_STRTOBLOB of 20000 bytes",
         "SELECT UDF_STRTOBLOB(LPAD('', 20000, 'z')) FROM RDB$DATABASE",
         {},
         std::string(20000, 'z')},
    };
    for (const Case& c : cases) {
        std::vector<ISC_QUAD> ids;
        for (const auto& segments : c.inputs) {
            ids.push_back(make_blob(segments));
        }
        bool empty = false;
        const std::string got = blob_result(c.sql, ids, &empty);
        check(got == c.expected, std::string(c.name) + ": read back " +
                                     std::to_string(got.size()) + " bytes, " +
                                     std::to_string(c.expected.size()) + " expected");
        check(!empty, std::string(c.name) + ": no empty segment in the result");
    }
    isc_rollback_transaction(status, &tr);
    isc_detach_database(status, &db);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
