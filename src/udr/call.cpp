// call.cpp - checked access to a routine's messages.
#include "call.h"

#include <cmath>
#include <cstring>

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

template <class T>
T Call::value(unsigned i) const {
    const Field& f = argument(i, false);
    if (f.length != sizeof(T)) {
        fail("unexpected argument");
    }
    T v;
    std::memcpy(&v, in_ + f.offset, sizeof v);
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
    ISC_USHORT length;
    std::memcpy(&length, in_ + f.offset, sizeof length);
    if (length > f.length) {
        fail("argument longer than its declared size");
    }
    return Text{in_ + f.offset + 2, length};
}

int16_t Call::smallint(unsigned i) const {
    return value<int16_t>(i);
}

int32_t Call::integer(unsigned i) const {
    return value<int32_t>(i);
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

bool Call::null_result() const {
    const catalog::Function& f = function();
    for (unsigned i = 0; i < f.argument_count; ++i) {
        const catalog::Argument& a = f.arguments[i];
        if (a.kind != catalog::Kind::blob && !a.null_adds_nothing && is_null(i)) {
            return true;
        }
    }
    return false;
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

void Call::set_smallint(int16_t value) {
    set(value);
}

void Call::set_integer(int32_t value) {
    set(value);
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
