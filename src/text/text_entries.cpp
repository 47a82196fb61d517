// text_entries.cpp - length, concatenation, substrings, comparison and the
// Shift-JIS case entries on CSTRING and VARCHAR values.
//
// All work is on bytes: a double-byte character counts as two, and a start or
// a length may fall between its bytes.  Positions count from 0.
#include <cstring>

#include "../module/kovudf.h"
#include "sjis_case.h"
#include "text_block.h"
#include "text_span.h"

KOVUDF_ENTRY int32_t _UDF_StrLen(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    return static_cast<int32_t>(std::strlen(text));
}

KOVUDF_ENTRY int16_t _UDF_VStrLen(const VaryingText* text) {
    if (text == nullptr) {
        return 0;
    }
    return static_cast<int16_t>(varying_length(text));
}

KOVUDF_ENTRY char* _UDF_StrCat(const char* first, const char* second) {
    if (first == nullptr || second == nullptr) {
        return nullptr;
    }
    const size_t first_length = std::strlen(first);
    const size_t second_length = std::strlen(second);
    unsigned char* block = host_block(first_length + second_length + 1);
    if (block == nullptr) {
        return nullptr;
    }
    std::memcpy(block, first, first_length);
    std::memcpy(block + first_length, second, second_length + 1);
    return reinterpret_cast<char*>(block);
}

namespace {

// The block of a valid request, holding the `count` bytes from `start`.
unsigned char* substring_block(const char* text, int16_t start, int16_t length,
                               int32_t count, uint32_t header) {
    unsigned char* block = zeroed_stretch_block(header, static_cast<uint32_t>(length));
    if (block == nullptr) {
        return nullptr;
    }
    set_stretch_length(block, header, static_cast<uint32_t>(count));
    std::memcpy(block + header, text + start, static_cast<size_t>(count));
    return block;
}

}  // namespace

KOVUDF_ENTRY char* _UDF_SubStr(const char* text, const int16_t* start,
                               const int16_t* length) {
    if (text == nullptr || start == nullptr || length == nullptr) {
        return nullptr;
    }
    const int32_t count = substring_count(std::strlen(text), *start, *length);
    unsigned char* block =
        count < 0 ? empty_text_block()
                  : substring_block(text, *start, *length, count, cstring_header);
    return reinterpret_cast<char*>(block);
}

KOVUDF_ENTRY VaryingText* _UDF_VSubStr(const char* text, const int16_t* start,
                                       const int16_t* length) {
    if (text == nullptr || start == nullptr || length == nullptr) {
        return nullptr;
    }
    const int32_t count = substring_count(std::strlen(text), *start, *length);
    if (count < 0) {
        return empty_varying_block();
    }
    return reinterpret_cast<VaryingText*>(
        substring_block(text, *start, *length, count, varchar_header));
}

// Byte order of two VARCHARs over their declared lengths (see compare_bytes).
KOVUDF_ENTRY int32_t _UDF_VStrCmp(const VaryingText* first, const VaryingText* second) {
    if (first == nullptr || second == nullptr) {
        return 0;
    }
    return compare_bytes(varying_bytes(first), varying_length(first),
                         varying_bytes(second), varying_length(second));
}

namespace {

char* case_mapped(const char* text, int (*map)(const unsigned char*, unsigned char*)) {
    if (text == nullptr) {
        return nullptr;
    }
    unsigned char* block = host_block(std::strlen(text) + 1);
    if (block == nullptr) {
        return nullptr;
    }
    map(reinterpret_cast<const unsigned char*>(text), block);
    return reinterpret_cast<char*>(block);
}

}  // namespace

KOVUDF_ENTRY char* _UDF_SjisUpper(const char* text) {
    return case_mapped(text, sjis_upper_copy);
}

KOVUDF_ENTRY char* _UDF_SjisLower(const char* text) {
    return case_mapped(text, sjis_lower_copy);
}
