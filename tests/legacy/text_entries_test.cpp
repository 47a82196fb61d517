// The text entries: the blocks they hand to the server (sizes, zero fill,
// VARCHAR length fields), VARCHAR arguments counted by their length field,
// and SQL NULL and failed allocations.  What the texts become is the text
// family's (tests/families/text_test.cpp); here each entry must give the
// family's result.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "legacy/entries.h"
#include "support/stand_in_host.h"
#include "text/text.h"

namespace {

class TextEntries : public HostTest {};

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

TEST_F(TextEntries, Lengths) {
    EXPECT_EQ(_UDF_StrLen(""), 0);
    EXPECT_EQ(_UDF_StrLen("\x82\xA0"
                          "a"),
              3);
    EXPECT_EQ(_UDF_VStrLen(as_varying(varchar("abc"))), 3);
    EXPECT_EQ(_UDF_VStrLen(as_varying(varchar(""))), 0);
    // The stored length field, not the bytes.
    EXPECT_EQ(_UDF_VStrLen(as_varying(varchar("ab", 40000))),
              static_cast<int16_t>(40000));
}

TEST_F(TextEntries, ConcatenationBlock) {
    char* r = _UDF_StrCat("ab", "cd");
    EXPECT_STREQ(r, "abcd");
    EXPECT_EQ(block_size(r), 5u);
    r = _UDF_StrCat("", "");
    EXPECT_STREQ(r, "");
    EXPECT_EQ(block_size(r), 1u);
}

// A substring block holds the requested length (zero-filled past the
// stretch), or one byte when the request covers nothing.
TEST_F(TextEntries, SubStrBlocks) {
    struct Case {
        const char* text;
        int16_t start, length;
        std::string expected;
        size_t block;
    };
    const std::vector<Case> cases = {
        {"abcdef", 2, 3, "cde", 4},       {"abcdef", 0, 1, "a", 2},
        {"abcdef", 5, 1, "f", 2},         {"abcdef", 6, 1, "", 1},
        {"abcdef", -1, 3, "", 1},         {"abcdef", 0, 0, "", 1},
        {"abcdef", 0, -4, "", 1},         {"", 0, 5, "", 1},
        {"abcdef", -32768, 32767, "", 1}, {"abcdef", 4, 10, "ef", 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.start) + " " +
                     std::to_string(c.length));
        char* r = _UDF_SubStr(c.text, &c.start, &c.length);
        Bytes expected = bytes_of(c.expected);
        expected.resize(c.block, 0);
        EXPECT_EQ(block_bytes(r), expected);
    }
}

TEST_F(TextEntries, VSubStrBlocks) {
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

// The values end at their length fields, not at a zero byte.
TEST_F(TextEntries, VStrCmpComparesWhatTheLengthFieldsSay) {
    auto cmp = [](const Bytes& a, const Bytes& b) {
        return _UDF_VStrCmp(as_varying(a), as_varying(b));
    };
    EXPECT_EQ(cmp(varchar("abc"), varchar("abd")), -1);
    EXPECT_EQ(cmp(varchar(std::string("a\0b", 3)), varchar(std::string("a\0c", 3))), -1);
    const Bytes unterminated = {3, 0, 'a', 'b', 'c'};
    EXPECT_EQ(cmp(unterminated, varchar("abc")), 0);
    EXPECT_EQ(cmp(unterminated, varchar("abcd")), -'d');
    const Bytes declared_short = {2, 0, 'a', 'b', 'c', 0};
    EXPECT_EQ(cmp(declared_short, varchar("ab")), 0);
}

// Trimming and case give the family's text in a block of its length plus
// the zero byte; a lone lead byte at the end is kept.
TEST_F(TextEntries, TrimAndCaseBlocks) {
    for (const std::string text :
         {"", "   ", " a ", "  ab c  ", "\tx\t", "a\x82", "\x82\x81z"}) {
        SCOPED_TRACE("[" + text + "]");
        const Text t = text_of(text.data(), text.size());
        const std::pair<char*, Text> trimmed[] = {
            {_UDF_Trim(text.c_str()), trim_blanks(t)},
            {_UDF_TrimLeft(text.c_str()), trim_leading_blanks(t)},
            {_UDF_TrimRight(text.c_str()), trim_trailing_blanks(t)},
        };
        for (const auto& r : trimmed) {
            EXPECT_EQ(std::string(r.first),
                      std::string(reinterpret_cast<const char*>(r.second.bytes),
                                  r.second.length));
            EXPECT_EQ(block_size(r.first), r.second.length + 1);
        }
        for (char* mapped :
             {_UDF_SjisUpper(text.c_str()), _UDF_SjisLower(text.c_str())}) {
            EXPECT_EQ(std::strlen(mapped), text.size());
            EXPECT_EQ(block_size(mapped), text.size() + 1);
        }
    }
    EXPECT_EQ(std::string(_UDF_SjisUpper("a\x82")), "A\x82");
}

TEST_F(TextEntries, NullArgumentsAndFailedAllocationsGiveNull) {
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

TEST_F(TextEntries, EachCallReturnsItsOwnBlock) {
    char* first = _UDF_Trim(" a ");
    char* second = _UDF_Trim(" a ");
    EXPECT_NE(first, second);
    EXPECT_EQ(stand_in_blocks_handed_out(), 2u);
}

}  // namespace
