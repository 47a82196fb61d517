// sjis_case.cpp - the byte walk behind the Shift-JIS case mapping.
#include "sjis_case.h"

#include <cstring>

namespace {

struct ShiftJis {
    static bool lead(unsigned char c) { return is_sjis_lead(c); }
};

struct Sjis0208 {
    static bool lead(unsigned char c) { return is_sjis_0208_lead(c); }
};

// The two directions differ only in their ranges: the ASCII letters that
// change (by 0x20) and the second bytes after 0x82 that change (by 0x21).
struct ToUpper {
    static bool ascii(unsigned char c) { return c >= 0x61 && c <= 0x7A; }
    static unsigned char ascii_map(unsigned char c) { return c - 0x20; }
    static bool wide(unsigned char c) { return c >= 0x81 && c <= 0x9A; }
    static unsigned char wide_map(unsigned char c) { return c - 0x21; }
};

struct ToLower {
    static bool ascii(unsigned char c) { return c >= 0x41 && c <= 0x5A; }
    static unsigned char ascii_map(unsigned char c) { return c + 0x20; }
    static bool wide(unsigned char c) { return c >= 0x60 && c <= 0x79; }
    static unsigned char wide_map(unsigned char c) { return c + 0x21; }
};

// Each destination byte is written only after the source bytes that decide
// it were read, so source == destination works.
template <class Case, class Set = ShiftJis>
int map_span(const unsigned char* source, unsigned char* destination, size_t length) {
    size_t i = 0;
    while (i < length) {
        const unsigned char c = source[i];
        if (Case::ascii(c)) {
            destination[i] = Case::ascii_map(c);
            ++i;
            continue;
        }
        destination[i] = c;
        ++i;
        if (Set::lead(c)) {
            if (i == length) {
                return 0;
            }
            const unsigned char second = source[i];
            destination[i] =
                (c == 0x82 && Case::wide(second)) ? Case::wide_map(second) : second;
            ++i;
        }
    }
    return 1;
}

template <class Case>
int map_text(const unsigned char* source, unsigned char* destination) {
    const size_t length = std::strlen(reinterpret_cast<const char*>(source));
    const int result = map_span<Case>(source, destination, length);
    destination[length] = 0;
    return result;
}

}  // namespace

int sjis_upper_copy(const unsigned char* source, unsigned char* destination) {
    return map_text<ToUpper>(source, destination);
}

int sjis_lower_copy(const unsigned char* source, unsigned char* destination) {
    return map_text<ToLower>(source, destination);
}

int sjis_upper_span(const unsigned char* source, unsigned char* destination,
                    size_t length) {
    return map_span<ToUpper>(source, destination, length);
}

int sjis_lower_span(const unsigned char* source, unsigned char* destination,
                    size_t length) {
    return map_span<ToLower>(source, destination, length);
}

int sjis_0208_upper_span(const unsigned char* source, unsigned char* destination,
                         size_t length) {
    return map_span<ToUpper, Sjis0208>(source, destination, length);
}

int sjis_0208_lower_span(const unsigned char* source, unsigned char* destination,
                         size_t length) {
    return map_span<ToLower, Sjis0208>(source, destination, length);
}
