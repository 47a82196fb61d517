// blob_substr.cpp - a stretch of a BLOB's bytes as text: UDF_BLOBSUBSTR
// (CSTRING) and UDF_BLOBVSUBSTR (VARCHAR).
//
// The BLOB is read from its start; segments before the start are read and
// dropped, and reading stops as soon as the stretch is complete.  Positions
// count bytes from 0 over the whole BLOB; zero bytes are copied like others.
#include <cstring>

#include "../module/kovudf.h"
#include "../text/text_block.h"
#include "blob_io.h"

namespace {

// Copies up to `wanted` bytes from position `start` into `out` and returns
// how many were copied.
uint32_t copy_stretch(const BlobControl* blob, int32_t start, uint32_t wanted,
                      unsigned char* buffer, unsigned char* out) {
    const uint16_t size = segment_buffer_size(blob);
    uint16_t length = 0;
    int64_t total = 0;  // bytes read so far
    bool more = true;
    while (more && total <= start) {
        more = read_segment(blob, buffer, size, &length);
        total += length;
    }
    if (total <= start) {
        return 0;  // the data end at or before the start
    }
    // The segment just read holds the start: copying begins in its tail.
    uint32_t available = static_cast<uint32_t>(total - start);
    const unsigned char* from = buffer + (length - available);

    uint32_t copied = 0;
    while (more && wanted - copied > available) {
        std::memcpy(out + copied, from, available);
        copied += available;
        more = read_segment(blob, buffer, size, &length);
        from = buffer;
        available = length;
    }
    const uint32_t last = wanted - copied < available ? wanted - copied : available;
    std::memcpy(out + copied, from, last);
    return copied + last;
}

// The block for a valid request (header as in text_block.h); null when
// memory is short.
unsigned char* stretch_block(const BlobControl* blob, int32_t start, int16_t length,
                             uint32_t header) {
    const uint32_t wanted = static_cast<uint32_t>(length);
    ScratchBuffer buffer(segment_buffer_size(blob));
    if (!buffer) {
        return nullptr;
    }
    unsigned char* block = zeroed_stretch_block(header, wanted);
    if (block == nullptr) {
        return nullptr;
    }
    set_stretch_length(block, header,
                       copy_stretch(blob, start, wanted, buffer.get(), block + header));
    return block;
}

// NULL BLOB, a length of 0, and (for safety) a negative start or length
// give the empty result.
bool empty_request(const BlobControl* blob, int32_t start, int16_t length) {
    return blob_is_null(blob) || length <= 0 || start < 0;
}

}  // namespace

KOVUDF_ENTRY char* _UDF_BlobSubStr(const BlobControl* blob, const int32_t* start,
                                   const int16_t* length) {
    if (start == nullptr || length == nullptr) {
        return nullptr;
    }
    if (empty_request(blob, *start, *length)) {
        return reinterpret_cast<char*>(empty_text_block());
    }
    return reinterpret_cast<char*>(stretch_block(blob, *start, *length, cstring_header));
}

KOVUDF_ENTRY VaryingText* _UDF_BlobVSubStr(const BlobControl* blob, const int32_t* start,
                                           const int16_t* length) {
    if (start == nullptr || length == nullptr) {
        return nullptr;
    }
    if (empty_request(blob, *start, *length)) {
        return empty_varying_block();
    }
    return reinterpret_cast<VaryingText*>(
        stretch_block(blob, *start, *length, varchar_header));
}
