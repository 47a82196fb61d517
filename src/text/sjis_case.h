// sjis_case.h - upper and lower case for Shift-JIS text.
//
// A character is one byte, or a lead byte (0x81-0x9F, 0xE0-0xFC) and the
// byte after it.  ASCII letters change case; of the double-byte characters
// only the full-width Latin letters (lead 0x82) do.  The byte after a lead
// byte is never taken for a letter of its own.
//
// Each routine returns 1 when the text ended on a character boundary and 0
// when it ended right after a lead byte (that lead byte is copied unchanged as
// the last byte).  Source and destination may be the same buffer.
#pragma once

#include <cstddef>

// Zero-terminated text: the destination receives as many bytes plus the zero.
int sjis_upper_copy(const unsigned char* source, unsigned char* destination);
int sjis_lower_copy(const unsigned char* source, unsigned char* destination);

// A counted run of bytes, as in a BLOB segment: a zero byte is an ordinary
// single-byte character here, and nothing is written past `length`.
int sjis_upper_span(const unsigned char* source, unsigned char* destination,
                    size_t length);
int sjis_lower_span(const unsigned char* source, unsigned char* destination,
                    size_t length);

// Whether `c` is the first of two bytes in Shift-JIS as this mapping (and
// the server's CP943C) walks it.
inline bool is_sjis_lead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Whether the server's SJIS_0208 takes `c` for the first of two bytes:
// 0x80-0x9F and 0xE0-0xEF (80 41 is one character to it; it holds no text
// with a character starting at 0xF0-0xFF).
inline bool is_sjis_0208_lead(unsigned char c) {
    return (c >= 0x80 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF);
}

// The case mapping over the characters of the server's SJIS_0208.
int sjis_0208_upper_span(const unsigned char* source, unsigned char* destination,
                         size_t length);
int sjis_0208_lower_span(const unsigned char* source, unsigned char* destination,
                         size_t length);
