// text_entries.cpp - the text entries: lengths, concatenation, substrings,
// comparison, trimming and Shift-JIS case on CSTRING and VARCHAR values.
//
// A CSTRING argument ends at its first zero byte; a VARCHAR is counted.  A
// null argument pointer (SQL NULL) gives a null block, or 0 for a number.
#include <cstring>

#include "../text/sjis_case.h"
#include "../text/text.h"
#include "entries.h"
#include "result_blocks.h"

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
    const Text a = cstring_text(first), b = cstring_text(second);
    unsigned char* block = host_block(a.length + b.length + 1);
    if (block == nullptr) {
        return nullptr;
    }
    *join_texts(a, b, block) = 0;
    return reinterpret_cast<char*>(block);
}

namespace {

// A substring block: the empty text for a request that covers nothing, else
// a zero-filled block of the requested length holding the stretch.
unsigned char* substring_block(const char* text, int16_t start, int16_t length,
                               uint32_t header) {
    const Text stretch = substring(cstring_text(text), start, length);
    if (stretch.length == 0) {
        return zeroed_stretch_block(header, 0);
    }
    unsigned char* block = zeroed_stretch_block(header, static_cast<uint32_t>(length));
    if (block != nullptr) {
        set_stretch_length(block, header, static_cast<uint32_t>(stretch.length));
        std::memcpy(block + header, stretch.bytes, stretch.length);
    }
    return block;
}

}  // namespace

KOVUDF_ENTRY char* _UDF_SubStr(const char* text, const int16_t* start,
                               const int16_t* length) {
    if (text == nullptr || start == nullptr || length == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<char*>(
        substring_block(text, *start, *length, cstring_header));
}

KOVUDF_ENTRY VaryingText* _UDF_VSubStr(const char* text, const int16_t* start,
                                       const int16_t* length) {
    if (text == nullptr || start == nullptr || length == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<VaryingText*>(
        substring_block(text, *start, *length, varchar_header));
}

// Byte order of two VARCHARs over their declared lengths.
KOVUDF_ENTRY int32_t _UDF_VStrCmp(const VaryingText* first, const VaryingText* second) {
    if (first == nullptr || second == nullptr) {
        return 0;
    }
    return compare_bytes(varying_text(first), varying_text(second));
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

char* trimmed(const char* text, Text (*trim)(Text)) {
    if (text == nullptr) {
        return nullptr;
    }
    return text_block_of(trim(cstring_text(text)));
}

}  // namespace

KOVUDF_ENTRY char* _UDF_SjisUpper(const char* text) {
    return case_mapped(text, sjis_upper_copy);
}

KOVUDF_ENTRY char* _UDF_SjisLower(const char* text) {
    return case_mapped(text, sjis_lower_copy);
}

KOVUDF_ENTRY char* _UDF_Trim(const char* text) {
    return trimmed(text, trim_blanks);
}

KOVUDF_ENTRY char* _UDF_TrimLeft(const char* text) {
    return trimmed(text, trim_leading_blanks);
}

KOVUDF_ENTRY char* _UDF_TrimRight(const char* text) {
    return trimmed(text, trim_trailing_blanks);
}
