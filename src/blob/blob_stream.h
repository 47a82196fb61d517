// blob_stream.h - the BLOB family's view of a BLOB: a reader of segments and
// a writer of segments, which each front implements over the server's own
// BLOB interface.
//
// Segment lengths are unsigned 16-bit counts (a Firebird segment holds up to
// 65535 bytes).  A NULL BLOB is no reader at all: the family's routines take
// a null reader as a BLOB without data.
#pragma once

#include <cstdint>

class SegmentReader {
  public:
    // The size of buffer that holds this BLOB's longest segment whole: 1 to
    // 65535, so that every successful read moves the BLOB forward.
    virtual uint16_t segment_size() const = 0;
    // Reads the next segment, or as much of it as `size` bytes hold.  False
    // at the end; otherwise `*length` is the count delivered.
    virtual bool read(unsigned char* buffer, uint16_t size, uint16_t* length) = 0;

  protected:
    ~SegmentReader() = default;
};

class SegmentWriter {
  public:
    virtual void write(const unsigned char* bytes, uint16_t length) = 0;

  protected:
    ~SegmentWriter() = default;
};

// What the server says of a BLOB without reading it.
struct BlobStats {
    int32_t segments;
    int32_t longest_segment;
    int32_t total_size;
};

// The size of buffer that holds segments of up to `longest` bytes, as a
// server's statistics give it: 1 to 65535.
inline uint16_t segment_buffer_size(int64_t longest) {
    if (longest <= 0) {
        return 1;
    }
    return longest > 65535 ? 65535 : static_cast<uint16_t>(longest);
}

// Writes `length` bytes as segments of at most 65535 bytes (one call when
// the length fits a segment, including a length of 0).
inline void write_bytes(SegmentWriter& out, const unsigned char* bytes, uint32_t length) {
    while (length > 65535) {
        out.write(bytes, 65535);
        bytes += 65535;
        length -= 65535;
    }
    if (length > 0) {
        out.write(bytes, static_cast<uint16_t>(length));
    }
}
