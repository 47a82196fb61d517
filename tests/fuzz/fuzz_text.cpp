// fuzz_text.cpp - the text entries on fuzzed texts, starts and lengths, and
// the VARCHAR entries on blocks of exactly their declared size.  Each result
// is checked against a plain reference; the Shift-JIS mapping in place must
// equal the mapping into a copy.  The Shift-JIS and UTF-8 walks run on the
// same bytes, well-formed or not.
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "legacy/entries.h"
#include "text/encoding.h"
#include "text/sjis_case.h"

namespace {

Bytes until_zero(const Bytes& b) {
    return Bytes(b.begin(), std::find(b.begin(), b.end(), 0));
}

Bytes cstring_result(char* block) {
    FUZZ_CHECK(block != nullptr);
    Bytes out(block, block + std::strlen(block));
    std::free(block);
    return out;
}

// A VARCHAR of exactly 2 + n bytes.
Bytes varchar(const Bytes& text) {
    Bytes v(2 + text.size());
    const uint16_t n = static_cast<uint16_t>(text.size());
    std::memcpy(v.data(), &n, 2);
    std::copy(text.begin(), text.end(), v.begin() + 2);
    return v;
}
const VaryingText* as_varying(const Bytes& v) {
    return reinterpret_cast<const VaryingText*>(v.data());
}

// SubStr and VSubStr's stretch: empty unless 0 <= start < length of text.
Bytes slice(const Bytes& text, int16_t start, int16_t length) {
    if (length <= 0 || start < 0 || static_cast<size_t>(start) >= text.size()) {
        return {};
    }
    const size_t n = std::min<size_t>(text.size() - start, static_cast<size_t>(length));
    return Bytes(text.begin() + start, text.begin() + start + n);
}

Bytes trimmed(Bytes t, bool left, bool right) {
    while (right && !t.empty() && t.back() == ' ')
        t.pop_back();
    size_t k = 0;
    while (left && k < t.size() && t[k] == ' ')
        ++k;
    return Bytes(t.begin() + k, t.end());
}

int sign(int64_t v) {
    return (v > 0) - (v < 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    host_malloc = &fuzz_malloc;
    FuzzInput in(data, size);
    const int16_t start = in.take<int16_t>();
    const int16_t length = in.take<int16_t>();
    const uint16_t split = in.take<uint16_t>();
    const Bytes all = in.rest();
    const Bytes a_raw(all.begin(), all.begin() + std::min<size_t>(split, all.size()));
    const Bytes b_raw(all.begin() + a_raw.size(), all.end());
    const ExactText a(a_raw), b(b_raw);
    const Bytes a_text = until_zero(a_raw), b_text = until_zero(b_raw);

    FUZZ_CHECK(_UDF_StrLen(a.c_str()) == static_cast<int32_t>(a_text.size()));
    Bytes cat = a_text;
    cat.insert(cat.end(), b_text.begin(), b_text.end());
    FUZZ_CHECK(cstring_result(_UDF_StrCat(a.c_str(), b.c_str())) == cat);
    FUZZ_CHECK(cstring_result(_UDF_SubStr(a.c_str(), &start, &length)) ==
               slice(a_text, start, length));

    VaryingText* v = _UDF_VSubStr(a.c_str(), &start, &length);
    FUZZ_CHECK(v != nullptr);
    const Bytes expected = slice(a_text, start, length);
    FUZZ_CHECK(varying_length(v) == expected.size());
    FUZZ_CHECK(std::equal(expected.begin(), expected.end(), varying_bytes(v)));
    std::free(v);

    FUZZ_CHECK(cstring_result(_UDF_Trim(a.c_str())) == trimmed(a_text, true, true));
    FUZZ_CHECK(cstring_result(_UDF_TrimLeft(a.c_str())) == trimmed(a_text, true, false));
    FUZZ_CHECK(cstring_result(_UDF_TrimRight(a.c_str())) == trimmed(a_text, false, true));
    FUZZ_CHECK(cstring_result(_UDF_SjisUpper(a.c_str())) == reference_case(a_text, true));
    FUZZ_CHECK(cstring_result(_UDF_SjisLower(a.c_str())) ==
               reference_case(a_text, false));

    // VARCHARs: counted, zero bytes included, nothing read past the value.
    const Bytes va = varchar(a_raw), vb = varchar(b_raw);
    FUZZ_CHECK(_UDF_VStrLen(as_varying(va)) == static_cast<int16_t>(a_raw.size()));
    const int compared = _UDF_VStrCmp(as_varying(va), as_varying(vb));
    const int64_t reference = std::lexicographical_compare(a_raw.begin(), a_raw.end(),
                                                           b_raw.begin(), b_raw.end())
                                  ? -1
                                  : (a_raw == b_raw ? 0 : 1);
    FUZZ_CHECK(sign(compared) == reference);

    // Counted mapping: into a copy, in place, and against the reference.
    for (bool upper : {true, false}) {
        auto span = upper ? sjis_upper_span : sjis_lower_span;
        Bytes copy(a_raw.size()), in_place = a_raw;
        span(a_raw.data(), copy.data(), a_raw.size());
        span(in_place.data(), in_place.data(), in_place.size());
        FUZZ_CHECK(copy == in_place);
        FUZZ_CHECK(copy == reference_case(a_raw, upper));
    }

    // By character, on a heap copy of exactly the text's size: substrings
    // stay inside their byte stretch, and the mapping into a copy equals the
    // one in place, with the same cut tail.
    const Bytes exact = a_raw;
    const Text whole{exact.data(), exact.size()};
    const Text stretch = substring(whole, start, length);
    for (Encoding e :
         {Encoding::shift_jis, Encoding::utf8, Encoding::euc_jp, Encoding::gbk,
          Encoding::big5, Encoding::gb18030, Encoding::cp943c}) {
        const Text cut = substring(whole, start, length, e);
        FUZZ_CHECK(cut.length <= stretch.length);
        FUZZ_CHECK(cut.length == 0 ||
                   (cut.bytes >= stretch.bytes &&
                    cut.bytes + cut.length <= stretch.bytes + stretch.length));
        for (CaseMapping m : {CaseMapping::upper, CaseMapping::lower}) {
            Bytes copy(exact.size()), in_place = exact;
            const size_t tail = map_case(exact.data(), copy.data(), exact.size(), m, e);
            FUZZ_CHECK(map_case(in_place.data(), in_place.data(), in_place.size(), m,
                                e) == tail);
            FUZZ_CHECK(copy == in_place && tail <= 3 && tail <= exact.size());
        }
    }
    return 0;
}
