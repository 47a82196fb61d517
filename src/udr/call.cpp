// call.cpp - checked access to a routine's messages.
#include "call.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <string>

namespace kovudf_udr {

RoutineMemory::~RoutineMemory() {
    if (row != nullptr) {
        row->release();
    }
    if (statement != nullptr) {
        statement->release();
    }
}

const Field& Call::argument(unsigned i, bool text) const {
    if (i >= shape_.in.count || catalog::is_text(shape_.in.fields[i].kind) != text) {
        fail("unexpected argument");
    }
    return shape_.in.fields[i];
}

const Field& Call::field(unsigned i) const {
    if (i >= shape_.in.count) {
        fail("unexpected argument");
    }
    return shape_.in.fields[i];
}

template <class T>
T Call::value(unsigned i) const {
    const Field& f = argument(i, false);
    if (f.length != sizeof(T)) {
        fail("unexpected argument");
    }
    T v{};
    if (!zeroed(i)) {
        std::memcpy(&v, in_ + f.offset, sizeof v);
    }
    return v;
}

bool Call::is_null(unsigned i) const {
    if (i >= shape_.in.count) {
        fail("unexpected argument");
    }
    ISC_SHORT flag;
    std::memcpy(&flag, in_ + shape_.in.fields[i].null_offset, sizeof flag);
    return flag != 0;
}

Text Call::text(unsigned i) const {
    const Field& f = argument(i, true);
    ISC_USHORT length = 0;
    if (!zeroed(i)) {
        std::memcpy(&length, in_ + f.offset, sizeof length);
    }
    if (length > f.length) {
        fail("argument longer than its declared size");
    }
    return Text{in_ + f.offset + 2, length};
}

namespace {

// A whole number of a message, in its width; false for an INT128 past 64
// bits.
bool read_whole(const unsigned char* at, unsigned sql_type, int64_t* value) {
    switch (integer_length(sql_type)) {
        case 2: {
            int16_t v;
            std::memcpy(&v, at, sizeof v);
            *value = v;
            return true;
        }
        case 4: {
            int32_t v;
            std::memcpy(&v, at, sizeof v);
            *value = v;
            return true;
        }
        case 8:
        case 16: {
            // INT128 is two 64-bit words, the low one first: it fits when the
            // high word is the low word's sign.
            std::memcpy(value, at, sizeof *value);
            if (sql_type != sql_int128) {
                return true;
            }
            int64_t high;
            std::memcpy(&high, at + 8, sizeof high);
            return high == (*value < 0 ? -1 : 0);
        }
    }
    return false;
}

}  // namespace

int64_t Call::whole(unsigned i, int64_t least, int64_t most, const char* range) const {
    const Field& f = argument(i, false);
    int64_t v = 0;
    const bool read = zeroed(i) || read_whole(in_ + f.offset, f.sql_type, &v);
    if (!read || v < least || v > most) {
        const std::string what = "parameter " + std::to_string(i + 1) + " (" +
                                 function().arguments[i].parameter + ") is " +
                                 (read ? std::to_string(v) : "beyond 64 bits") +
                                 ": it takes " + range;
        fail(what.c_str(), isc_numeric_out_of_range);
    }
    return v;
}

int16_t Call::smallint(unsigned i) const {
    return static_cast<int16_t>(
        whole(i, INT16_MIN, INT16_MAX, "a SMALLINT, -32768 to 32767"));
}

int32_t Call::integer(unsigned i) const {
    return static_cast<int32_t>(
        whole(i, INT32_MIN, INT32_MAX, "an INTEGER, -2147483648 to 2147483647"));
}

double Call::double_value(unsigned i) const {
    return value<double>(i);
}

DateTime Call::timestamp(unsigned i) const {
    return datetime_of_stamp(stamp(i));
}

Stamp Call::stamp(unsigned i) const {
    return value<Stamp>(i);
}

ISC_QUAD Call::blob_id(unsigned i) const {
    return value<ISC_QUAD>(i);
}

bool Call::caller_today(std::tm* today) const {
    const unsigned at = shape_.function->argument_count;
    if (!catalog::reads_today(*shape_.function) || shape_.in.count <= at || is_null(at)) {
        return false;
    }
    // A statement compiled before the routine had TODAY (a view, a trigger,
    // a procedure) hands over the zero date, not the default: no day the
    // server's clock gives.
    const Stamp stamp = value<Stamp>(at);
    if (stamp.date == 0) {
        return false;
    }
    const DateTime day = datetime_of_stamp(stamp);
    *today = std::tm{};
    today->tm_year = day.fields.tm_year;
    today->tm_mon = day.fields.tm_mon;
    today->tm_mday = day.fields.tm_mday;
    return true;
}

bool Call::null_result() const {
    const catalog::Function& f = function();
    for (unsigned i = 0; i < f.argument_count; ++i) {
        const catalog::Argument& a = f.arguments[i];
        if (a.kind != catalog::Kind::blob && !a.null_adds_nothing && is_null(i) &&
            shape_.nulls.taken[i] != '0') {
            return true;
        }
    }
    return false;
}

void Call::set_null_result() {
    if (!shape_.nulls.any()) {
        set_null();
        return;
    }
    switch (function().result.kind) {
        case catalog::Kind::smallint:
        case catalog::Kind::integer:
            set_whole(0);
            return;
        case catalog::Kind::double_precision:
            set_double(0);
            return;
        default:
            set_null();
    }
}

void Call::set_null() {
    const ISC_SHORT flag = FB_TRUE;
    std::memcpy(out_ + shape_.out.fields[0].null_offset, &flag, sizeof flag);
}

template <class T>
void Call::set(const T& value) {
    const Field& f = shape_.out.fields[0];
    if (catalog::is_text(f.kind) || f.length != sizeof(T)) {
        fail("unexpected result");
    }
    std::memcpy(out_ + f.offset, &value, sizeof value);
    const ISC_SHORT flag = FB_FALSE;
    std::memcpy(out_ + f.null_offset, &flag, sizeof flag);
}

void Call::set_whole(int64_t value) {
    const Field& f = shape_.out.fields[0];
    switch (f.sql_type) {
        case SQL_SHORT:
            if (value < INT16_MIN || value > INT16_MAX) {
                break;
            }
            set(static_cast<int16_t>(value));
            return;
        case SQL_LONG:
            if (value < INT32_MIN || value > INT32_MAX) {
                break;
            }
            set(static_cast<int32_t>(value));
            return;
        case SQL_INT64:
            set(value);
            return;
        case sql_int128: {
            const int64_t words[2] = {value, value < 0 ? -1 : 0};
            set(words);
            return;
        }
        default:
            fail("unexpected result");
    }
    const std::string what = "the result " + std::to_string(value) +
                             " does not fit the declared " +
                             (f.sql_type == SQL_SHORT ? "SMALLINT" : "INTEGER");
    fail(what.c_str(), isc_numeric_out_of_range);
}

void Call::set_double(double value) {
    if (!std::isfinite(value)) {
        fail("the result is not a finite number");
    }
    set(value);
}

void Call::set_timestamp(const DateTime& value) {
    if (!is_storable(value)) {
        fail("the result lies outside 0001-01-01 .. 9999-12-31",
             isc_datetime_range_exceeded);
    }
    // A result declared WITH TIME ZONE is this time in the session's zone,
    // which the server turns into UTC: on the first and the last day of the
    // range that may fall outside it, where the server's error would not
    // say whose result it was.
    const std::tm& t = value.fields;
    if (shape_.out.fields[0].zoned &&
        ((t.tm_year == 1 - 1900 && t.tm_mon == 0 && t.tm_mday == 1) ||
         (t.tm_year == 9999 - 1900 && t.tm_mon == 11 && t.tm_mday == 31))) {
        fail(
            "the result lies on the first or last day of 0001-01-01 .. 9999-12-31, "
            "which a TIMESTAMP WITH TIME ZONE does not hold in every time zone",
            isc_datetime_range_exceeded);
    }
    set_stamp(stamp_of_datetime(value));
}

void Call::set_stamp(Stamp value) {
    set(value);
}

void Call::set_blob(const ISC_QUAD& id) {
    set(id);
}

unsigned char* Call::text_room(size_t length) {
    const Field& f = shape_.out.fields[0];
    if (!catalog::is_text(f.kind)) {
        fail("unexpected result");
    }
    if (length > f.length) {
        fail("result longer than its declared size", isc_string_truncation);
    }
    const ISC_USHORT count = static_cast<ISC_USHORT>(length);
    std::memcpy(out_ + f.offset, &count, sizeof count);
    const ISC_SHORT flag = FB_FALSE;
    std::memcpy(out_ + f.null_offset, &flag, sizeof flag);
    return out_ + f.offset + 2;
}

void Call::set_text(Text value) {
    unsigned char* room = text_room(value.length);
    if (value.length > 0) {
        std::memcpy(room, value.bytes, value.length);
    }
}

void Call::fail(const char* what, ISC_STATUS code) const {
    raise(status, function(), what, code);
}

void Call::fail_out_of_memory() const {
    fail("out of memory", isc_virmemexh);
}

}  // namespace kovudf_udr
