// Characters in Shift-JIS, EUC-JP and UTF-8: random texts over an alphabet
// known in all three, so that each encoding's results can be checked against
// the others' and against the texts' own character boundaries; and random
// bytes, which must never be read past their end.
#include "text/encoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "blob/blob.h"
#include "support/stand_in_host.h"

namespace {

struct Letter {
    Bytes sjis, utf8, euc;
    const Bytes& in(Encoding e) const {
        return e == Encoding::utf8 ? utf8 : e == Encoding::euc_jp ? euc : sjis;
    }
};

const Encoding walked[] = {Encoding::shift_jis, Encoding::utf8, Encoding::euc_jp};

// Case pairs sit next to each other; the near misses around the full-width
// Latin letters (＠ ［ ｀ ｛, half-width ｱ whose UTF-8 starts EF BD) do not
// change.
const std::vector<Letter> alphabet = {
    {{'a'}, {'a'}, {'a'}},
    {{'A'}, {'A'}, {'A'}},
    {{'z'}, {'z'}, {'z'}},
    {{'Z'}, {'Z'}, {'Z'}},
    {{' '}, {' '}, {' '}},
    {{0}, {0}, {0}},
    {{0x82, 0x81}, {0xEF, 0xBD, 0x81}, {0xA3, 0xE1}},  // ａ
    {{0x82, 0x60}, {0xEF, 0xBC, 0xA1}, {0xA3, 0xC1}},  // Ａ
    {{0x82, 0x9A}, {0xEF, 0xBD, 0x9A}, {0xA3, 0xFA}},  // ｚ
    {{0x82, 0x79}, {0xEF, 0xBC, 0xBA}, {0xA3, 0xDA}},  // Ｚ
    {{0x81, 0x97}, {0xEF, 0xBC, 0xA0}, {0xA1, 0xF7}},  // ＠
    {{0x81, 0x6D}, {0xEF, 0xBC, 0xBB}, {0xA1, 0xCE}},  // ［
    {{0x81, 0x4D}, {0xEF, 0xBD, 0x80}, {0xA1, 0xAE}},  // ｀
    {{0x81, 0x6F}, {0xEF, 0xBD, 0x9B}, {0xA1, 0xD0}},  // ｛
    {{0xB1}, {0xEF, 0xBD, 0xB1}, {0x8E, 0xB1}},        // ｱ
    {{0x93, 0xFA}, {0xE6, 0x97, 0xA5}, {0xC6, 0xFC}},  // 日
    {{0x81, 0x40}, {0xE3, 0x80, 0x80}, {0xA1, 0xA1}},  // ideographic space
    {{0x82, 0xA0}, {0xE3, 0x81, 0x82}, {0xA4, 0xA2}},  // あ
};

struct Sample {
    std::vector<size_t> letters;
    Bytes bytes(Encoding e) const {
        Bytes out;
        for (size_t i : letters) {
            out.insert(out.end(), alphabet[i].in(e).begin(), alphabet[i].in(e).end());
        }
        return out;
    }
    // Where characters start, and the end.
    std::vector<size_t> starts(Encoding e) const {
        std::vector<size_t> at{0};
        for (size_t i : letters) {
            at.push_back(at.back() + alphabet[i].in(e).size());
        }
        return at;
    }
};

Sample random_sample(std::mt19937& random) {
    Sample s;
    const size_t n = random() % 12;
    for (size_t i = 0; i < n; ++i) {
        s.letters.push_back(random() % alphabet.size());
    }
    return s;
}

Text text(const Bytes& b) {
    return Text{b.data(), b.size()};
}

Bytes mapped(Bytes b, CaseMapping m, Encoding e) {
    EXPECT_EQ(map_case(b.data(), b.data(), b.size(), m, e), 0u);
    return b;
}

// In both encodings, the same letters change case; a substring is the
// whole characters of the byte stretch, found here from the boundaries.
TEST(Encodings, AgreeOverTheAlphabet) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const Sample s = random_sample(random);
        for (CaseMapping m : {CaseMapping::upper, CaseMapping::lower}) {
            Sample expected;
            for (size_t i : s.letters) {
                const Bytes one = mapped(alphabet[i].sjis, m, Encoding::shift_jis);
                size_t j = 0;
                while (alphabet[j].sjis != one) {
                    ++j;
                }
                expected.letters.push_back(j);
            }
            for (Encoding e : walked) {
                EXPECT_EQ(mapped(s.bytes(e), m, e), expected.bytes(e));
            }
        }
        for (Encoding e : walked) {
            const Bytes b = s.bytes(e);
            const std::vector<size_t> starts = s.starts(e);
            const int32_t start = static_cast<int32_t>(random() % (b.size() + 2)) - 1;
            const int32_t length = static_cast<int32_t>(random() % 10) - 1;
            const Text got = substring(text(b), start, length, e);
            size_t first = b.size(), last = 0;
            if (start >= 0 && length > 0) {
                const size_t end = std::min(b.size(), size_t(start) + size_t(length));
                for (size_t at : starts) {
                    if (at >= size_t(start) && at < first) {
                        first = at;
                    }
                    if (at <= end) {
                        last = at;
                    }
                }
            }
            const size_t n = first < last ? last - first : 0;
            ASSERT_EQ(got.length, n) << "start " << start << " length " << length;
            EXPECT_EQ(n == 0 || got.bytes == b.data() + first, true);
        }
    }
}

TEST(Encodings, CutCharactersAtTheEnd) {
    const std::vector<std::pair<Bytes, size_t>> utf8 = {{{'a', 0xEF}, 1},
                                                        {{'a', 0xEF, 0xBD}, 2},
                                                        {{0xF0, 0x9F, 0x98}, 3},
                                                        {{0xF0, 0x9F, 0x98, 0x80}, 0},
                                                        {{'a', 0x80}, 0},
                                                        {{0xE6, 0x97, 0xA5}, 0},
                                                        {{0xC3}, 1},
                                                        {{0x80, 0x80, 0x80, 0x80}, 0},
                                                        {{}, 0}};
    for (const auto& [bytes, cut] : utf8) {
        Bytes out(bytes.size());
        EXPECT_EQ(map_case(bytes.data(), out.data(), bytes.size(), CaseMapping::upper,
                           Encoding::utf8),
                  cut);
    }
    // A Shift-JIS lead byte at the end is cut.  Bytes walk as Shift-JIS in
    // the case mapping, as they always have; SJIS_0208 also takes 80 for a
    // lead byte, as the server does.
    const struct {
        Bytes in;
        Encoding encoding;
        size_t cut;
        Bytes out;
    } sjis[] = {{{'a', 0x82}, Encoding::shift_jis, 1, {'A'}},
                {{'a', 0x82}, Encoding::bytes, 1, {'A'}},
                {{0x80, 'a', 0x80}, Encoding::shift_jis, 1, {0x80, 'a'}},
                {{0x80, 'a', 0x80}, Encoding::bytes, 0, {0x80, 'A', 0x80}},
                // A one-byte set has no lead bytes: ISO8859_1's 'a÷a', WIN1252's 'a…a'.
                {{'a', 0xF7, 'a', 0x85, 'a'},
                 Encoding::single_byte,
                 0,
                 {'A', 0xF7, 'A', 0x85, 'A'}},
                {{'a', 0xF7, 'a'}, Encoding::bytes, 0, {'A', 0xF7, 'a'}},
                // EUC-JP: two bytes owed after 8F, one after A1-FE.
                {{'a', 0x8F, 0xA1}, Encoding::euc_jp, 2, {'A'}},
                {{0xA3, 0xE1, 0xA3}, Encoding::euc_jp, 1, {0xA3, 0xC1}}};
    for (const auto& c : sjis) {
        Bytes out(c.in.size());
        EXPECT_EQ(map_case(c.in.data(), out.data(), c.in.size(), CaseMapping::upper,
                           c.encoding),
                  c.cut);
        EXPECT_EQ(Bytes(out.begin(), out.end() - c.cut), c.out);
    }
}

// Malformed input: results stay inside the byte stretch asked for (ASan
// watches the reads), and the UTF-8 mapping changes nothing but ASCII
// letters and whole full-width letters.
TEST(Encodings, RandomBytesStayInBounds) {
    std::mt19937 random(11);
    for (int round = 0; round < 5000; ++round) {
        Bytes b(random() % 9);
        for (auto& c : b) {
            c = static_cast<unsigned char>(random() % 4 == 0 ? 0xEF : random());
        }
        for (Encoding e :
             {Encoding::bytes, Encoding::shift_jis, Encoding::utf8, Encoding::euc_jp}) {
            const int32_t start = static_cast<int32_t>(random() % 10);
            const int32_t length = static_cast<int32_t>(random() % 10);
            const Text got = substring(text(b), start, length, e);
            const Text bytes = substring(text(b), start, length);
            EXPECT_TRUE(got.length == 0 ||
                        (got.bytes >= bytes.bytes &&
                         got.bytes + got.length <= bytes.bytes + bytes.length));
        }
        Bytes up(b.size());
        map_case(b.data(), up.data(), b.size(), CaseMapping::upper, Encoding::utf8);
        for (size_t i = 0; i < b.size(); ++i) {
            if (up[i] != b[i]) {
                const bool ascii = b[i] >= 'a' && b[i] <= 'z' && up[i] == b[i] - 0x20;
                const bool wide = i >= 1 && b[i - 1] == 0xBD && up[i - 1] == 0xBC;
                const bool wide_middle = b[i] == 0xBD && up[i] == 0xBC;
                EXPECT_TRUE(ascii || wide || wide_middle) << i;
            }
        }
    }
}

// Through BLOBs cut into small segments: the same results as on the whole.
TEST(Encodings, BlobsCutAnywhereGiveTheWholeTextsResults) {
    std::mt19937 random(5);
    for (int round = 0; round < 1500; ++round) {
        const Sample s = random_sample(random);
        for (Encoding e : walked) {
            const Bytes whole = s.bytes(e);
            std::vector<Bytes> parts;
            for (size_t at = 0; at < whole.size();) {
                const size_t n = std::min<size_t>(1 + random() % 4, whole.size() - at);
                parts.emplace_back(whole.begin() + at, whole.begin() + at + n);
                at += n;
            }
            StandInBlob blob(parts);
            StandInBlob out = StandInBlob::output();
            ASSERT_TRUE(convert_blob_case(&blob, out, CaseMapping::upper, e));
            EXPECT_EQ(out.contents(), mapped(whole, CaseMapping::upper, e));

            const int32_t start = static_cast<int32_t>(random() % (whole.size() + 1));
            const uint32_t wanted = 1 + random() % 9;
            StandInBlob again(parts);
            StretchCopier copier(again);
            Bytes got(wanted);
            got.resize(copier.copy(start, wanted, got.data(), e));
            const Text expected =
                substring(text(whole), start, static_cast<int32_t>(wanted), e);
            EXPECT_EQ(got, Bytes(expected.bytes, expected.bytes + expected.length));
        }
    }
}

}  // namespace
