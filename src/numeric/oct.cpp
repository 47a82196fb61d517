// oct.cpp - UDF_OCT: the octal number at the start of a text, as scanf's "%o"
// reads it into a 32-bit integer.
//
// Leading white space and one sign are taken, then octal digits into a 64-bit
// accumulator; the low 32 bits are the result, negated after a "-".  Past
// 2^64 - 1 the result is -1 (0 after a "-").  A text with no digit gives 0.
#include <cstdint>

#include "../module/kovudf.h"

namespace {

bool is_scan_space(unsigned char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

}  // namespace

KOVUDF_ENTRY int32_t _UDF_Oct(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (is_scan_space(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    uint64_t value = 0;
    for (; *p >= '0' && *p <= '7'; ++p) {
        const unsigned digit = *p - '0';
        if (value > (UINT64_MAX - digit) / 8) {
            return negative ? 0 : -1;
        }
        value = value * 8 + digit;
    }
    uint32_t low = static_cast<uint32_t>(value);
    if (negative) {
        low = 0u - low;
    }
    return static_cast<int32_t>(low);
}
