// text_routines.cpp - the text and number functions as external routines.
//
// Texts are counted: a zero byte is an ordinary byte.  Positions and lengths
// count bytes; a routine declared in SJIS_0208 or UTF8 cuts and maps its
// texts by that set's characters.  The work is the text and numeric
// families'.
#include "../numeric/numeric.h"
#include "routines.h"

namespace kovudf_udr {
namespace routines {

void StrLen(Call& call) {
    call.set_integer(static_cast<int32_t>(call.text(0).length));
}

void VStrLen(Call& call) {
    call.set_smallint(static_cast<int16_t>(call.text(0).length));
}

void StrCat(Call& call) {
    const Text a = call.text(0), b = call.text(1);
    join_texts(a, b, call.text_room(a.length + b.length));
}

void SubStr(Call& call) {
    call.set_text(
        substring(call.text(0), call.smallint(1), call.smallint(2), call.encoding()));
}

void VSubStr(Call& call) {
    SubStr(call);
}

void VStrCmp(Call& call) {
    call.set_integer(compare_bytes(call.text(0), call.text(1)));
}

void SjisUpper(Call& call) {
    const Text t = call.text(0);
    map_case(t.bytes, call.text_room(t.length), t.length, CaseMapping::upper,
             call.encoding());
}

void SjisLower(Call& call) {
    const Text t = call.text(0);
    map_case(t.bytes, call.text_room(t.length), t.length, CaseMapping::lower,
             call.encoding());
}

void Trim(Call& call) {
    call.set_text(trim_blanks(call.text(0)));
}

void TrimLeft(Call& call) {
    call.set_text(trim_leading_blanks(call.text(0)));
}

void TrimRight(Call& call) {
    call.set_text(trim_trailing_blanks(call.text(0)));
}

void Abs(Call& call) {
    call.set_double(absolute_value(call.double_value(0)));
}

void IAbs(Call& call) {
    call.set_integer(absolute_value(call.integer(0)));
}

void Round(Call& call) {
    call.set_double(round_by_mode(call.double_value(0), call.smallint(1)));
}

void Oct(Call& call) {
    call.set_integer(octal_value(call.text(0)));
}

}  // namespace routines
}  // namespace kovudf_udr
