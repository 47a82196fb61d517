// encoding.cpp - Shift-JIS, EUC-JP and UTF-8 character walks; see
// encoding.h.
#include "encoding.h"

#include "sjis_case.h"

namespace {

bool is_continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The continuation bytes a UTF-8 byte announces (0 for ASCII and for bytes
// that cannot begin a sequence).
unsigned utf8_owed(unsigned char c) {
    if (c >= 0xC2 && c <= 0xDF) {
        return 1;
    }
    if (c >= 0xE0 && c <= 0xEF) {
        return 2;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        return 3;
    }
    return 0;
}

// How many of the last bytes begin a UTF-8 sequence that the text cuts.
size_t utf8_cut_tail(const unsigned char* bytes, size_t length) {
    for (size_t back = 1; back <= 4 && back <= length; ++back) {
        const unsigned char c = bytes[length - back];
        if (!is_continuation(c)) {
            return utf8_owed(c) >= back ? back : 0;
        }
    }
    return 0;
}

// An ASCII letter in the other case; any other byte as it is.
unsigned char ascii_case(unsigned char c, bool upper) {
    return upper && c >= 'a' && c <= 'z'    ? c - 0x20
           : !upper && c >= 'A' && c <= 'Z' ? c + 0x20
                                            : c;
}

// ASCII letters byte by byte (they never occur inside a UTF-8 sequence),
// and the full-width Latin letters, whose three bytes differ from the other
// case's in the last two.
size_t utf8_case(const unsigned char* source, unsigned char* destination, size_t length,
                 CaseMapping mapping) {
    const bool upper = mapping == CaseMapping::upper;
    const unsigned char from = upper ? 0xBD : 0xBC, to = upper ? 0xBC : 0xBD;
    const unsigned char low = upper ? 0x81 : 0xA1, high = upper ? 0x9A : 0xBA;
    size_t i = 0;
    while (i < length) {
        const unsigned char c = source[i];
        if (c == 0xEF && length - i >= 3 && source[i + 1] == from &&
            source[i + 2] >= low && source[i + 2] <= high) {
            const unsigned char last = source[i + 2];
            destination[i] = c;
            destination[i + 1] = to;
            destination[i + 2] = upper ? last + 0x20 : last - 0x20;
            i += 3;
            continue;
        }
        destination[i] = ascii_case(c, upper);
        ++i;
    }
    return utf8_cut_tail(destination, length);  // mapping keeps every byte's role
}

// The bytes an EUC-JP byte announces after it: one after a two-byte lead
// (A1-FE) or after 8E, two after 8F.
unsigned euc_owed(unsigned char c) {
    return c == 0x8F ? 2 : (c == 0x8E || c >= 0xA1) && c != 0xFF ? 1 : 0;
}

// ASCII letters, and the full-width Latin letters A3 C1-DA / A3 E1-FA,
// walking EUC-JP characters forward; one-byte sets walk ASCII alone.
size_t walked_case(const unsigned char* source, unsigned char* destination, size_t length,
                   CaseMapping mapping, Encoding encoding) {
    const bool upper = mapping == CaseMapping::upper;
    const bool euc = encoding == Encoding::euc_jp;
    size_t i = 0;
    while (i < length) {
        const unsigned char c = source[i];
        const unsigned owed = euc ? euc_owed(c) : 0;
        if (owed == 0) {
            destination[i] = ascii_case(c, upper);
            ++i;
            continue;
        }
        if (length - i <= owed) {
            for (size_t k = i; k < length; ++k) {
                destination[k] = source[k];
            }
            return length - i;
        }
        const unsigned char second = source[i + 1];
        destination[i] = c;
        destination[i + 1] = c != 0xA3                                    ? second
                             : upper && second >= 0xE1 && second <= 0xFA  ? second - 0x20
                             : !upper && second >= 0xC1 && second <= 0xDA ? second + 0x20
                                                                          : second;
        if (owed == 2) {
            destination[i + 2] = source[i + 2];
        }
        i += 1 + owed;
    }
    return 0;
}

}  // namespace

bool CharacterStarts::next(unsigned char byte) {
    switch (encoding_) {
        case Encoding::bytes:
        case Encoding::single_byte:
            return true;
        case Encoding::euc_jp:
            if (pending_ > 0) {
                --pending_;
                return false;
            }
            pending_ = euc_owed(byte);
            return true;
        case Encoding::shift_jis:
            if (pending_ > 0) {
                pending_ = 0;
                return false;
            }
            pending_ = is_sjis_0208_lead(byte) ? 1 : 0;
            return true;
        case Encoding::utf8:
            if (pending_ > 0 && is_continuation(byte)) {
                --pending_;
                return false;
            }
            pending_ = utf8_owed(byte);
            return true;
    }
    return true;
}

Text substring(Text text, int32_t start, int32_t length, Encoding encoding) {
    const Text stretch = substring(text, start, length);
    if (every_byte_a_character(encoding) || stretch.length == 0) {
        return stretch;
    }
    const size_t begin = static_cast<size_t>(start), end = begin + stretch.length;
    // The first character start at or after `begin`, and the last at or
    // before `end` (the end of the text is one).
    size_t first = end, last = begin;
    CharacterStarts starts(encoding);
    for (size_t i = 0; i <= end; ++i) {
        if ((i == text.length || starts.next(text.bytes[i])) && i >= begin) {
            first = i < first ? i : first;
            last = i;
        }
    }
    return first < last ? Text{text.bytes + first, last - first} : Text{stretch.bytes, 0};
}

size_t map_case(const unsigned char* source, unsigned char* destination, size_t length,
                CaseMapping mapping, Encoding encoding) {
    if (encoding == Encoding::utf8) {
        return utf8_case(source, destination, length, mapping);
    }
    if (encoding == Encoding::single_byte || encoding == Encoding::euc_jp) {
        return walked_case(source, destination, length, mapping, encoding);
    }
    const bool upper = mapping == CaseMapping::upper;
    const auto map = encoding == Encoding::shift_jis
                         ? (upper ? sjis_0208_upper_span : sjis_0208_lower_span)
                         : (upper ? sjis_upper_span : sjis_lower_span);
    return map(source, destination, length) == 1 ? 0 : 1;
}
