// result_blocks.h - the blocks the legacy entries hand to the server.
//
// Every block comes from host_malloc in the call that returns it; the server
// frees it.  A null block (no allocator, or no memory) is SQL NULL.
#pragma once

#include <cstring>

#include "../text/text.h"
#include "host.h"

// A block of `size` bytes from host_malloc, or null.
inline unsigned char* host_block(size_t size) {
    if (host_malloc == nullptr) {
        return nullptr;
    }
    return static_cast<unsigned char*>(host_malloc(static_cast<host_malloc_size>(size)));
}

// Substring results for a request of n bytes: a CSTRING block of n + 1
// bytes (header 0), or a VARCHAR block of n + 3 bytes whose 2-byte length
// field comes first (header 2).  The stretch goes at block + header; the
// block starts zero-filled, so the text is always followed by zero bytes.
const uint32_t cstring_header = 0;
const uint32_t varchar_header = 2;

inline unsigned char* zeroed_stretch_block(uint32_t header, uint32_t n) {
    unsigned char* block = host_block(size_t{header} + n + 1);
    if (block != nullptr) {
        std::memset(block, 0, size_t{header} + n + 1);
    }
    return block;
}

// Records how many stretch bytes a VARCHAR block holds; a CSTRING needs no
// count.
inline void set_stretch_length(unsigned char* block, uint32_t header, uint32_t count) {
    if (header == varchar_header) {
        set_varying_length(block, static_cast<uint16_t>(count));
    }
}

// The empty results: one zero byte, and a VARCHAR of length 0.
inline unsigned char* empty_text_block() {
    return zeroed_stretch_block(cstring_header, 0);
}

inline VaryingText* empty_varying_block() {
    return reinterpret_cast<VaryingText*>(zeroed_stretch_block(varchar_header, 0));
}

// A CSTRING block holding the text and a zero byte.
inline char* text_block_of(Text text) {
    unsigned char* block = host_block(text.length + 1);
    if (block == nullptr) {
        return nullptr;
    }
    if (text.length > 0) {
        std::memcpy(block, text.bytes, text.length);
    }
    block[text.length] = 0;
    return reinterpret_cast<char*>(block);
}

// A zero-terminated argument as a counted text.
inline Text cstring_text(const char* text) {
    return text_of(text, std::strlen(text));
}

inline Text varying_text(const VaryingText* v) {
    return Text{varying_bytes(v), varying_length(v)};
}
