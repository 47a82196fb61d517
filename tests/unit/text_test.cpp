// Text entries: lengths, concatenation, substrings, comparison, trimming and
// Shift-JIS case, with the sizes of the blocks handed to the server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/kovudf.h"
#include "support/stand_in_host.h"
#include "text/sjis_case.h"

namespace {

class TextTest : public HostTest {};

// A VARCHAR as the server passes it: length, bytes, then a zero byte.
Bytes varchar(const std::string& text, int declared = -1) {
    const uint16_t n = static_cast<uint16_t>(declared < 0 ? text.size() : declared);
    Bytes v(text.size() + 3, 0);
    set_varying_length(v.data(), n);
    for (size_t i = 0; i < text.size(); ++i) {
        v[2 + i] = static_cast<unsigned char>(text[i]);
    }
    return v;
}
const VaryingText* as_varying(const Bytes& v) {
    return reinterpret_cast<const VaryingText*>(v.data());
}

std::string sjis(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) {
        s.push_back(static_cast<char>(b));
    }
    return s;
}

TEST_F(TextTest, Lengths) {
    EXPECT_EQ(_UDF_StrLen(""), 0);
    EXPECT_EQ(_UDF_StrLen(sjis({0x82, 0xA0, 'a'}).c_str()), 3);
    EXPECT_EQ(_UDF_VStrLen(as_varying(varchar("abc"))), 3);
    EXPECT_EQ(_UDF_VStrLen(as_varying(varchar(""))), 0);
    // The stored length field, not the bytes.
    EXPECT_EQ(_UDF_VStrLen(as_varying(varchar("ab", 40000))),
              static_cast<int16_t>(40000));
}

TEST_F(TextTest, Concatenation) {
    char* r = _UDF_StrCat("ab", "cd");
    EXPECT_STREQ(r, "abcd");
    EXPECT_EQ(block_size(r), 5u);
    r = _UDF_StrCat("", "");
    EXPECT_STREQ(r, "");
    EXPECT_EQ(block_size(r), 1u);
}

struct SubCase {
    const char* text;
    int16_t start, length;
    std::string expected;
    size_t block;
};

TEST_F(TextTest, SubStrBlocks) {
    const std::vector<SubCase> cases = {
        {"abcdef", 2, 3, "cde", 4},       {"abcdef", 0, 1, "a", 2},
        {"abcdef", 5, 1, "f", 2},         {"abcdef", 6, 1, "", 1},
        {"abcdef", -1, 3, "", 1},         {"abcdef", 0, 0, "", 1},
        {"abcdef", 0, -4, "", 1},         {"", 0, 5, "", 1},
        {"abcdef", -32768, 32767, "", 1},
    };
    for (const SubCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.start) + " " +
                     std::to_string(c.length));
        char* r = _UDF_SubStr(c.text, &c.start, &c.length);
        EXPECT_EQ(std::string(r), c.expected);
        EXPECT_EQ(block_size(r), c.block);
    }
}

TEST_F(TextTest, SubStrPastTheEndKeepsRequestedBlockZeroFilled) {
    const int16_t start = 4, length = 10;
    char* r = _UDF_SubStr("abcdef", &start, &length);
    Bytes expected = bytes_of("ef");
    expected.resize(11, 0);
    EXPECT_EQ(block_bytes(r), expected);
}

TEST_F(TextTest, VSubStrBlocks) {
    int16_t start = 2, length = 3;
    EXPECT_EQ(block_bytes(_UDF_VSubStr("abcdef", &start, &length)),
              (Bytes{3, 0, 'c', 'd', 'e', 0}));
    start = 4;
    length = 10;
    Bytes ef = {2, 0, 'e', 'f'};
    ef.resize(13, 0);
    EXPECT_EQ(block_bytes(_UDF_VSubStr("abcdef", &start, &length)), ef);
    start = 6;
    length = 1;
    EXPECT_EQ(block_bytes(_UDF_VSubStr("abcdef", &start, &length)), (Bytes{0, 0, 0}));
    start = -1;
    EXPECT_EQ(block_bytes(_UDF_VSubStr("abcdef", &start, &length)), (Bytes{0, 0, 0}));

    const std::string long_text(300, 'x');
    start = 0;
    length = 300;
    const Bytes r = block_bytes(_UDF_VSubStr(long_text.c_str(), &start, &length));
    ASSERT_EQ(r.size(), 303u);
    EXPECT_EQ(r[0], 0x2C);
    EXPECT_EQ(r[1], 0x01);
    EXPECT_EQ(r[302], 0);
}

TEST_F(TextTest, VStrCmpOrdersBytesOverTheDeclaredLengths) {
    auto cmp = [](const Bytes& a, const Bytes& b) {
        return _UDF_VStrCmp(as_varying(a), as_varying(b));
    };
    EXPECT_EQ(cmp(varchar("abc"), varchar("abd")), -1);
    EXPECT_EQ(cmp(varchar("abc"), varchar("ab")), 99);
    EXPECT_EQ(cmp(varchar("ab"), varchar("abc")), -99);
    EXPECT_EQ(cmp(varchar("a"), varchar("B")), 31);
    EXPECT_EQ(cmp(varchar(sjis({0x82})), varchar("a")), 33);
    EXPECT_EQ(cmp(varchar("same"), varchar("same")), 0);
    EXPECT_EQ(cmp(varchar(""), varchar(sjis({0xFF}))), -255);
    // A zero byte is an ordinary byte: only equal values compare equal.
    EXPECT_EQ(cmp(varchar(sjis({'a', 'b', 0, 'c', 'd'})),
                  varchar(sjis({'a', 'b', 0, 'x', 'y'}))),
              'c' - 'x');
    EXPECT_EQ(cmp(varchar(sjis({'a', 0, 'b'})), varchar(sjis({'a', 0, 'c'}))), -1);
    EXPECT_EQ(cmp(varchar("a"), varchar(sjis({'a', 0}))), -1);
    EXPECT_EQ(cmp(varchar(sjis({'a', 0})), varchar("a")), 1);
    EXPECT_EQ(cmp(varchar(sjis({'a', 0})), varchar(sjis({'a', 0}))), 0);
    // The text ends at its declared length.
    Bytes unterminated = {3, 0, 'a', 'b', 'c'};
    EXPECT_EQ(cmp(unterminated, varchar("abc")), 0);
    EXPECT_EQ(cmp(unterminated, varchar("abcd")), -'d');
    Bytes declared_short = {2, 0, 'a', 'b', 'c', 0};
    EXPECT_EQ(cmp(declared_short, varchar("ab")), 0);
}

struct TrimCase {
    std::string text, both, left, right;
};

TEST_F(TextTest, TrimStripsOnlyBlanksAtTheEnds) {
    const std::vector<TrimCase> cases = {
        {"", "", "", ""},
        {"   ", "", "", ""},
        {" ", "", "", ""},
        {" a ", "a", "a ", " a"},
        {"  ab c  ", "ab c", "ab c  ", "  ab c"},
        {"\tx\t", "\tx\t", "\tx\t", "\tx\t"},
        {"x", "x", "x", "x"},
        {sjis({0x81, 0x40, 'a', 0xA0}), sjis({0x81, 0x40, 'a', 0xA0}),
         sjis({0x81, 0x40, 'a', 0xA0}), sjis({0x81, 0x40, 'a', 0xA0})},
    };
    for (const TrimCase& c : cases) {
        SCOPED_TRACE("[" + c.text + "]");
        char* both = _UDF_Trim(c.text.c_str());
        char* left = _UDF_TrimLeft(c.text.c_str());
        char* right = _UDF_TrimRight(c.text.c_str());
        EXPECT_EQ(both, c.both);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(right, c.right);
        EXPECT_EQ(block_size(both), c.both.size() + 1);
        EXPECT_EQ(block_size(left), c.left.size() + 1);
        EXPECT_EQ(block_size(right), c.right.size() + 1);
    }
}

// Upper and lower case of byte strings, through the entries and in place.
struct CaseCase {
    std::string in, upper, lower;
};

TEST_F(TextTest, SjisCaseMapping) {
    const std::vector<CaseCase> cases = {
        {"abcXYZ 09!", "ABCXYZ 09!", "abcxyz 09!"},
        {sjis({0x82, 0x81, 0x82, 0x9A}), sjis({0x82, 0x60, 0x82, 0x79}),
         sjis({0x82, 0x81, 0x82, 0x9A})},
        {sjis({0x82, 0x60, 0x82, 0x79}), sjis({0x82, 0x60, 0x82, 0x79}),
         sjis({0x82, 0x81, 0x82, 0x9A})},
        // Just outside the full-width ranges, and a full-width digit.
        {sjis({0x82, 0x80, 0x82, 0x9B}), sjis({0x82, 0x80, 0x82, 0x9B}),
         sjis({0x82, 0x80, 0x82, 0x9B})},
        {sjis({0x82, 0x5F, 0x82, 0x7A, 0x82, 0x4F}),
         sjis({0x82, 0x5F, 0x82, 0x7A, 0x82, 0x4F}),
         sjis({0x82, 0x5F, 0x82, 0x7A, 0x82, 0x4F})},
        // Second bytes that look like letters, and other lead bytes.
        {sjis({0x83, 0x61, 0x83, 0x41}), sjis({0x83, 0x61, 0x83, 0x41}),
         sjis({0x83, 0x61, 0x83, 0x41})},
        {sjis({0x81, 0x81, 0x83, 0x81}), sjis({0x81, 0x81, 0x83, 0x81}),
         sjis({0x81, 0x81, 0x83, 0x81})},
        {sjis({0x81, 0x61, 0x9F, 0x61, 0xE0, 0x61, 0xFC, 0x61}),
         sjis({0x81, 0x61, 0x9F, 0x61, 0xE0, 0x61, 0xFC, 0x61}),
         sjis({0x81, 0x61, 0x9F, 0x61, 0xE0, 0x61, 0xFC, 0x61})},
        // Single-byte characters above 0x7F leave the next letter alone.
        {sjis({0xB1, 'a', 0x80, 'a', 0xA0, 'a', 0xDF, 'a', 0xFD, 'a'}),
         sjis({0xB1, 'A', 0x80, 'A', 0xA0, 'A', 0xDF, 'A', 0xFD, 'A'}),
         sjis({0xB1, 'a', 0x80, 'a', 0xA0, 'a', 0xDF, 'a', 0xFD, 'a'})},
        {sjis({0xE0, 'a', 'b'}), sjis({0xE0, 'a', 'B'}), sjis({0xE0, 'a', 'b'})},
        {"", "", ""},
    };
    for (const CaseCase& c : cases) {
        SCOPED_TRACE(c.in);
        char* upper = _UDF_SjisUpper(c.in.c_str());
        char* lower = _UDF_SjisLower(c.in.c_str());
        EXPECT_EQ(std::string(upper), c.upper);
        EXPECT_EQ(std::string(lower), c.lower);
        EXPECT_EQ(block_size(upper), c.in.size() + 1);
        EXPECT_EQ(block_size(lower), c.in.size() + 1);

        std::string in_place = c.in;
        auto* p = reinterpret_cast<unsigned char*>(&in_place[0]);
        EXPECT_EQ(sjis_upper_copy(p, p), 1);
        EXPECT_EQ(in_place, c.upper);
    }
}

TEST_F(TextTest, SjisCopyReportsTextCutAfterLeadByte) {
    unsigned char out[8];
    const unsigned char cut[] = {'a', 0x82, 0};
    EXPECT_EQ(sjis_upper_copy(cut, out), 0);
    EXPECT_EQ(Bytes(out, out + 3), (Bytes{'A', 0x82, 0}));
    const unsigned char whole[] = {'a', 0x82, 0x81, 0};
    EXPECT_EQ(sjis_upper_copy(whole, out), 1);
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{'A', 0x82, 0x60, 0}));
    const unsigned char empty[] = {0};
    EXPECT_EQ(sjis_lower_copy(empty, out), 1);
    EXPECT_EQ(out[0], 0);
    // The lone lead byte is kept by the entry as well.
    EXPECT_EQ(std::string(_UDF_SjisUpper("a\x82")), "A\x82");

    // On a counted span a zero byte is an ordinary character.
    const unsigned char span[] = {0, 'a', 0x82, 0x81, 0x82};
    unsigned char span_out[5];
    EXPECT_EQ(sjis_upper_span(span, span_out, 5), 0);
    EXPECT_EQ(Bytes(span_out, span_out + 5), (Bytes{0, 'A', 0x82, 0x60, 0x82}));
}

TEST_F(TextTest, NullArgumentsAndFailedAllocationsGiveNull) {
    const int16_t one = 1;
    EXPECT_EQ(_UDF_StrLen(nullptr), 0);
    EXPECT_EQ(_UDF_VStrLen(nullptr), 0);
    EXPECT_EQ(_UDF_VStrCmp(nullptr, nullptr), 0);
    EXPECT_EQ(_UDF_StrCat("a", nullptr), nullptr);
    EXPECT_EQ(_UDF_SubStr(nullptr, &one, &one), nullptr);
    EXPECT_EQ(_UDF_VSubStr("abc", nullptr, &one), nullptr);
    EXPECT_EQ(_UDF_SjisUpper(nullptr), nullptr);
    EXPECT_EQ(_UDF_Trim(nullptr), nullptr);
    EXPECT_EQ(stand_in_blocks_handed_out(), 0u);

    stand_in_fail_allocations(true);
    EXPECT_EQ(_UDF_StrCat("a", "b"), nullptr);
    EXPECT_EQ(_UDF_SubStr("abc", &one, &one), nullptr);
    EXPECT_EQ(_UDF_VSubStr("abc", &one, &one), nullptr);
    const int16_t none = 0;
    EXPECT_EQ(_UDF_SubStr("abc", &one, &none), nullptr);
    EXPECT_EQ(_UDF_VSubStr("abc", &one, &none), nullptr);
    EXPECT_EQ(_UDF_SjisLower("a"), nullptr);
    EXPECT_EQ(_UDF_TrimLeft("a"), nullptr);
    EXPECT_EQ(_UDF_TrimRight("a"), nullptr);
}

TEST_F(TextTest, EachCallReturnsItsOwnBlock) {
    char* first = _UDF_Trim(" a ");
    char* second = _UDF_Trim(" a ");
    EXPECT_NE(first, second);
    EXPECT_EQ(stand_in_blocks_handed_out(), 2u);
}

}  // namespace
