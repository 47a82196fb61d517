// trim.cpp - stripping blanks (the byte 0x20 only) from the ends of a text.
//
// Tabs, line ends, 0xA0 and the full-width space 81 40 are not blanks.  Each
// result block is the kept text plus its zero byte.
#include <cstring>

#include "../module/kovudf.h"
#include "text_block.h"
#include "text_span.h"

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
