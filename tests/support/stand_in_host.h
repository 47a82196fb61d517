// stand_in_host.h - what the unit tests put in the server's place.
//
// HostTest installs a recording host_malloc (every block's requested size is
// kept, and the allocator can be told to fail) and frees the blocks at the
// end of each test, as the server would.  StandInBlob is an in-memory BLOB
// that serves get_segment from a list of segments (or from a generator, for
// BLOBs too large to hold) and records put_segment calls; the same BLOB is
// the BLOB family's segment reader and writer, so the family's tests and the
// legacy entries' tests share it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "blob/blob_stream.h"
#include "legacy/host.h"
#include "stand_in_allocator.h"

using Bytes = std::vector<unsigned char>;

Bytes bytes_of(const std::string& text);
std::string string_of(const Bytes& bytes);

// Whole files, in binary.
void write_file(const std::string& name, const Bytes& bytes);
Bytes read_file(const std::string& name);

// A tm record with the six date and time fields set (month 1 to 12).
std::tm make_tm(int year, int month, int day, int hour = 0, int minute = 0,
                int second = 0);
// "year-month-day hour:minute:second" of a record's fields, unpadded.
std::string show_tm(const std::tm& t);

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The requested size of a block returned by an entry.
    static size_t block_size(const void* block) { return stand_in_block_size(block); }
    static Bytes block_bytes(const void* block) {
        const auto* p = static_cast<const unsigned char*>(block);
        return Bytes(p, p + stand_in_block_size(block));
    }

  private:
    host_malloc_fn saved_ = nullptr;
};

class StandInBlob final : public SegmentReader, public SegmentWriter {
  public:
    // A BLOB holding these segments; statistics as the server would fill them.
    explicit StandInBlob(std::vector<Bytes> segments);
    StandInBlob(const StandInBlob&) = delete;
    StandInBlob& operator=(const StandInBlob&) = delete;
    // A BLOB of `total` bytes delivered in segments of `segment` bytes, each
    // produced on demand by `fill(offset, buffer, length)`.
    StandInBlob(uint64_t total, uint16_t segment,
                std::function<void(uint64_t, unsigned char*, uint16_t)> fill);
    // An output BLOB that records what is written to it.
    static StandInBlob output();
    // The record of a NULL BLOB.
    static BlobControl null_record();

    BlobControl& record() { return record_; }
    int get_calls() const { return get_calls_; }
    const std::vector<Bytes>& written() const { return written_; }
    std::vector<size_t> written_lengths() const;
    Bytes contents() const;  // all written bytes in order
    uint64_t written_bytes() const { return written_total_; }

    // Only count what is written (for BLOBs too large to keep).
    void count_only() { count_only_ = true; }
    // Called inside every get_segment, e.g. to sample the heap.
    std::function<void()> on_read;

    // The segment reader and writer over the same BLOB.
    uint16_t segment_size() const override {
        return segment_buffer_size(record_.max_seglen);
    }
    bool read(unsigned char* buffer, uint16_t size, uint16_t* length) override {
        unsigned short reported = 0;
        const short result = get_segment(this, buffer, size, &reported);
        *length = result != 0 ? reported : 0;
        return result != 0;
    }
    void write(const unsigned char* bytes, uint16_t length) override {
        put_segment(this, bytes, length);
    }

  private:
    static short get_segment(void* handle, unsigned char* buffer, unsigned short size,
                             unsigned short* length);
    static void put_segment(void* handle, const unsigned char* buffer,
                            unsigned short length);
    void init_record(int32_t segments, int32_t max_seglen, int32_t total);

    BlobControl record_{};
    std::vector<Bytes> segments_;
    size_t next_ = 0;       // next segment to deliver
    size_t delivered_ = 0;  // bytes of that segment already delivered
    uint64_t generated_total_ = 0;
    uint16_t generated_segment_ = 0;
    uint64_t generated_offset_ = 0;
    std::function<void(uint64_t, unsigned char*, uint16_t)> fill_;
    int get_calls_ = 0;
    std::vector<Bytes> written_;
    uint64_t written_total_ = 0;
    bool count_only_ = false;
};
