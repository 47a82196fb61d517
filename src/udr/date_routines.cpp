// date_routines.cpp - the date functions as external routines.
//
// TIMESTAMP values are the server's 8-byte values, taken apart and put
// together on the library's own calendar; a result outside
// 0001-01-01..9999-12-31 is an error naming the function.  Where UDF_JDATE
// needs today's date, it is CURRENT_DATE of the calling statement, which the
// declaration's TODAY parameter brings; without it, the session's: the
// server's clock on Firebird 3, the session's time zone's on Firebird 4 and
// later.
#include <cstring>

#include "../platform/clock.h"
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

// The database's count of statements started, which Firebird 4 and later
// report (fb_info_next_statement, which the interface headers the module is
// built with do not name); -1 where the server does not: there the session
// has no time zone of its own.
int64_t statements_started(Firebird::IAttachment* attachment, Status* status) {
    constexpr unsigned char next_statement = 143;
    const unsigned char items[] = {next_statement, isc_info_end};
    unsigned char buffer[16] = {};
    attachment->getInfo(status, sizeof items, items, sizeof buffer, buffer);
    const unsigned length = buffer[1] | (buffer[2] << 8);
    if (buffer[0] != next_statement || length == 0 || length > 8) {
        return -1;
    }
    uint64_t value = 0;
    for (unsigned i = 0; i < length; ++i) {
        value |= uint64_t{buffer[3 + i]} << (8 * i);
    }
    return static_cast<int64_t>(value & 0x7FFFFFFFFFFFFFFF);
}

// Today as the calling session's CURRENT_DATE gives it, for a routine
// declared without TODAY (the project's scripts and the migration declare
// it, and the calling statement then gives its own CURRENT_DATE).
//
// Firebird 3 has no session time zone: its CURRENT_DATE is the server
// process's local date, which this process reads itself, with no statement.
// Firebird 4 and later take CURRENT_DATE in the session's time zone, which
// only a statement can ask for, at every call: the year, month and day of
// CURRENT_TIMESTAMP (no DATE in it, so that a dialect-1 database takes it
// too), returned in a message the routine lays out itself, so that the
// session's SET BIND has no say in it.  A nested statement reads its own
// clock: across midnight it may be a day ahead of its caller.
void session_today(Call& call, std::tm* today) {
    using Source = RoutineMemory::TodaySource;
    RoutineMemory& memory = call.memory;
    if (memory.today_source == Source::process_clock) {
        read_local_today(today);
        return;
    }
    CallScope scope(call);
    if (memory.today_source == Source::unknown) {
        memory.today_source = statements_started(scope.attachment.get(), call.status) < 0
                                  ? Source::process_clock
                                  : Source::session;
        if (memory.today_source == Source::process_clock) {
            read_local_today(today);
            return;
        }
    }
    if (memory.row == nullptr) {
        const Held<Firebird::IMetadataBuilder> builder(
            scope.master->getMetadataBuilder(call.status, 3));
        for (unsigned i = 0; i < 3; ++i) {
            builder->setType(call.status, i, SQL_SHORT);
            builder->setLength(call.status, i, sizeof(int16_t));
            builder->setScale(call.status, i, 0);
        }
        memory.row = builder->getMetadata(call.status);
    }
    if (memory.statement == nullptr) {
        memory.statement = scope.attachment->prepare(
            call.status, scope.transaction.get(), 0,
            "SELECT EXTRACT(YEAR FROM CURRENT_TIMESTAMP), EXTRACT(MONTH FROM "
            "CURRENT_TIMESTAMP), EXTRACT(DAY FROM CURRENT_TIMESTAMP) FROM RDB$DATABASE",
            3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    }
    unsigned char row[32] = {};
    if (memory.row->getMessageLength(call.status) > sizeof row) {
        call.fail("unexpected message for today's date");
    }
    memory.statement->execute(call.status, scope.transaction.get(), nullptr, nullptr,
                              memory.row, row);
    int16_t parts[3];
    for (unsigned i = 0; i < 3; ++i) {
        std::memcpy(&parts[i], row + memory.row->getOffset(call.status, i),
                    sizeof parts[i]);
    }
    *today = std::tm{};
    today->tm_year = parts[0] - 1900;
    today->tm_mon = parts[1] - 1;
    today->tm_mday = parts[2];
}

}  // namespace

void JDate(Call& call) {
    DateTime value;
    if (!date_from_text(
            call.text(0),
            [&](std::tm* today) {
                if (!call.caller_today(today)) {
                    session_today(call, today);
                }
            },
            &value)) {
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
