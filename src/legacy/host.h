// host.h - what every legacy entry shares with the database server.
//
// The server passes every argument by reference and takes results either by
// value, as a fresh block it frees itself (FREE_IT), or as an output BLOB
// record it handed in.  This header declares the shapes of those arguments
// (VARCHAR, BLOB control record, date-and-time value) and the result
// allocator `host_malloc`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// Exported entries: plain C names, visible to the server; nothing else is.
#if defined(_WIN32)
#define KOVUDF_ENTRY extern "C" __cdecl
#else
#define KOVUDF_ENTRY extern "C" __attribute__((visibility("default")))
#endif

// ---------------------------------------------------------------------------
// The result allocator.  Every block returned to the server comes from it; the
// server frees it after use.  On Linux it is ib_util_malloc (the only
// allocator whose blocks Firebird accepts back); on Windows the module entry
// finds it at process attach.

#if defined(_WIN32)
using host_malloc_size = size_t;  // malloc's argument
#else
using host_malloc_size = long;  // ib_util_malloc's argument
#endif
using host_malloc_fn = void* (*)(host_malloc_size);

extern host_malloc_fn host_malloc;

// ---------------------------------------------------------------------------
// VARCHAR by reference: a 16-bit length in native byte order, then the bytes.
// Every VARCHAR this library returns also carries a zero byte after its text.
struct VaryingText;  // only ever reached through the helpers below

inline const unsigned char* varying_bytes(const VaryingText* v) {
    return reinterpret_cast<const unsigned char*>(v) + 2;
}

inline uint16_t varying_length(const VaryingText* v) {
    uint16_t length;
    std::memcpy(&length, v, sizeof length);
    return length;
}

inline void set_varying_length(unsigned char* block, uint16_t length) {
    std::memcpy(block, &length, sizeof length);
}

// ---------------------------------------------------------------------------
// The server's BLOB control record, in its natural C layout: six 32-bit
// fields on 32-bit Windows, pointer-sized routines and handle on 64-bit hosts.
// get_segment returns nonzero for every segment (or part of one) delivered and
// zero at the end; a null blob_handle is a NULL BLOB.
struct BlobControl {
    short (*get_segment)(void* handle, unsigned char* buffer, unsigned short size,
                         unsigned short* length);
    void* blob_handle;
    int32_t number_segments;
    int32_t max_seglen;
    int32_t total_size;
    void (*put_segment)(void* handle, const unsigned char* buffer, unsigned short length);
};

// ---------------------------------------------------------------------------
// The server's 8-byte date-and-time value.  Only the date codec looks inside
// (days since 17 November 1858, and ten-thousandths of a second of the day).
struct DateQuad {
    int32_t date;
    uint32_t time;
};
static_assert(sizeof(DateQuad) == 8, "the server's date value is 8 bytes");
