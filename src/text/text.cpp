// text.cpp - trimming, substrings, joining and byte order on counted texts.
#include "text.h"

#include <cstring>

namespace {

size_t leading_blanks(Text text) {
    size_t start = 0;
    while (start < text.length && text.bytes[start] == ' ') {
        ++start;
    }
    return start;
}

size_t end_without_blanks(Text text) {
    size_t end = text.length;
    while (end > 0 && text.bytes[end - 1] == ' ') {
        --end;
    }
    return end;
}

}  // namespace

Text trim_leading_blanks(Text text) {
    const size_t start = leading_blanks(text);
    return Text{text.bytes + start, text.length - start};
}

Text trim_trailing_blanks(Text text) {
    return Text{text.bytes, end_without_blanks(text)};
}

Text trim_blanks(Text text) {
    return trim_trailing_blanks(trim_leading_blanks(text));
}

Text substring(Text text, int32_t start, int32_t length) {
    if (length <= 0 || start < 0 || static_cast<size_t>(start) >= text.length) {
        return Text{text.bytes, 0};
    }
    const size_t rest = text.length - static_cast<size_t>(start);
    const size_t wanted = static_cast<size_t>(length);
    return Text{text.bytes + start, rest < wanted ? rest : wanted};
}

unsigned char* join_texts(Text first, Text second, unsigned char* destination) {
    if (first.length > 0) {
        std::memcpy(destination, first.bytes, first.length);
    }
    if (second.length > 0) {
        std::memcpy(destination + first.length, second.bytes, second.length);
    }
    return destination + first.length + second.length;
}

int32_t compare_bytes(Text a, Text b) {
    const size_t common = a.length < b.length ? a.length : b.length;
    for (size_t i = 0; i < common; ++i) {
        if (a.bytes[i] != b.bytes[i]) {
            return int32_t{a.bytes[i]} - int32_t{b.bytes[i]};
        }
    }
    if (a.length > common) {
        return a.bytes[common] != 0 ? int32_t{a.bytes[common]} : 1;
    }
    if (b.length > common) {
        return b.bytes[common] != 0 ? -int32_t{b.bytes[common]} : -1;
    }
    return 0;
}
