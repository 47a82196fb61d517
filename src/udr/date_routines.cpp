// date_routines.cpp - the date functions as external routines.
//
// TIMESTAMP values are the server's 8-byte values, taken apart and put
// together on the library's own calendar; a result outside
// 0001-01-01..9999-12-31 is an error naming the function.  Where UDF_JDATE
// needs today's date, it is CURRENT_DATE of the calling session: the same
// as the server's clock on Firebird 3, the session's time zone's on
// Firebird 4 and later.
#include <cstring>

#include "blob_stream.h"
#include "routines.h"

namespace kovudf_udr {
namespace routines {

void AddDate(Call& call) {
    call.set_timestamp(
        add_date(call.timestamp(0), call.integer(1), call.integer(2), call.integer(3)));
}

void AddTime(Call& call) {
    call.set_timestamp(
        add_time(call.timestamp(0), call.integer(1), call.integer(2), call.integer(3)));
}

namespace {

// CURRENT_DATE of the session, asked of the server as a count of days
// since 17 November 1858, the day count of its date values.  The statement
// is prepared at the routine's first call and kept: the routine serves one
// attachment.
void session_today(Call& call, std::tm* today) {
    CallScope scope(call);
    RoutineMemory& memory = call.memory;
    if (memory.statement == nullptr) {
        memory.statement = scope.attachment->prepare(
            call.status, scope.transaction.get(), 0,
            "SELECT CAST(CURRENT_DATE - DATE '1858-11-17' AS INTEGER) FROM RDB$DATABASE",
            3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        memory.row = memory.statement->getOutputMetadata(call.status);
    }
    unsigned char row[16] = {};
    if (memory.row->getCount(call.status) != 1 ||
        memory.row->getType(call.status, 0) != SQL_LONG ||
        memory.row->getMessageLength(call.status) > sizeof row) {
        call.fail("unexpected message for today's date");
    }
    memory.statement->execute(call.status, scope.transaction.get(), nullptr, nullptr,
                              memory.row, row);
    int32_t days;
    std::memcpy(&days, row + memory.row->getOffset(call.status, 0), sizeof days);
    *today = datetime_of_stamp(Stamp{days, 0}).fields;
}

}  // namespace

void JDate(Call& call) {
    DateTime value;
    if (!date_from_text(
            call.text(0), [&](std::tm* today) { session_today(call, today); }, &value)) {
        call.fail_out_of_memory();
    }
    call.set_timestamp(value);
}

void ToDateTime(Call& call) {
    call.set_timestamp(date_from_parts(call.smallint(0), call.smallint(1),
                                       call.smallint(2), call.smallint(3),
                                       call.smallint(4), call.smallint(5)));
}

void ToDate(Call& call) {
    call.set_timestamp(
        date_from_parts(call.smallint(0), call.smallint(1), call.smallint(2), 0, 0, 0));
}

void ToTime(Call& call) {
    call.set_timestamp(time_of_day(call.smallint(0), call.smallint(1), call.smallint(2)));
}

void JoinDateTime(Call& call) {
    call.set_timestamp(join_date_time(call.timestamp(0).fields, call.timestamp(1)));
}

namespace {

void field(Call& call, DateField which) {
    call.set_smallint(date_field(call.timestamp(0).fields, which));
}

}  // namespace

void GetYear(Call& call) {
    field(call, DateField::year);
}
void GetMon(Call& call) {
    field(call, DateField::month);
}
void GetDay(Call& call) {
    field(call, DateField::day);
}
void GetHour(Call& call) {
    field(call, DateField::hour);
}
void GetMin(Call& call) {
    field(call, DateField::minute);
}
void GetSec(Call& call) {
    field(call, DateField::second);
}

void DayOfWeek(Call& call) {
    call.set_integer(day_of_week(call.timestamp(0).fields));
}

void DiffDay(Call& call) {
    call.set_integer(days_between(call.timestamp(0).fields, call.timestamp(1).fields));
}

}  // namespace routines
}  // namespace kovudf_udr
