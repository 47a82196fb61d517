// The BLOB entries over the server's BLOB control records: descriptions
// from the record's fields, the output record handed back (and left alone
// when it has no handle), substring blocks, and NULL BLOBs.  Building,
// stretches and case across segments are the BLOB family's
// (tests/families/blob_test.cpp); here the entries must pass the family's
// results through.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "legacy/entries.h"
#include "support/stand_in_host.h"

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

TEST_F(BlobTest, EntriesPassTheFamilysSegmentsThrough) {
    StandInBlob out = StandInBlob::output();
    EXPECT_EQ(_UDF_StrToBlob(std::string(20000, 'x').c_str(), &out.record()),
              &out.record());
    EXPECT_EQ(out.written_lengths(), (std::vector<size_t>{8192, 8192, 3616}));
    {
        StandInBlob first(std::vector<Bytes>{filled(10, 'a'), Bytes{}, filled(5, 'b')});
        StandInBlob second(segments({"xyz"}));
        StandInBlob cat = StandInBlob::output();
        EXPECT_EQ(_UDF_BlobCat(&first.record(), &second.record(), &cat.record()),
                  &cat.record());
        EXPECT_EQ(cat.written_lengths(), (std::vector<size_t>{10, 5, 3}));
    }
    {
        StandInBlob blob(std::vector<Bytes>{filled(10, 'a'), Bytes{}, filled(5, 'b')});
        StandInBlob added = StandInBlob::output();
        EXPECT_EQ(_UDF_BlobAddStr(&blob.record(), "abc", &added.record()),
                  &added.record());
        EXPECT_EQ(added.written_lengths(), (std::vector<size_t>{10, 5, 3}));
    }
    StandInBlob cut(std::vector<Bytes>{Bytes{'a', 0x82}, Bytes{0x81, 'b'}});
    StandInBlob upper = StandInBlob::output();
    EXPECT_EQ(_UDF_BlobSjisUpper(&cut.record(), &upper.record()), &upper.record());
    EXPECT_EQ(upper.written(), (std::vector<Bytes>{Bytes{'A'}, Bytes{0x82, 0x60, 'B'}}));
    BlobControl null_out = StandInBlob::null_record();
    EXPECT_EQ(_UDF_StrToBlob("abc", &null_out), &null_out);
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

// UDF_BLOBTOFILE's own codes: a NULL BLOB touches no file, a missing name
// is a file that cannot be created; UDF_FILETOBLOB leaves an output record
// without a handle alone.
TEST_F(BlobTest, FileEntriesOwnCodes) {
    const std::string kept = "kovudf_entries_test_keep.txt";
    write_file(kept, bytes_of("keep me"));
    BlobControl null_blob = StandInBlob::null_record();
    EXPECT_EQ(_UDF_BlobToFile(&null_blob, kept.c_str(), nullptr), -999);
    EXPECT_EQ(string_of(read_file(kept)), "keep me");
    StandInBlob blob(segments({"some", " text"}));
    EXPECT_EQ(_UDF_BlobToFile(&blob.record(), nullptr, nullptr), -1);
    const int32_t ignored = 7;
    EXPECT_EQ(_UDF_BlobToFile(&blob.record(), kept.c_str(), &ignored), 0);
    EXPECT_EQ(string_of(read_file(kept)), "some text");

    BlobControl null_out = StandInBlob::null_record();
    EXPECT_EQ(_UDF_FileToBlob(kept.c_str(), &null_out), &null_out);
    StandInBlob out = StandInBlob::output();
    EXPECT_EQ(_UDF_FileToBlob(kept.c_str(), &out.record()), &out.record());
    EXPECT_EQ(string_of(out.contents()), "some text");
    std::remove(kept.c_str());
}

}  // namespace
