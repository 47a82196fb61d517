// udr_support.h - what every external routine of the UDR front shares:
// raising a Firebird error that names the function, checked access to the
// counted texts and null flags of a message, and date values that must lie
// in the server's range.
//
// No signal guard surrounds a UDR call, so nothing the server hands over is
// trusted: a text length beyond its declared size, or a result too long for
// its declared size, becomes an error instead of a read or write past the
// message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

// Errors from the server's interfaces arrive as FbException.
#define FB_UDR_STATUS_TYPE ::Firebird::ThrowStatusWrapper
#include <firebird/UdrCppEngine.h>

#include "module/host.h"

namespace kovudf_udr {

using Status = Firebird::ThrowStatusWrapper;

// Fails the statement with "<function>: <what>", after the server's own
// error `code` when one fits (its SQLSTATE is then the statement's).
[[noreturn]] void raise(Status* status, const char* function, const char* what,
                        ISC_STATUS code = 0);

// Runs an execute body: Firebird errors pass through, any other C++
// exception becomes a Firebird error naming the function.
template <class Body>
void guarded(Status* status, const char* function, Body&& body) {
    try {
        body();
    } catch (const Firebird::FbException&) {
        throw;
    } catch (const std::bad_alloc&) {
        raise(status, function, "out of memory", isc_virmemexh);
    } catch (...) {
        raise(status, function, "unexpected internal error");
    }
}

inline bool is_null(ISC_SHORT flag) {
    return flag != 0;
}

// The body of a routine of one argument, named `value` in its message: the
// result is NULL when the argument is, else what `body(value, out)` sets.
template <class In, class Out, class Body>
void map_value(Status* status, const char* function, const In* in, Out* out, Body body) {
    guarded(status, function, [&] {
        out->resultNull = FB_TRUE;
        if (is_null(in->valueNull)) {
            return;
        }
        body(in->value, out);
        out->resultNull = FB_FALSE;
    });
}

// A counted text from a message, its length checked against the size the
// message declares.
struct Text {
    const char* bytes;
    size_t length;
};

template <unsigned N>
Text text_of(Status* status, const char* function, const Firebird::FbVarChar<N>& v) {
    if (v.length > N) {
        raise(status, function, "argument longer than its declared size");
    }
    return Text{v.str, v.length};
}

template <unsigned N>
void set_text(Status* status, const char* function, Firebird::FbVarChar<N>& v,
              const void* bytes, size_t length) {
    if (length > N) {
        raise(status, function, "result longer than its declared size",
              isc_string_truncation);
    }
    v.length = static_cast<ISC_USHORT>(length);
    if (length > 0) {
        std::memcpy(v.str, bytes, length);
    }
}

// A zero-terminated copy of a short counted text, for routines that read
// zero-terminated text; a zero byte inside ends the copy there.
template <size_t N>
struct ShortText {
    explicit ShortText(const Text& t) {
        const size_t n = t.length < N ? t.length : N;
        std::memcpy(bytes, t.bytes, n);
        bytes[n] = '\0';
    }
    char bytes[N + 1];
};

// Checks a date value that is about to go to the server.
void check_date(Status* status, const char* function, const DateQuad& value);

// A result block from the module heap (host_malloc in this module), freed
// when the owner goes out of scope.
template <class T>
struct Block {
    explicit Block(T* p) : value(p) {}
    ~Block() { std::free(value); }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    T* value;
};

}  // namespace kovudf_udr
