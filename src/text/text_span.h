// text_span.h - the text routines on counted bytes, shared by every front:
// trimming blanks, the stretch a substring request covers, and byte order.
// A zero byte is a byte like any other here; the CSTRING entries pass the
// length of their zero-terminated text.
#pragma once

#include <cstddef>
#include <cstdint>

// Count of blanks (0x20 only) at the start of the text.
size_t leading_blanks(const char* text, size_t length);

// Length of the text once the blanks after `start` at its end are dropped.
size_t end_without_blanks(const char* text, size_t start, size_t length);

// How many bytes of a text of `text_length` bytes a request for `length`
// bytes from `start` covers, or -1 when it gives the empty result (length
// of 0 or less, a negative start, a start at or past the end).
int32_t substring_count(size_t text_length, int32_t start, int32_t length);

// Byte order of two counted values: at the first differing byte their
// difference; when one is the start of the other, the longer one's next
// byte (at least 1) with the longer side's sign; 0 only when equal.
int32_t compare_bytes(const unsigned char* a, uint32_t a_length, const unsigned char* b,
                      uint32_t b_length);
