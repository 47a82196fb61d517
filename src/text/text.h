// text.h - the text family on counted bytes: the plain values every front
// hands in and takes back.
//
// A text is a run of bytes with its length; a zero byte is a byte like any
// other.  Nothing here allocates: results are stretches of the argument, or
// bytes written where the caller says.  Positions count bytes from 0.
#pragma once

#include <cstddef>
#include <cstdint>

struct Text {
    const unsigned char* bytes;
    size_t length;
};

inline Text text_of(const char* bytes, size_t length) {
    return Text{reinterpret_cast<const unsigned char*>(bytes), length};
}

// Trimming drops blanks, the byte 0x20 only (not tabs, line ends, 0xA0 or
// the full-width space 81 40), at the start, the end, or both.
Text trim_blanks(Text text);
Text trim_leading_blanks(Text text);
Text trim_trailing_blanks(Text text);

// The stretch of `length` bytes from `start`, cut at the end of the text.
// A length of 0 or less, a negative start or a start at or past the end give
// the empty stretch; any other request gives at least one byte.
Text substring(Text text, int32_t start, int32_t length);

// Writes `first` then `second` to `destination`, which holds at least the
// sum of their lengths, and returns the end of what was written.
unsigned char* join_texts(Text first, Text second, unsigned char* destination);

// Byte order of two texts over their whole lengths: at the first differing
// byte their difference; when one is the start of the other, the longer
// one's next byte (at least 1) with the longer side's sign; 0 only when
// equal.
int32_t compare_bytes(Text a, Text b);
