// The BLOB family on in-memory BLOBs (StandInBlob as segment reader and
// writer): descriptions, building, stretches, and Shift-JIS case across
// segment boundaries.
#include "blob/blob.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/stand_in_host.h"
#include "text/sjis_case.h"

namespace {

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

Text text(const std::string& s) {
    return text_of(s.data(), s.size());
}

std::string described(const BlobStats* stats) {
    char out[100];
    return describe_blob(stats, out, sizeof out);
}

TEST(Blobs, Descriptions) {
    const BlobStats stats{3, 100, 250};
    EXPECT_EQ(described(&stats), "number_segments:3  max_seglen:100  total_size:250");
    EXPECT_EQ(described(nullptr), "<empty BLOB>");
    // The longest description fits the 75 characters it is allowed.
    const BlobStats least{INT32_MIN, INT32_MIN, INT32_MIN};
    EXPECT_EQ(described(&least).size(), 75u);
}

TEST(Blobs, TextGoesOutInChunksOf8192) {
    const std::vector<std::pair<size_t, std::vector<size_t>>> cases = {
        {0, {}}, {8192, {8192}}, {8193, {8192, 1}}, {20000, {8192, 8192, 3616}}};
    for (const auto& c : cases) {
        StandInBlob out = StandInBlob::output();
        write_text(text(std::string(c.first, 'x')), out);
        EXPECT_EQ(out.written_lengths(), c.second);
    }
}

// Building copies segment for segment, but never an empty one: it carries
// no data, and some readers stop at it.  A NULL BLOB (no reader) adds
// nothing.
TEST(Blobs, Building) {
    StandInBlob first(std::vector<Bytes>{filled(10, 'a'), Bytes{}, filled(5, 'b')});
    StandInBlob second(segments({"xyz"}));
    StandInBlob cat = StandInBlob::output();
    EXPECT_TRUE(concatenate_blobs(&first, &second, cat));
    EXPECT_EQ(cat.written_lengths(), (std::vector<size_t>{10, 5, 3}));

    StandInBlob blob(std::vector<Bytes>{filled(10, 'a'), Bytes{}, filled(5, 'b')});
    StandInBlob added = StandInBlob::output();
    EXPECT_TRUE(add_text_to_blob(&blob, text("abc"), added));
    EXPECT_EQ(added.written_lengths(), (std::vector<size_t>{10, 5, 3}));
    EXPECT_EQ(string_of(added.written().back()), "abc");

    StandInBlob xyz(segments({"xyz"}));
    StandInBlob one_null = StandInBlob::output();
    concatenate_blobs(nullptr, &xyz, one_null);
    EXPECT_EQ(string_of(one_null.contents()), "xyz");
    StandInBlob both_null = StandInBlob::output();
    concatenate_blobs(nullptr, nullptr, both_null);
    EXPECT_TRUE(both_null.written().empty());
    StandInBlob text_only = StandInBlob::output();
    add_text_to_blob(nullptr, text("abc"), text_only);
    EXPECT_EQ(text_only.written_lengths(), (std::vector<size_t>{3}));
    StandInBlob nothing_added(std::vector<Bytes>{filled(10, 'a'), Bytes{}});
    StandInBlob kept = StandInBlob::output();
    add_text_to_blob(&nothing_added, Text{nullptr, 0}, kept);
    EXPECT_EQ(kept.written_lengths(), (std::vector<size_t>{10}));
}

// Any stretch of any segmentation is the slice of the whole BLOB.
TEST(Blobs, StretchesEqualTheSliceWhateverTheSegments) {
    std::mt19937 random(2024);
    for (int round = 0; round < 500; ++round) {
        Bytes whole(random() % 40);
        for (auto& b : whole) {
            b = static_cast<unsigned char>(random());
        }
        std::vector<Bytes> parts;
        for (size_t at = 0; at < whole.size() || random() % 3 == 0;) {
            const size_t n = std::min<size_t>(random() % 9, whole.size() - at);
            parts.emplace_back(whole.begin() + at, whole.begin() + at + n);
            at += n;
            if (at == whole.size() && random() % 2 == 0) {
                break;
            }
        }
        const int32_t start = static_cast<int32_t>(random() % 45);
        const uint32_t wanted = 1 + random() % 45;
        StandInBlob blob(parts);
        StretchCopier copier(blob);
        ASSERT_TRUE(copier);
        Bytes got(wanted, 0xA5);
        got.resize(copier.copy(start, wanted, got.data()));
        const size_t from = std::min<size_t>(start, whole.size());
        const size_t n = std::min<size_t>(wanted, whole.size() - from);
        EXPECT_EQ(got, Bytes(whole.begin() + from, whole.begin() + from + n));
    }
}

TEST(Blobs, StretchReadingStopsWhenComplete) {
    std::vector<Bytes> ten(10, filled(10, 'z'));
    unsigned char out[10];
    StandInBlob first(ten);
    StretchCopier(first).copy(0, 5, out);
    EXPECT_EQ(first.get_calls(), 1);
    StandInBlob later(ten);
    StretchCopier(later).copy(15, 10, out);
    EXPECT_EQ(later.get_calls(), 3);
}

// Segments of more than 32767 bytes: lengths are unsigned.
TEST(Blobs, SegmentsLongerThan32767Bytes) {
    Bytes big(40000);
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<unsigned char>('a' + i % 26);
    }
    StandInBlob blob(std::vector<Bytes>{big, bytes_of("XYZ")});
    Bytes stretch(20);
    EXPECT_EQ(StretchCopier(blob).copy(39990, 20, stretch.data()), 13u);
    stretch.resize(13);
    EXPECT_EQ(string_of(stretch), string_of(Bytes(big.end() - 10, big.end())) + "XYZ");

    StandInBlob blob2(std::vector<Bytes>{big});
    StandInBlob out = StandInBlob::output();
    concatenate_blobs(&blob2, nullptr, out);
    EXPECT_EQ(out.written_lengths(), (std::vector<size_t>{40000}));

    // A record claiming 65536-byte segments still gets a usable buffer.
    StandInBlob blob3(std::vector<Bytes>{big});
    blob3.record().max_seglen = 65536;
    StandInBlob out3 = StandInBlob::output();
    convert_blob_case(&blob3, out3, CaseMapping::lower);
    EXPECT_EQ(out3.written_lengths(), (std::vector<size_t>{40000}));
}

std::vector<Bytes> convert(std::vector<Bytes> parts, bool upper) {
    StandInBlob blob(std::move(parts));
    StandInBlob out = StandInBlob::output();
    EXPECT_TRUE(
        convert_blob_case(&blob, out, upper ? CaseMapping::upper : CaseMapping::lower));
    return out.written();
}

TEST(Blobs, CaseConversionCarriesLeadBytesAcrossSegments) {
    EXPECT_EQ(convert(segments({"abc"}), true), segments({"ABC"}));
    EXPECT_EQ(convert(segments({"ABC"}), false), segments({"abc"}));
    EXPECT_EQ(convert({Bytes{'a', 0x82}, Bytes{0x81, 'b'}}, true),
              (std::vector<Bytes>{Bytes{'A'}, Bytes{0x82, 0x60, 'B'}}));
    EXPECT_EQ(convert({Bytes{'a', 'b', 'c', 0x82}}, true),
              (std::vector<Bytes>{bytes_of("ABC"), Bytes{0x82}}));
    // A segment that is all held lead byte, or empty, writes nothing.
    EXPECT_EQ(convert({Bytes{0x82}, Bytes{0x81}}, true),
              (std::vector<Bytes>{Bytes{0x82, 0x60}}));
    EXPECT_EQ(convert({Bytes{}, bytes_of("a"), Bytes{}}, true),
              (std::vector<Bytes>{bytes_of("A")}));
    EXPECT_EQ(convert({Bytes{0xA1, 'a', 0xDF}}, true),
              (std::vector<Bytes>{Bytes{0xA1, 'A', 0xDF}}));
    // A zero byte is a character like any other: the bytes after it convert.
    EXPECT_EQ(convert({Bytes{'a', 0, 'b', 0x82, 0, 'c'}}, true),
              (std::vector<Bytes>{Bytes{'A', 0, 'B', 0x82, 0, 'C'}}));
    StandInBlob out = StandInBlob::output();
    EXPECT_TRUE(convert_blob_case(nullptr, out, CaseMapping::upper));
    EXPECT_TRUE(out.written().empty());
}

// Wherever the server cuts the segments, the bytes come out the same as
// converting the whole text at once.
TEST(Blobs, CaseConversionDoesNotDependOnSegmentCuts) {
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
            EXPECT_FALSE(s.empty());
            got.insert(got.end(), s.begin(), s.end());
        }
        EXPECT_EQ(got, expected);
    }
}

TEST(Blobs, CarryOntoAFullSegmentIsNotLost) {
    StandInBlob blob(std::vector<Bytes>{Bytes{0x82}, Bytes(65535, 'a')});
    StandInBlob out = StandInBlob::output();
    convert_blob_case(&blob, out, CaseMapping::upper);
    EXPECT_EQ(out.written_bytes(), 65536u);
    const Bytes all = out.contents();
    EXPECT_EQ(all[0], 0x82);
    EXPECT_EQ(all[1], 'a');  // second byte of the double-byte character
    EXPECT_EQ(all[2], 'A');
    EXPECT_EQ(all.back(), 'A');
}

}  // namespace
