// blob_substr.cpp - a stretch of a BLOB's bytes.
//
// The BLOB is read from its start; segments before the start are read and
// dropped, and reading stops as soon as the stretch is complete.  Positions
// count bytes from 0 over the whole BLOB; zero bytes are copied like others.
#include <cstring>

#include "blob.h"

StretchCopier::StretchCopier(SegmentReader& blob)
    : blob_(blob), size_(blob.segment_size()), buffer_(size_) {}

uint32_t StretchCopier::copy(int32_t start, uint32_t wanted, unsigned char* destination) {
    unsigned char* const buffer = buffer_.get();
    uint16_t length = 0;
    int64_t total = 0;  // bytes read so far
    bool more = true;
    while (more && total <= start) {
        more = blob_.read(buffer, size_, &length);
        total += more ? length : 0;
    }
    if (total <= start) {
        return 0;  // the data end at or before the start
    }
    // The segment just read holds the start: copying begins in its tail.
    uint32_t available = static_cast<uint32_t>(total - start);
    const unsigned char* from = buffer + (length - available);

    uint32_t copied = 0;
    while (more && wanted - copied > available) {
        std::memcpy(destination + copied, from, available);
        copied += available;
        more = blob_.read(buffer, size_, &length);
        from = buffer;
        available = more ? length : 0;
    }
    const uint32_t last = wanted - copied < available ? wanted - copied : available;
    std::memcpy(destination + copied, from, last);
    return copied + last;
}

uint32_t StretchCopier::copy(int32_t start, uint32_t wanted, unsigned char* destination,
                             Encoding encoding) {
    if (every_byte_a_character(encoding)) {
        return copy(start, wanted, destination);
    }
    // Byte by byte from the BLOB's start: only there are character starts
    // known.  `whole` is what was copied up to the last start seen.
    unsigned char* const buffer = buffer_.get();
    const int64_t end = int64_t{start} + wanted;
    CharacterStarts starts(encoding);
    int64_t position = 0;
    uint32_t copied = 0, whole = 0;
    bool copying = false;
    uint16_t length = 0;
    while (blob_.read(buffer, size_, &length)) {
        for (uint16_t i = 0; i < length; ++i, ++position) {
            const bool starts_one = starts.next(buffer[i]);
            if (position >= end) {
                return starts_one ? copied : whole;  // the byte after the stretch
            }
            if (starts_one && position >= start) {
                copying = true;
                whole = copied;
            }
            if (copying) {
                destination[copied++] = buffer[i];
            }
        }
    }
    return copied;  // the BLOB ends within the stretch, on a whole character
}
