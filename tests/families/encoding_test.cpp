// Characters in the multi-byte encodings: random texts over an alphabet
// known in all of them, so that each encoding's results can be checked
// against the others' and against the texts' own character boundaries; and
// random bytes, which must never be read past their end.
#include "text/encoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "blob/blob.h"
#include "support/stand_in_host.h"

namespace {

const Encoding walked[] = {Encoding::shift_jis, Encoding::utf8, Encoding::euc_jp,
                           Encoding::gbk,       Encoding::big5, Encoding::gb18030,
                           Encoding::cp943c};

Bytes hex(const char* digits) {
    Bytes out;
    for (const char* d = digits; d[0] != '\0' && d[1] != '\0'; d += 2) {
        out.push_back(
            static_cast<unsigned char>(std::stoi(std::string(d, 2), nullptr, 16)));
    }
    return out;
}

// A letter's bytes in each encoding of `walked`, in that order.  Where a
// set has no such letter, a character of the same role stands in: one whose
// second byte is an ASCII letter (GBK 81 61, BIG_5 A4 61, A1 65, A1 7A).
struct Letter {
    std::vector<const char*> digits;
    Bytes in(Encoding e) const {
        size_t i = 0;
        while (walked[i] != e) {
            ++i;
        }
        return hex(digits[i]);
    }
};

// Case pairs sit next to each other; the near misses around the full-width
// Latin letters (＠ ［ ｀ ｛, half-width ｱ whose UTF-8 starts EF BD) do not
// change.
// clang-format off
const std::vector<Letter> alphabet = {
    //  Shift-JIS  UTF-8   EUC-JP  GBK     BIG_5   GB18030     CP943C
    {{"61",     "61",     "61",   "61",   "61",   "61",       "61"}},     // a
    {{"41",     "41",     "41",   "41",   "41",   "41",       "41"}},     // A
    {{"7A",     "7A",     "7A",   "7A",   "7A",   "7A",       "7A"}},     // z
    {{"5A",     "5A",     "5A",   "5A",   "5A",   "5A",       "5A"}},     // Z
    {{"20",     "20",     "20",   "20",   "20",   "20",       "20"}},     // space
    {{"00",     "00",     "00",   "00",   "00",   "00",       "00"}},     // zero byte
    {{"8281",   "EFBD81", "A3E1", "A3E1", "A2E9", "A3E1",     "8281"}},   // ａ
    {{"8260",   "EFBCA1", "A3C1", "A3C1", "A2CF", "A3C1",     "8260"}},   // Ａ
    {{"829A",   "EFBD9A", "A3FA", "A3FA", "A343", "A3FA",     "829A"}},   // ｚ
    {{"8279",   "EFBCBA", "A3DA", "A3DA", "A2E8", "A3DA",     "8279"}},   // Ｚ
    {{"8297",   "EFBD97", "A3F7", "A3F7", "A340", "A3F7",     "8297"}},   // ｗ
    {{"8276",   "EFBCB7", "A3D7", "A3D7", "A2E5", "A3D7",     "8276"}},   // Ｗ
    {{"8197",   "EFBCA0", "A1F7", "A3C0", "A249", "A3C0",     "8197"}},   // ＠
    {{"816D",   "EFBCBB", "A1CE", "A3DB", "A165", "A3DB",     "816D"}},   // ［
    {{"814D",   "EFBD80", "A1AE", "A3E0", "A17A", "A3E0",     "814D"}},   // ｀
    {{"816F",   "EFBD9B", "A1D0", "A3FB", "A161", "A3FB",     "816F"}},   // ｛
    {{"B1",     "EFBDB1", "8EB1", "8161", "A461", "84319733", "B1"}},     // ｱ
    {{"93FA",   "E697A5", "C6FC", "C8D5", "A4E9", "C8D5",     "93FA"}},   // 日
    {{"8140",   "E38080", "A1A1", "A1A1", "A140", "A1A1",     "8140"}},   // 　
    {{"82A0",   "E38182", "A4A2", "A4A2", "C6A6", "A4A2",     "82A0"}},   // あ
};
// clang-format on

struct Sample {
    std::vector<size_t> letters;
    Bytes bytes(Encoding e) const {
        Bytes out;
        for (size_t i : letters) {
            const Bytes b = alphabet[i].in(e);
            out.insert(out.end(), b.begin(), b.end());
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
                const Bytes one =
                    mapped(alphabet[i].in(Encoding::shift_jis), m, Encoding::shift_jis);
                size_t j = 0;
                while (alphabet[j].in(Encoding::shift_jis) != one) {
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
                {{0xA3, 0xE1, 0xA3}, Encoding::euc_jp, 1, {0xA3, 0xC1}},
                // GB18030: a digit after the lead byte owes two bytes more.
                {{'a', 0x81, 0x30, 0x81}, Encoding::gb18030, 3, {'A'}},
                {{'a', 0x81, 0x61}, Encoding::gb18030, 0, {'A', 0x81, 0x61}}};
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
             {Encoding::bytes, Encoding::shift_jis, Encoding::utf8, Encoding::euc_jp,
              Encoding::gbk, Encoding::big5, Encoding::gb18030, Encoding::cp943c}) {
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
