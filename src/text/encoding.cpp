// encoding.cpp - the character walks of the multi-byte sets; see
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

bool is_double_byte_lead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

bool is_digit(unsigned char c) {
    return c >= 0x30 && c <= 0x39;
}

// The bytes that follow bytes[0] in its character, of the `left` there are.
unsigned owed(const unsigned char* bytes, size_t left, Encoding encoding) {
    const unsigned char c = bytes[0];
    switch (encoding) {
        case Encoding::euc_jp:
            return euc_owed(c);
        case Encoding::gbk:
        case Encoding::big5:
            return is_double_byte_lead(c) ? 1 : 0;
        case Encoding::gb18030:
            return !is_double_byte_lead(c) ? 0 : left > 1 && is_digit(bytes[1]) ? 3 : 1;
        case Encoding::cp943c:
            return is_sjis_lead(c) ? 1 : 0;
        default:
            return 0;
    }
}

// A two-byte full-width Latin letter `lead` `trail` in the other case, in
// place; any other character as it is.
void wide_case(unsigned char& lead, unsigned char& trail, bool upper, Encoding encoding) {
    const unsigned char t = trail;
    if (encoding == Encoding::big5) {
        // Ａ-Ｚ are A2 CF-E8; ａ-ｖ A2 E9-FE, ｗ-ｚ A3 40-43.
        int letter = -1;
        if (upper && lead == 0xA2 && t >= 0xE9 && t <= 0xFE) {
            letter = t - 0xE9;
        } else if (upper && lead == 0xA3 && t >= 0x40 && t <= 0x43) {
            letter = 22 + (t - 0x40);
        } else if (!upper && lead == 0xA2 && t >= 0xCF && t <= 0xE8) {
            letter = t - 0xCF;
        }
        if (letter >= 0) {
            const bool high = !upper && letter >= 22;
            lead = high ? 0xA3 : 0xA2;
            trail = static_cast<unsigned char>(upper  ? 0xCF + letter
                                               : high ? 0x40 + letter - 22
                                                      : 0xE9 + letter);
        }
        return;
    }
    if (lead == 0xA3) {
        trail = upper && t >= 0xE1 && t <= 0xFA    ? t - 0x20
                : !upper && t >= 0xC1 && t <= 0xDA ? t + 0x20
                                                   : t;
    }
}

// ASCII letters and the full-width Latin letters, walking the characters
// of a double-byte set forward; one-byte sets walk ASCII alone.
size_t walked_case(const unsigned char* source, unsigned char* destination, size_t length,
                   CaseMapping mapping, Encoding encoding) {
    const bool upper = mapping == CaseMapping::upper;
    size_t i = 0;
    while (i < length) {
        const unsigned n = owed(source + i, length - i, encoding);
        if (n == 0) {
            destination[i] = ascii_case(source[i], upper);
            ++i;
            continue;
        }
        if (length - i <= n) {
            for (size_t k = i; k < length; ++k) {
                destination[k] = source[k];
            }
            return length - i;
        }
        for (size_t k = i; k <= i + n; ++k) {
            destination[k] = source[k];
        }
        if (n == 1) {
            wide_case(destination[i], destination[i + 1], upper, encoding);
        }
        i += 1 + n;
    }
    return 0;
}

}  // namespace

bool CharacterStarts::next(unsigned char byte) {
    switch (encoding_) {
        case Encoding::bytes:
        case Encoding::single_byte:
            return true;
        case Encoding::utf8:
            if (pending_ > 0 && is_continuation(byte)) {
                --pending_;
                return false;
            }
            pending_ = utf8_owed(byte);
            return true;
        case Encoding::shift_jis:
            if (pending_ > 0) {
                pending_ = 0;
                return false;
            }
            pending_ = is_sjis_0208_lead(byte) ? 1 : 0;
            return true;
        case Encoding::gb18030:
            if (pending_ == decide) {
                pending_ = is_digit(byte) ? 2 : 0;
                return false;
            }
            if (pending_ > 0) {
                --pending_;
                return false;
            }
            pending_ = is_double_byte_lead(byte) ? decide : 0;
            return true;
        default:
            if (pending_ > 0) {
                --pending_;
                return false;
            }
            pending_ = owed(&byte, 1, encoding_);
            return true;
    }
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
    // CP943C's characters are those the Shift-JIS mapping of bytes walks.
    if (encoding != Encoding::bytes && encoding != Encoding::shift_jis &&
        encoding != Encoding::cp943c) {
        return walked_case(source, destination, length, mapping, encoding);
    }
    const bool upper = mapping == CaseMapping::upper;
    const auto map = encoding == Encoding::shift_jis
                         ? (upper ? sjis_0208_upper_span : sjis_0208_lower_span)
                         : (upper ? sjis_upper_span : sjis_lower_span);
    return map(source, destination, length) == 1 ? 0 : 1;
}
