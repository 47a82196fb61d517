// trim.cpp - stripping blanks (the byte 0x20 only) from the ends of a text.
//
// Tabs, line ends, 0xA0 and the full-width space 81 40 are not blanks.  Each
// result block is the kept text plus its zero byte.
#include <cstring>

#include "../module/kovudf.h"
#include "text_block.h"

namespace {

size_t leading_blanks(const char* text, size_t length) {
    size_t start = 0;
    while (start < length && text[start] == ' ') {
        ++start;
    }
    return start;
}

// Length of the text once trailing blanks from `start` on are dropped.
size_t end_without_blanks(const char* text, size_t start, size_t length) {
    size_t end = length;
    while (end > start && text[end - 1] == ' ') {
        --end;
    }
    return end;
}

}  // namespace

KOVUDF_ENTRY char* _UDF_Trim(const char* text) {
    if (text == nullptr) {
        return nullptr;
    }
    const size_t length = std::strlen(text);
    const size_t start = leading_blanks(text, length);
    const size_t end = end_without_blanks(text, start, length);
    return text_block_of(text + start, end - start);
}

KOVUDF_ENTRY char* _UDF_TrimLeft(const char* text) {
    if (text == nullptr) {
        return nullptr;
    }
    const size_t length = std::strlen(text);
    const size_t start = leading_blanks(text, length);
    return text_block_of(text + start, length - start);
}

KOVUDF_ENTRY char* _UDF_TrimRight(const char* text) {
    if (text == nullptr) {
        return nullptr;
    }
    const size_t length = std::strlen(text);
    return text_block_of(text, end_without_blanks(text, 0, length));
}
