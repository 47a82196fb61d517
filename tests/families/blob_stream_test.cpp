// BLOB streaming and file transfer: a 100 MB BLOB passes through with a
// bounded heap, and BLOBs go to and from real files.  Linux only: it measures
// glibc's heap and uses POSIX files (win_file_test.cpp covers Windows files).
#if !defined(_WIN32)
#include <fcntl.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>

#include "blob/blob.h"
#include "support/stand_in_host.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes in use on the heap right now.
size_t heap_in_use() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // arena chunks and mmapped blocks
#endif
}

const uint64_t hundred_mb = 100ull * 1024 * 1024;
const uint16_t segment = 32000;

void fill_pattern(uint64_t offset, unsigned char* buffer, uint16_t length) {
    for (uint16_t i = 0; i < length; ++i) {
        buffer[i] = static_cast<unsigned char>("ab\x82\x81 Z"[(offset + i) % 6]);
    }
}

class BlobStreamTest : public ::testing::Test {
  protected:
    // Runs `entry` on a generated 100 MB BLOB and returns the most heap it
    // held above what was in use before.
    template <class Entry>
    size_t peak_heap_growth(Entry entry) {
        StandInBlob blob(hundred_mb, segment, fill_pattern);
        StandInBlob out = StandInBlob::output();
        out.count_only();
        const size_t before = heap_in_use();
        size_t peak = before;
        blob.on_read = [&] { peak = std::max(peak, heap_in_use()); };
        entry(blob, out);
        EXPECT_EQ(heap_in_use(), before);
        return peak - before;
    }
};

TEST_F(BlobStreamTest, HundredMegabytesPassWithOneSegmentBuffer) {
    const size_t bound = segment + 4096;  // the buffer and allocator overhead
    EXPECT_LE(peak_heap_growth([](StandInBlob& in, StandInBlob& out) {
                  convert_blob_case(&in, out, CaseMapping::upper);
                  EXPECT_EQ(out.written_bytes(), hundred_mb);
              }),
              bound);
    EXPECT_LE(peak_heap_growth([](StandInBlob& in, StandInBlob& out) {
                  concatenate_blobs(&in, &in, out);
                  EXPECT_EQ(out.written_bytes(), hundred_mb);
              }),
              bound);
    EXPECT_LE(peak_heap_growth([](StandInBlob& in, StandInBlob&) {
                  EXPECT_EQ(copy_blob_to_file(in, "/dev/null"), 0);
              }),
              bound);
}

// ---------------------------------------------------------------------------
// Files

std::vector<Bytes> segments_of_text() {
    return {bytes_of("some"), bytes_of(" text")};
}

class BlobFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/kovudf-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::string command = "rm -rf '" + dir_ + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    std::string dir_;
};

TEST_F(BlobFileTest, FileToBlobReadsChunksOf8192) {
    const std::vector<std::pair<size_t, std::vector<size_t>>> cases = {
        {20000, {8192, 8192, 3616}}, {16384, {8192, 8192}}, {0, {}}};
    for (const auto& c : cases) {
        Bytes data(c.first);
        for (size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<unsigned char>(i * 7);
        }
        write_file(path("in"), data);
        StandInBlob out = StandInBlob::output();
        EXPECT_TRUE(copy_file_to_blob(path("in").c_str(), out));
        EXPECT_EQ(out.written_lengths(), c.second);
        EXPECT_EQ(out.contents(), data);
    }

    write_file(path("raw"), Bytes{0x0D, 0x0A, 0x1A, 0x00});
    StandInBlob raw = StandInBlob::output();
    copy_file_to_blob(path("raw").c_str(), raw);
    EXPECT_EQ(raw.contents(), (Bytes{0x0D, 0x0A, 0x1A, 0x00}));

    StandInBlob missing = StandInBlob::output();
    EXPECT_TRUE(copy_file_to_blob(path("missing").c_str(), missing));
    EXPECT_TRUE(missing.written().empty());

    // Only regular files: a device, a FIFO without writers or a directory
    // would never end or cannot be read; each leaves the BLOB empty.
    ASSERT_EQ(mkfifo(path("fifo").c_str(), 0600), 0);
    for (const std::string& name : {std::string("/dev/zero"), path("fifo"), dir_}) {
        SCOPED_TRACE(name);
        StandInBlob out = StandInBlob::output();
        EXPECT_TRUE(copy_file_to_blob(name.c_str(), out));
        EXPECT_TRUE(out.written().empty());
    }
}

TEST_F(BlobFileTest, BlobToFileWritesNonEmptySegments) {
    write_file(path("out"), Bytes(100, 'o'));  // longer than what replaces it
    StandInBlob blob(
        std::vector<Bytes>{Bytes(10, 'a'), Bytes{}, Bytes{0x0D, 0x0A, 0x1A, 0x00, 'b'}});
    EXPECT_EQ(copy_blob_to_file(blob, path("out").c_str()), 0);
    const Bytes expected = {'a', 'a', 'a',  'a',  'a',  'a',  'a', 'a',
                            'a', 'a', 0x0D, 0x0A, 0x1A, 0x00, 'b'};
    EXPECT_EQ(read_file(path("out")), expected);

    StandInBlob empty(std::vector<Bytes>{Bytes{}});
    EXPECT_EQ(copy_blob_to_file(empty, path("empty").c_str()), 0);
    struct stat info {};
    ASSERT_EQ(stat(path("empty").c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 0);
}

TEST_F(BlobFileTest, BlobToFileResultCodes) {
    StandInBlob blob(segments_of_text());
    EXPECT_EQ(copy_blob_to_file(blob, path("no/such/dir/file").c_str()), -1);

    // A failed write reports the system's error number, never 0, and stops.
    StandInBlob full(std::vector<Bytes>{Bytes(5000, 'x'), Bytes(5000, 'y')});
    EXPECT_EQ(copy_blob_to_file(full, "/dev/full"), ENOSPC);
    EXPECT_EQ(full.get_calls(), 1);
}

}  // namespace
#endif
