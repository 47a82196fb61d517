// text_block.h - result blocks shared by the text and BLOB substring entries.
#pragma once

#include <cstring>

#include "../module/host.h"

// Substring results for a request of n bytes: a CSTRING block of n + 1
// bytes (header 0), or a VARCHAR block of n + 3 bytes whose 2-byte length
// field comes first (header 2).  The stretch goes at block + header; the
// block starts zero-filled, so the text is always followed by zero bytes.
const uint32_t cstring_header = 0;
const uint32_t varchar_header = 2;

inline unsigned char* zeroed_stretch_block(uint32_t header, uint32_t n) {
    unsigned char* block = host_block(header + n + 1);
    if (block != nullptr) {
        std::memset(block, 0, header + n + 1);
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

// A CSTRING block holding `length` bytes of `bytes` and a zero byte.
inline char* text_block_of(const char* bytes, size_t length) {
    unsigned char* block = host_block(static_cast<uint32_t>(length + 1));
    if (block == nullptr) {
        return nullptr;
    }
    std::memcpy(block, bytes, length);
    block[length] = 0;
    return reinterpret_cast<char*>(block);
}
