// put_long_segment - stores a BLOB made of one 60000-byte segment and one
// 5-byte segment, through the client API, so that SQL tests can read
// segments longer than 32767 bytes back through the UDFs.
//
//   put_long_segment DATABASE     (creates table long_segments)
//
// Byte i of the long segment is 'A' + i % 26; the short one is "tail!".
#include <ibase.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool failed(const ISC_STATUS* status, const char* what) {
    if (status[0] == 1 && status[1] != 0) {
        std::fprintf(stderr, "%s failed:\n", what);
        isc_print_status(status);
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: put_long_segment DATABASE\n");
        return 2;
    }
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;

    const char user[] = "SYSDBA";
    std::vector<char> dpb = {isc_dpb_version1, isc_dpb_user_name,
                             static_cast<char>(sizeof user - 1)};
    dpb.insert(dpb.end(), user, user + sizeof user - 1);
    isc_attach_database(status, 0, argv[1], &db, static_cast<short>(dpb.size()),
                        dpb.data());
    if (failed(status, "attach"))
        return 1;

    isc_start_transaction(status, &tr, 1, &db, 0, nullptr);
    isc_dsql_execute_immediate(
        status, &db, &tr, 0,
        "CREATE TABLE long_segments (id INTEGER, data BLOB SUB_TYPE 0)", 3, nullptr);
    if (failed(status, "create table"))
        return 1;
    isc_commit_transaction(status, &tr);
    isc_start_transaction(status, &tr, 1, &db, 0, nullptr);

    isc_blob_handle blob = 0;
    ISC_QUAD blob_id;
    isc_create_blob2(status, &db, &tr, &blob, &blob_id, 0, nullptr);
    if (failed(status, "create blob"))
        return 1;
    std::vector<char> segment(60000);
    for (size_t i = 0; i < segment.size(); ++i) {
        segment[i] = static_cast<char>('A' + i % 26);
    }
    isc_put_segment(status, &blob, static_cast<unsigned short>(segment.size()),
                    segment.data());
    isc_put_segment(status, &blob, 5, "tail!");
    isc_close_blob(status, &blob);
    if (failed(status, "write blob"))
        return 1;

    XSQLDA* params = static_cast<XSQLDA*>(::operator new(XSQLDA_LENGTH(1)));
    std::memset(params, 0, XSQLDA_LENGTH(1));
    params->version = SQLDA_VERSION1;
    params->sqln = params->sqld = 1;
    params->sqlvar[0].sqltype = SQL_BLOB;
    params->sqlvar[0].sqllen = sizeof blob_id;
    params->sqlvar[0].sqldata = reinterpret_cast<char*>(&blob_id);
    isc_dsql_execute_immediate(status, &db, &tr, 0,
                               "INSERT INTO long_segments (id, data) VALUES (1, ?)", 3,
                               params);
    ::operator delete(params);
    if (failed(status, "insert"))
        return 1;
    isc_commit_transaction(status, &tr);
    isc_detach_database(status, &db);
    return failed(status, "commit") ? 1 : 0;
}
