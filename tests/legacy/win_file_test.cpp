// BLOB file transfer on the Windows file API (run under Wine): binary
// reads, CreateFileA replacing files without sharing, and result codes.
#if defined(_WIN32)

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "legacy/entries.h"
#include "support/stand_in_host.h"

namespace {

class WindowsFileTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        char base[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, base), 0u);
        dir_ = std::string(base) + "kovudf-test-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const char* name : {"in", "raw", "out", "locked", "empty"}) {
            DeleteFileA(path(name).c_str());
        }
        RemoveDirectoryA(dir_.c_str());
        HostTest::TearDown();
    }
    std::string path(const std::string& name) const { return dir_ + "\\" + name; }
    std::string dir_;
};

TEST_F(WindowsFileTest, FileToBlobReadsBinaryChunks) {
    Bytes data(20000);
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<unsigned char>(i % 251);
    }
    write_file(path("in"), data);
    StandInBlob out = StandInBlob::output();
    _UDF_FileToBlob(path("in").c_str(), &out.record());
    EXPECT_EQ(out.written_lengths(), (std::vector<size_t>{8192, 8192, 3616}));
    EXPECT_EQ(out.contents(), data);

    // No text-mode translation: CR LF, Ctrl-Z and zero bytes pass unchanged.
    write_file(path("raw"), Bytes{0x0D, 0x0A, 0x1A, 0x00, 0x0A});
    StandInBlob raw = StandInBlob::output();
    _UDF_FileToBlob(path("raw").c_str(), &raw.record());
    EXPECT_EQ(raw.contents(), (Bytes{0x0D, 0x0A, 0x1A, 0x00, 0x0A}));

    StandInBlob missing = StandInBlob::output();
    _UDF_FileToBlob(path("missing").c_str(), &missing.record());
    EXPECT_TRUE(missing.written().empty());
}

TEST_F(WindowsFileTest, BlobToFileReplacesAndReports) {
    write_file(path("out"), Bytes(100, 'o'));
    StandInBlob blob(
        std::vector<Bytes>{Bytes(10, 'a'), Bytes{}, Bytes{0x0D, 0x0A, 0x1A, 0, 'b'}});
    EXPECT_EQ(_UDF_BlobToFile(&blob.record(), path("out").c_str(), nullptr), 0);
    EXPECT_EQ(read_file(path("out")).size(), 15u);
    EXPECT_EQ(read_file(path("out"))[10], 0x0D);

    StandInBlob empty(std::vector<Bytes>{Bytes{}});
    EXPECT_EQ(_UDF_BlobToFile(&empty.record(), path("empty").c_str(), nullptr), 0);
    EXPECT_TRUE(read_file(path("empty")).empty());

    write_file(path("locked"), bytes_of("keep me"));
    BlobControl null_blob = StandInBlob::null_record();
    EXPECT_EQ(_UDF_BlobToFile(&null_blob, path("locked").c_str(), nullptr), -999);
    EXPECT_EQ(string_of(read_file(path("locked"))), "keep me");

    StandInBlob some(std::vector<Bytes>{bytes_of("x")});
    EXPECT_EQ(_UDF_BlobToFile(&some.record(), path("no\\such\\dir").c_str(), nullptr),
              -1);
}

// A file that another handle holds without sharing cannot be created.
TEST_F(WindowsFileTest, FileHeldWithoutSharingGivesMinusOne) {
    write_file(path("locked"), bytes_of("held"));
    HANDLE held = CreateFileA(path("locked").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    StandInBlob blob(std::vector<Bytes>{bytes_of("new")});
    EXPECT_EQ(_UDF_BlobToFile(&blob.record(), path("locked").c_str(), nullptr), -1);
    StandInBlob out = StandInBlob::output();
    _UDF_FileToBlob(path("locked").c_str(), &out.record());
    EXPECT_TRUE(out.written().empty());
    CloseHandle(held);
    EXPECT_EQ(string_of(read_file(path("locked"))), "held");
}

// Wine maps drive Z: to the Unix root, so /dev/full is a file whose writes
// fail for want of space: the code is GetLastError's, never 0.
TEST_F(WindowsFileTest, FailedWriteReportsGetLastError) {
    StandInBlob blob(std::vector<Bytes>{Bytes(5000, 'x'), Bytes(5000, 'y')});
    const int32_t code = _UDF_BlobToFile(&blob.record(), "Z:\\dev\\full", nullptr);
    EXPECT_EQ(code, ERROR_DISK_FULL);
    EXPECT_EQ(blob.get_calls(), 1);
}

}  // namespace

#endif
