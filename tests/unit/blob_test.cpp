// BLOB entries on the stand-in server: descriptions, building, substrings,
// Shift-JIS case across segments, and the null and size rules.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "module/kovudf.h"
#include "support/stand_in_host.h"
#include "text/sjis_case.h"

namespace {

class BlobTest : public HostTest {};

std::vector<Bytes> segments(std::initializer_list<std::string> parts) {
    std::vector<Bytes> list;
    for (const std::string& p : parts) {
        list.push_back(bytes_of(p));
    }
    return list;
}

Bytes filled(size_t n, char c) {
    return Bytes(n, static_cast<unsigned char>(c));
}

TEST_F(BlobTest, InfoAndSizeComeFromTheRecord) {
    StandInBlob blob(
        std::vector<Bytes>{filled(100, 'a'), filled(100, 'b'), filled(50, 'c')});
    char* info = _UDF_BlobInfo(&blob.record());
    EXPECT_STREQ(info, "number_segments:3  max_seglen:100  total_size:250");
    EXPECT_EQ(block_size(info), 50u);
    EXPECT_EQ(_UDF_BlobSize(&blob.record()), 250);
    EXPECT_EQ(blob.get_calls(), 0);

    BlobControl null_blob = StandInBlob::null_record();
    info = _UDF_BlobInfo(&null_blob);
    EXPECT_STREQ(info, "<empty BLOB>");
    EXPECT_EQ(block_size(info), 13u);
    EXPECT_EQ(_UDF_BlobSize(&null_blob), 0);
    info = _UDF_BlobInfo(nullptr);
    EXPECT_STREQ(info, "<null BLOB>");
    EXPECT_EQ(block_size(info), 12u);

    StandInBlob empty(std::vector<Bytes>{});
    EXPECT_EQ(std::string(_UDF_BlobInfo(&empty.record())).size(), 45u);
    empty.record().number_segments = -1;
    empty.record().total_size = 99;  // disagrees with the data; returned as is
    EXPECT_STREQ(_UDF_BlobInfo(&empty.record()),
                 "number_segments:-1  max_seglen:0  total_size:99");
    EXPECT_EQ(_UDF_BlobSize(&empty.record()), 99);

    // The longest description fits the 75 characters it is allowed.
    empty.record().number_segments = INT32_MIN;
    empty.record().max_seglen = INT32_MIN;
    empty.record().total_size = INT32_MIN;
    EXPECT_EQ(std::string(_UDF_BlobInfo(&empty.record())).size(), 75u);
}

TEST_F(BlobTest, StrToBlobWritesTextChunksOf8192) {
    const std::vector<std::pair<size_t, std::vector<size_t>>> cases = {
        {0, {}}, {8192, {8192}}, {8193, {8192, 1}}, {20000, {8192, 8192, 3616}}};
    for (const auto& c : cases) {
        StandInBlob out = StandInBlob::output();
        const std::string text(c.first, 'x');
        EXPECT_EQ(_UDF_StrToBlob(text.c_str(), &out.record()), &out.record());
        EXPECT_EQ(out.written_lengths(), c.second);
    }
    BlobControl null_out = StandInBlob::null_record();
    EXPECT_EQ(_UDF_StrToBlob("abc", &null_out), &null_out);
}

TEST_F(BlobTest, BlobCatKeepsEverySegmentAndBlobAddStrDropsEmptyOnes) {
    {
        StandInBlob first(std::vector<Bytes>{filled(10, 'a'), Bytes{}, filled(5, 'b')});
        StandInBlob second(segments({"xyz"}));
        StandInBlob out = StandInBlob::output();
        EXPECT_EQ(_UDF_BlobCat(&first.record(), &second.record(), &out.record()),
                  &out.record());
        EXPECT_EQ(out.written_lengths(), (std::vector<size_t>{10, 0, 5, 3}));
    }
    {
        StandInBlob blob(std::vector<Bytes>{filled(10, 'a'), Bytes{}, filled(5, 'b')});
        StandInBlob out = StandInBlob::output();
        EXPECT_EQ(_UDF_BlobAddStr(&blob.record(), "abc", &out.record()), &out.record());
        EXPECT_EQ(out.written_lengths(), (std::vector<size_t>{10, 5, 3}));
        EXPECT_EQ(string_of(out.written().back()), "abc");
    }
    {
        StandInBlob blob(std::vector<Bytes>{filled(10, 'a'), Bytes{}});
        StandInBlob out = StandInBlob::output();
        _UDF_BlobAddStr(&blob.record(), "", &out.record());
        EXPECT_EQ(out.written_lengths(), (std::vector<size_t>{10}));
    }
}

TEST_F(BlobTest, NullBlobsContributeNothingAndNullOutputIsNotTouched) {
    BlobControl null_blob = StandInBlob::null_record();
    StandInBlob xyz(segments({"xyz"}));
    StandInBlob out1 = StandInBlob::output();
    _UDF_BlobCat(&null_blob, &xyz.record(), &out1.record());
    EXPECT_EQ(string_of(out1.contents()), "xyz");

    StandInBlob abc(segments({"abc"}));
    StandInBlob out2 = StandInBlob::output();
    _UDF_BlobCat(&abc.record(), &null_blob, &out2.record());
    EXPECT_EQ(string_of(out2.contents()), "abc");

    StandInBlob out3 = StandInBlob::output();
    _UDF_BlobCat(&null_blob, &null_blob, &out3.record());
    EXPECT_TRUE(out3.written().empty());

    StandInBlob out4 = StandInBlob::output();
    _UDF_BlobAddStr(&null_blob, "abc", &out4.record());
    EXPECT_EQ(out4.written_lengths(), (std::vector<size_t>{3}));

    // An output record without a handle: nothing is read.
    StandInBlob input(segments({"abc"}));
    BlobControl null_out = StandInBlob::null_record();
    EXPECT_EQ(_UDF_BlobCat(&input.record(), &input.record(), &null_out), &null_out);
    EXPECT_EQ(_UDF_BlobAddStr(&input.record(), "x", &null_out), &null_out);
    EXPECT_EQ(_UDF_BlobSjisUpper(&input.record(), &null_out), &null_out);
    EXPECT_EQ(input.get_calls(), 0);

    // A NULL text adds nothing to a BLOB, and StrToBlob of it writes nothing.
    StandInBlob out5 = StandInBlob::output();
    _UDF_BlobAddStr(&input.record(), nullptr, &out5.record());
    EXPECT_EQ(string_of(out5.contents()), "abc");
    StandInBlob out6 = StandInBlob::output();
    _UDF_StrToBlob(nullptr, &out6.record());
    EXPECT_TRUE(out6.written().empty());
}

// ---------------------------------------------------------------------------
// Substrings

struct Stretch {
    int32_t start;
    int16_t length;
    std::string text;
    size_t block;
};

TEST_F(BlobTest, SubStrFromOneSegmentAndAcrossSegments) {
    const std::vector<Stretch> cases = {
        {0, 3, "abc", 4},         {9, 1, "j", 2},     {7, 10, "hij", 11},
        {10, 1, "", 2},           {0, 0, "", 1},      {-1, 3, "", 1},
        {0, -3, "", 1},           {2, 5, "cdefg", 6}, {4, 4, "efgh", 5},
        {3, 100, "defghij", 101},
    };
    for (const auto& layout : {segments({"abcdefghij"}), segments({"abcd", "efgh", "ij"}),
                               segments({"abcd", "", "efgh", "", "ij"})}) {
        for (const Stretch& c : cases) {
            SCOPED_TRACE(std::to_string(c.start) + " " + std::to_string(c.length));
            StandInBlob blob(layout);
            char* r = _UDF_BlobSubStr(&blob.record(), &c.start, &c.length);
            EXPECT_EQ(std::string(r), c.text);
            EXPECT_EQ(block_size(r), c.block);
        }
    }
}

TEST_F(BlobTest, VSubStrBlocks) {
    StandInBlob blob(segments({"abcd", "efgh", "ij"}));
    const int32_t start = 2;
    const int16_t length = 5;
    EXPECT_EQ(block_bytes(_UDF_BlobVSubStr(&blob.record(), &start, &length)),
              (Bytes{5, 0, 'c', 'd', 'e', 'f', 'g', 0}));

    StandInBlob long_blob(std::vector<Bytes>{filled(200, 'a'), filled(200, 'b')});
    const int32_t zero = 0;
    const int16_t three_hundred = 300;
    const Bytes r =
        block_bytes(_UDF_BlobVSubStr(&long_blob.record(), &zero, &three_hundred));
    ASSERT_EQ(r.size(), 303u);
    EXPECT_EQ(r[0], 0x2C);
    EXPECT_EQ(r[1], 0x01);
    EXPECT_EQ(r[201], 'a');
    EXPECT_EQ(r[202], 'b');

    // Zero bytes are data: VARCHAR keeps all three.
    StandInBlob with_zero(std::vector<Bytes>{Bytes{'a', 0, 'b'}});
    const int16_t three = 3;
    EXPECT_EQ(block_bytes(_UDF_BlobVSubStr(&with_zero.record(), &zero, &three)),
              (Bytes{3, 0, 'a', 0, 'b', 0}));
    StandInBlob with_zero2(std::vector<Bytes>{Bytes{'a', 0, 'b'}});
    EXPECT_EQ(block_bytes(_UDF_BlobSubStr(&with_zero2.record(), &zero, &three)),
              (Bytes{'a', 0, 'b', 0}));
}

TEST_F(BlobTest, SubStrOfNullAndEmptyBlobs) {
    BlobControl null_blob = StandInBlob::null_record();
    const int32_t start = 0;
    const int16_t length = 5;
    EXPECT_EQ(block_bytes(_UDF_BlobSubStr(&null_blob, &start, &length)), (Bytes{0}));
    EXPECT_EQ(block_bytes(_UDF_BlobVSubStr(&null_blob, &start, &length)),
              (Bytes{0, 0, 0}));

    StandInBlob empty(std::vector<Bytes>{Bytes{}});
    EXPECT_EQ(block_bytes(_UDF_BlobSubStr(&empty.record(), &start, &length)),
              Bytes(6, 0));
    StandInBlob empty2(std::vector<Bytes>{});
    EXPECT_EQ(block_bytes(_UDF_BlobVSubStr(&empty2.record(), &start, &length)),
              Bytes(8, 0));

    const int16_t negative = -1;
    StandInBlob blob(segments({"abc"}));
    EXPECT_EQ(block_bytes(_UDF_BlobVSubStr(&blob.record(), &start, &negative)),
              (Bytes{0, 0, 0}));
    EXPECT_EQ(_UDF_BlobSubStr(&blob.record(), nullptr, &length), nullptr);
}

TEST_F(BlobTest, SubStrStopsReadingWhenTheStretchIsComplete) {
    std::vector<Bytes> ten(10, filled(10, 'z'));
    StandInBlob first(ten);
    const int32_t zero = 0;
    const int16_t five = 5;
    _UDF_BlobSubStr(&first.record(), &zero, &five);
    EXPECT_EQ(first.get_calls(), 1);

    StandInBlob later(ten);
    const int32_t fifteen = 15;
    const int16_t ten_bytes = 10;
    _UDF_BlobSubStr(&later.record(), &fifteen, &ten_bytes);
    EXPECT_EQ(later.get_calls(), 3);
}

// Segments of more than 32767 bytes: lengths are unsigned.
TEST_F(BlobTest, SegmentsLongerThan32767Bytes) {
    Bytes big(40000);
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<unsigned char>('a' + i % 26);
    }
    const int32_t start = 39990;
    const int16_t length = 20;
    StandInBlob blob(std::vector<Bytes>{big, bytes_of("XYZ")});
    EXPECT_EQ(std::string(_UDF_BlobSubStr(&blob.record(), &start, &length)),
              string_of(Bytes(big.end() - 10, big.end())) + "XYZ");

    StandInBlob blob2(std::vector<Bytes>{big});
    StandInBlob out = StandInBlob::output();
    _UDF_BlobCat(&blob2.record(), &blob2.record(), &out.record());
    EXPECT_EQ(out.written_lengths(), (std::vector<size_t>{40000}));

    // A record claiming 65536-byte segments still gets a usable buffer.
    StandInBlob blob3(std::vector<Bytes>{big});
    blob3.record().max_seglen = 65536;
    StandInBlob out3 = StandInBlob::output();
    _UDF_BlobSjisLower(&blob3.record(), &out3.record());
    EXPECT_EQ(out3.written_lengths(), (std::vector<size_t>{40000}));
}

// ---------------------------------------------------------------------------
// Shift-JIS case

std::vector<Bytes> convert(std::vector<Bytes> parts, bool upper) {
    StandInBlob blob(std::move(parts));
    StandInBlob out = StandInBlob::output();
    BlobControl* r = upper ? _UDF_BlobSjisUpper(&blob.record(), &out.record())
                           : _UDF_BlobSjisLower(&blob.record(), &out.record());
    EXPECT_EQ(r, &out.record());
    return out.written();
}

TEST_F(BlobTest, CaseConversionCarriesLeadBytesAcrossSegments) {
    EXPECT_EQ(convert(segments({"abc"}), true), segments({"ABC"}));
    EXPECT_EQ(convert(segments({"ABC"}), false), segments({"abc"}));
    EXPECT_EQ(convert({Bytes{'a', 0x82}, Bytes{0x81, 'b'}}, true),
              (std::vector<Bytes>{Bytes{'A'}, Bytes{0x82, 0x60, 'B'}}));
    EXPECT_EQ(convert({Bytes{'a', 'b', 'c', 0x82}}, true),
              (std::vector<Bytes>{bytes_of("ABC"), Bytes{0x82}}));
    EXPECT_EQ(convert({Bytes{0x82}, Bytes{0x81}}, true),
              (std::vector<Bytes>{Bytes{}, Bytes{0x82, 0x60}}));
    EXPECT_EQ(convert({Bytes{}, bytes_of("a")}, true),
              (std::vector<Bytes>{Bytes{}, bytes_of("A")}));
    EXPECT_EQ(convert({Bytes{0xA1, 'a', 0xDF}}, true),
              (std::vector<Bytes>{Bytes{0xA1, 'A', 0xDF}}));
    // A zero byte is a character like any other: the bytes after it convert.
    EXPECT_EQ(convert({Bytes{'a', 0, 'b', 0x82, 0, 'c'}}, true),
              (std::vector<Bytes>{Bytes{'A', 0, 'B', 0x82, 0, 'C'}}));

    BlobControl null_blob = StandInBlob::null_record();
    StandInBlob out = StandInBlob::output();
    EXPECT_EQ(_UDF_BlobSjisUpper(&null_blob, &out.record()), &out.record());
    EXPECT_TRUE(out.written().empty());
}

// Wherever the server cuts the segments, the bytes come out the same as
// converting the whole text at once.
TEST_F(BlobTest, CaseConversionDoesNotDependOnSegmentCuts) {
    std::mt19937 random(12345);
    const unsigned char alphabet[] = {'a',  'Z',  0x82, 0x81, 0x60, 0x83,
                                      0x61, 0xE0, 0xB1, 0,    ' '};
    for (int round = 0; round < 300; ++round) {
        Bytes whole(random() % 60);
        for (auto& b : whole) {
            b = alphabet[random() % sizeof alphabet];
        }
        Bytes expected(whole.size());
        sjis_upper_span(whole.data(), expected.data(), whole.size());

        std::vector<Bytes> parts;
        for (size_t at = 0; at < whole.size();) {
            const size_t n = std::min<size_t>(random() % 7, whole.size() - at);
            parts.emplace_back(whole.begin() + at, whole.begin() + at + n);
            at += n;
        }
        Bytes got;
        for (const Bytes& s : convert(parts, true)) {
            got.insert(got.end(), s.begin(), s.end());
        }
        EXPECT_EQ(got, expected);
    }
}

TEST_F(BlobTest, CarryOntoAFullSegmentIsNotLost) {
    Bytes full(65535, 'a');
    StandInBlob blob(std::vector<Bytes>{Bytes{0x82}, full});
    StandInBlob out = StandInBlob::output();
    _UDF_BlobSjisUpper(&blob.record(), &out.record());
    EXPECT_EQ(out.written_bytes(), 65536u);
    const Bytes all = out.contents();
    EXPECT_EQ(all[0], 0x82);
    EXPECT_EQ(all[1], 'a');  // second byte of the double-byte character
    EXPECT_EQ(all[2], 'A');
    EXPECT_EQ(all.back(), 'A');
}

}  // namespace
