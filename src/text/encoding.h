// encoding.h - characters in a text's bytes: where the characters of the
// Shift-JIS, EUC-JP, UTF-8 and Chinese and Korean double-byte sets start,
// substrings that never cut one, and case mapping that walks them.
//
// Positions and lengths still count bytes; a character set only decides
// where a result may begin and end.  Nothing here reads past the bytes it is
// given, whatever they hold: a byte that breaks a UTF-8 sequence starts a
// character of its own, so malformed input is taken apart byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text.h"

// `bytes`: no characters beyond bytes (NONE, OCTETS).  The case mapping has
// always read such text as Shift-JIS (lead bytes 81-9F, E0-FC), and still
// does.  `single_byte`: every byte a character of a one-byte set (ISO8859_1,
// WIN1252, ...), where only ASCII letters change case.  `shift_jis`: the
// characters of the server's SJIS_0208.  `euc_jp`: those of EUCJ_0208 (a
// lead byte A1-FE or 8E and one byte more, 8F and two).  `gbk`: GB_2312,
// GBK and KSC_5601 (a lead byte 81-FE and one byte more).  `big5`: BIG_5
// (the same walk, other full-width letters).  `gb18030`: GB18030 (a lead
// byte 81-FE and one byte more, or three when the next is a digit 30-39).
// `cp943c`: CP943C (a lead byte 81-9F or E0-FC and one byte more).
enum class Encoding : uint8_t {
    bytes,
    single_byte,
    shift_jis,
    utf8,
    euc_jp,
    gbk,
    big5,
    gb18030,
    cp943c
};

// Whether every byte starts a character: no walk to make.
constexpr bool every_byte_a_character(Encoding encoding) {
    return encoding == Encoding::bytes || encoding == Encoding::single_byte;
}

enum class CaseMapping { upper, lower };

// Fed a text's bytes in order, tells whether each one starts a character.
// The double-byte sets: a lead byte and the bytes it announces are one
// character.  UTF-8: a lead byte and the continuation bytes (80-BF) it
// announces.  For `bytes` and `single_byte` every byte starts one.
class CharacterStarts {
  public:
    explicit CharacterStarts(Encoding encoding) : encoding_(encoding) {}
    bool next(unsigned char byte);

  private:
    Encoding encoding_;
    // Bytes still owed to the open character; after a GB18030 lead byte,
    // `decide`: the next byte tells whether one is owed or three.
    static constexpr unsigned decide = 4;
    unsigned pending_ = 0;
};

// The whole characters of the byte stretch substring(text, start, length)
// gives: a character cut at either end is dropped, so the result is never
// longer than asked.
Text substring(Text text, int32_t start, int32_t length, Encoding encoding);

// Maps `length` bytes from `source` to `destination` (which may be the
// same): ASCII letters and the full-width Latin letters change case (in
// Shift-JIS and CP943C 82 81-9A / 82 60-79, in EUC-JP, GB_2312, GBK,
// GB18030 and KSC_5601 A3 E1-FA / A3 C1-DA, in BIG_5 A2 E9-FE, A3 40-43 /
// A2 CF-E8, in UTF-8 EF BD 81-9A / EF BC A1-BA); everything else is copied
// unchanged.  Returns how many bytes at the end begin a character the text
// does not finish (copied unchanged): 0 or 1 in the two-byte sets, up to 2
// in EUC-JP, up to 3 in UTF-8 and GB18030.
size_t map_case(const unsigned char* source, unsigned char* destination, size_t length,
                CaseMapping mapping, Encoding encoding);
