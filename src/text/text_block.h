// text_block.h - result blocks shared by the text and BLOB substring entries.
#pragma once

#include <cstring>

#include "../module/host.h"

// An empty CSTRING result: one zero byte.
inline unsigned char* empty_text_block() {
    unsigned char* block = host_block(1);
    if (block != nullptr) {
        block[0] = 0;
    }
    return block;
}

// An empty VARCHAR result: length 0 and the closing zero byte.
inline VaryingText* empty_varying_block() {
    unsigned char* block = host_block(3);
    if (block != nullptr) {
        std::memset(block, 0, 3);
    }
    return reinterpret_cast<VaryingText*>(block);
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
