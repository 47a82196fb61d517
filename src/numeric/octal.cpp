// octal.cpp - the octal number at the start of a text (see numeric.h).
#include "numeric.h"

namespace {

bool is_scan_space(unsigned char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

}  // namespace

int32_t octal_value(Text text) {
    const unsigned char* p = text.bytes;
    const unsigned char* const end = text.bytes + text.length;
    while (p < end && is_scan_space(*p)) {
        ++p;
    }
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    uint64_t value = 0;
    for (; p < end && *p >= '0' && *p <= '7'; ++p) {
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
