// text_entries.cpp - length, concatenation, substrings, comparison and the
// Shift-JIS case entries on CSTRING and VARCHAR values.
//
// All work is on bytes: a double-byte character counts as two, and a start or
// a length may fall between its bytes.  Positions count from 0.
#include <cstring>

#include "../module/kovudf.h"
#include "sjis_case.h"
#include "text_block.h"

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

// How many bytes of a substring request are there to copy, or -1 when the
// request yields the empty result (length <= 0, start < 0, start past end).
int32_t substring_count(const char* text, int32_t start, int32_t length) {
    if (length <= 0 || start < 0) {
        return -1;
    }
    const size_t text_length = std::strlen(text);
    if (static_cast<size_t>(start) >= text_length) {
        return -1;
    }
    const size_t rest = text_length - static_cast<size_t>(start);
    return static_cast<int32_t>(rest < static_cast<size_t>(length) ? rest : length);
}

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
    const int32_t count = substring_count(text, *start, *length);
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
    const int32_t count = substring_count(text, *start, *length);
    if (count < 0) {
        return empty_varying_block();
    }
    return reinterpret_cast<VaryingText*>(
        substring_block(text, *start, *length, count, varchar_header));
}

// Byte order of two VARCHARs over their declared lengths; a zero byte is an
// ordinary byte.  At the first differing byte the result is their
// difference; when one text is a prefix of the other, the longer one's next
// byte counts (at least 1), so only equal values compare as 0.
KOVUDF_ENTRY int32_t _UDF_VStrCmp(const VaryingText* first, const VaryingText* second) {
    if (first == nullptr || second == nullptr) {
        return 0;
    }
    const unsigned char* a = varying_bytes(first);
    const unsigned char* b = varying_bytes(second);
    const uint32_t a_length = varying_length(first);
    const uint32_t b_length = varying_length(second);
    const uint32_t common = a_length < b_length ? a_length : b_length;
    for (uint32_t i = 0; i < common; ++i) {
        if (a[i] != b[i]) {
            return int32_t{a[i]} - int32_t{b[i]};
        }
    }
    if (a_length > common) {
        return a[common] != 0 ? int32_t{a[common]} : 1;
    }
    if (b_length > common) {
        return b[common] != 0 ? -int32_t{b[common]} : -1;
    }
    return 0;
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
