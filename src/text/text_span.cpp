// text_span.cpp - counted-text routines; see text_span.h.
#include "text_span.h"

size_t leading_blanks(const char* text, size_t length) {
    size_t start = 0;
    while (start < length && text[start] == ' ') {
        ++start;
    }
    return start;
}

size_t end_without_blanks(const char* text, size_t start, size_t length) {
    size_t end = length;
    while (end > start && text[end - 1] == ' ') {
        --end;
    }
    return end;
}

int32_t substring_count(size_t text_length, int32_t start, int32_t length) {
    if (length <= 0 || start < 0 || static_cast<size_t>(start) >= text_length) {
        return -1;
    }
    const size_t rest = text_length - static_cast<size_t>(start);
    return static_cast<int32_t>(rest < static_cast<size_t>(length) ? rest : length);
}

int32_t compare_bytes(const unsigned char* a, uint32_t a_length, const unsigned char* b,
                      uint32_t b_length) {
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
