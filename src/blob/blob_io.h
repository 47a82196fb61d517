// blob_io.h - reading and writing BLOBs through the server's segment routines.
//
// Segment lengths are unsigned 16-bit counts (a Firebird segment may hold up
// to 65535 bytes).  The buffer handed to get_segment is the BLOB's longest
// segment, capped at 65535 and at least 1 byte, so that every nonzero result
// moves the BLOB forward.
#pragma once

#include <cstdint>

#include "../module/host.h"

inline bool blob_is_null(const BlobControl* blob) {
    return blob == nullptr || blob->blob_handle == nullptr;
}

// The size of the buffer that get_segment fills for this BLOB.
inline uint16_t segment_buffer_size(const BlobControl* blob) {
    if (blob->max_seglen <= 0) {
        return 1;
    }
    return blob->max_seglen > 65535 ? 65535 : static_cast<uint16_t>(blob->max_seglen);
}

// One get_segment call: true when a segment (or part of one) was delivered.
// `length` is set to what the server reported, 0 at the end.
inline bool read_segment(const BlobControl* blob, unsigned char* buffer, uint16_t size,
                         uint16_t* length) {
    unsigned short reported = 0;
    const short result = blob->get_segment(blob->blob_handle, buffer, size, &reported);
    *length = result != 0 ? reported : 0;
    return result != 0;
}

inline void write_segment(BlobControl* out, const unsigned char* bytes, uint16_t length) {
    out->put_segment(out->blob_handle, bytes, length);
}

// Writes `length` bytes as segments of at most 65535 bytes (one call when
// the length fits a segment, including a length of 0).
inline void write_bytes(BlobControl* out, const unsigned char* bytes, uint32_t length) {
    while (length > 65535) {
        write_segment(out, bytes, 65535);
        bytes += 65535;
        length -= 65535;
    }
    write_segment(out, bytes, static_cast<uint16_t>(length));
}
