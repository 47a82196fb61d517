// The text family on counted texts: substrings, trimming, joining, byte
// order and the Shift-JIS case mapping, in tables.
#include "text/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/sjis_case.h"

namespace {

Text text(const std::string& s) {
    return text_of(s.data(), s.size());
}

std::string str(Text t) {
    return std::string(reinterpret_cast<const char*>(t.bytes), t.length);
}

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) {
        s.push_back(static_cast<char>(b));
    }
    return s;
}

TEST(Text, Substrings) {
    struct Case {
        std::string text;
        int32_t start, length;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"abcdef", 2, 3, "cde"},
        {"abcdef", 0, 1, "a"},
        {"abcdef", 5, 1, "f"},
        {"abcdef", 4, 10, "ef"},
        {"abcdef", 6, 1, ""},
        {"abcdef", -1, 3, ""},
        {"abcdef", 0, 0, ""},
        {"abcdef", 0, -4, ""},
        {"", 0, 5, ""},
        {"abcdef", -32768, 32767, ""},
        {bytes({'a', 0, 'b'}), 1, 2, bytes({0, 'b'})},
        {"abc", INT32_MAX, INT32_MAX, ""},
        {"abc", 0, INT32_MAX, "abc"},
    };
    for (const Case& c : cases) {
        const std::string source = c.text;
        const Text stretch = substring(text(source), c.start, c.length);
        EXPECT_EQ(str(stretch), c.expected)
            << c.text << " " << c.start << " " << c.length;
        EXPECT_TRUE(stretch.length == 0 || stretch.bytes == text(source).bytes + c.start);
    }
}

TEST(Text, TrimmingDropsOnlyBlanksAtTheEnds) {
    struct Case {
        std::string text, both, left, right;
    };
    const std::string odd = bytes({0x81, 0x40, 'a', 0xA0});  // full-width space, 0xA0
    const std::vector<Case> cases = {
        {"", "", "", ""},
        {"   ", "", "", ""},
        {" a ", "a", "a ", " a"},
        {"  ab c  ", "ab c", "ab c  ", "  ab c"},
        {"\tx\t", "\tx\t", "\tx\t", "\tx\t"},
        {"x", "x", "x", "x"},
        {odd, odd, odd, odd},
        {bytes({' ', 0, ' '}), bytes({0}), bytes({0, ' '}), bytes({' ', 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("[" + c.text + "]");
        EXPECT_EQ(str(trim_blanks(text(c.text))), c.both);
        EXPECT_EQ(str(trim_leading_blanks(text(c.text))), c.left);
        EXPECT_EQ(str(trim_trailing_blanks(text(c.text))), c.right);
    }
}

TEST(Text, Joining) {
    unsigned char out[8] = {};
    const std::string a = bytes({'a', 0}), b = "bc";
    EXPECT_EQ(join_texts(text(a), text(b), out), out + 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 4), bytes({'a', 0, 'b', 'c'}));
    EXPECT_EQ(join_texts(Text{nullptr, 0}, Text{nullptr, 0}, out), out);
}

TEST(Text, ByteOrderOverWholeValues) {
    struct Case {
        std::string a, b;
        int32_t expected;
    };
    const std::vector<Case> cases = {
        {"abc", "abd", -1},
        {"abc", "ab", 99},
        {"ab", "abc", -99},
        {"a", "B", 31},
        {bytes({0x82}), "a", 33},
        {"same", "same", 0},
        {"", bytes({0xFF}), -255},
        // A zero byte is an ordinary byte: only equal values compare equal.
        {bytes({'a', 'b', 0, 'c', 'd'}), bytes({'a', 'b', 0, 'x', 'y'}), 'c' - 'x'},
        {bytes({'a', 0, 'b'}), bytes({'a', 0, 'c'}), -1},
        {"a", bytes({'a', 0}), -1},
        {bytes({'a', 0}), "a", 1},
        {bytes({'a', 0}), bytes({'a', 0}), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compare_bytes(text(c.a), text(c.b)), c.expected) << c.a << " / " << c.b;
    }
}

// Upper and lower case of byte strings: zero-terminated, counted, and in
// place, which must all agree.
TEST(Text, SjisCaseMapping) {
    struct Case {
        std::string in, upper, lower;
    };
    const std::vector<Case> cases = {
        {"abcXYZ 09!", "ABCXYZ 09!", "abcxyz 09!"},
        {bytes({0x82, 0x81, 0x82, 0x9A}), bytes({0x82, 0x60, 0x82, 0x79}),
         bytes({0x82, 0x81, 0x82, 0x9A})},
        {bytes({0x82, 0x60, 0x82, 0x79}), bytes({0x82, 0x60, 0x82, 0x79}),
         bytes({0x82, 0x81, 0x82, 0x9A})},
        // Just outside the full-width ranges, and a full-width digit.
        {bytes({0x82, 0x80, 0x82, 0x9B}), bytes({0x82, 0x80, 0x82, 0x9B}),
         bytes({0x82, 0x80, 0x82, 0x9B})},
        {bytes({0x82, 0x5F, 0x82, 0x7A, 0x82, 0x4F}),
         bytes({0x82, 0x5F, 0x82, 0x7A, 0x82, 0x4F}),
         bytes({0x82, 0x5F, 0x82, 0x7A, 0x82, 0x4F})},
        // Second bytes that look like letters, and other lead bytes.
        {bytes({0x83, 0x61, 0x83, 0x41}), bytes({0x83, 0x61, 0x83, 0x41}),
         bytes({0x83, 0x61, 0x83, 0x41})},
        {bytes({0x81, 0x81, 0x83, 0x81}), bytes({0x81, 0x81, 0x83, 0x81}),
         bytes({0x81, 0x81, 0x83, 0x81})},
        {bytes({0x81, 0x61, 0x9F, 0x61, 0xE0, 0x61, 0xFC, 0x61}),
         bytes({0x81, 0x61, 0x9F, 0x61, 0xE0, 0x61, 0xFC, 0x61}),
         bytes({0x81, 0x61, 0x9F, 0x61, 0xE0, 0x61, 0xFC, 0x61})},
        // Single-byte characters above 0x7F leave the next letter alone.
        {bytes({0xB1, 'a', 0x80, 'a', 0xA0, 'a', 0xDF, 'a', 0xFD, 'a'}),
         bytes({0xB1, 'A', 0x80, 'A', 0xA0, 'A', 0xDF, 'A', 0xFD, 'A'}),
         bytes({0xB1, 'a', 0x80, 'a', 0xA0, 'a', 0xDF, 'a', 0xFD, 'a'})},
        {bytes({0xE0, 'a', 'b'}), bytes({0xE0, 'a', 'B'}), bytes({0xE0, 'a', 'b'})},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        for (const bool upper : {true, false}) {
            const std::string& expected = upper ? c.upper : c.lower;
            std::string copy(c.in.size() + 1, '\xA5');
            const auto* in = reinterpret_cast<const unsigned char*>(c.in.c_str());
            auto* out = reinterpret_cast<unsigned char*>(&copy[0]);
            EXPECT_EQ((upper ? sjis_upper_copy : sjis_lower_copy)(in, out), 1);
            EXPECT_EQ(copy, expected + '\0');
            std::string span = c.in;
            auto* p = reinterpret_cast<unsigned char*>(&span[0]);
            EXPECT_EQ((upper ? sjis_upper_span : sjis_lower_span)(p, p, span.size()), 1);
            EXPECT_EQ(span, expected);
        }
    }
}

TEST(Text, SjisMappingReportsTextCutAfterLeadByte) {
    unsigned char out[8];
    const unsigned char cut[] = {'a', 0x82, 0};
    EXPECT_EQ(sjis_upper_copy(cut, out), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 3), bytes({'A', 0x82, 0}));
    const unsigned char whole[] = {'a', 0x82, 0x81, 0};
    EXPECT_EQ(sjis_upper_copy(whole, out), 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 4), bytes({'A', 0x82, 0x60, 0}));
    // On a counted span a zero byte is an ordinary character.
    const unsigned char span[] = {0, 'a', 0x82, 0x81, 0x82};
    unsigned char span_out[5];
    EXPECT_EQ(sjis_upper_span(span, span_out, 5), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(span_out), 5),
              bytes({0, 'A', 0x82, 0x60, 0x82}));
}

}  // namespace
