// blob_case.cpp - Shift-JIS upper and lower case of a whole BLOB, segment by
// segment: UDF_BLOBSJISUPPER and UDF_BLOBSJISLOWER.
//
// Each segment is converted in place and written as one segment.  A lead
// byte that ends a segment is held back and put in front of the next one, so
// a double-byte character cut between two segments is converted whole; a
// lead byte left over at the very end goes out alone, unconverted.  Zero
// bytes are ordinary characters, so the result does not depend on where the
// server cut the segments.
#include "../module/kovudf.h"
#include "../text/sjis_case.h"
#include "blob_io.h"

namespace {

using SpanMapping = int (*)(const unsigned char*, unsigned char*, size_t);

BlobControl* convert_blob(const BlobControl* blob, BlobControl* out, SpanMapping map) {
    if (blob_is_null(blob) || blob_is_null(out)) {
        return out;
    }
    const uint16_t size = segment_buffer_size(blob);
    // One byte in front for a held lead byte.
    ScratchBuffer buffer(static_cast<size_t>(size) + 2);
    if (!buffer) {
        return out;
    }
    unsigned char* bytes = buffer.get();
    bool holding = false;
    unsigned char held = 0;
    uint16_t length = 0;
    while (read_segment(blob, bytes + (holding ? 1 : 0), size, &length)) {
        uint32_t count = length;
        if (holding) {
            bytes[0] = held;
            ++count;
            holding = false;
        }
        if (map(bytes, bytes, count) == 0) {
            held = bytes[count - 1];
            holding = true;
            --count;
        }
        write_bytes(out, bytes, count);
    }
    if (holding) {
        write_segment(out, &held, 1);
    }
    return out;
}

}  // namespace

KOVUDF_ENTRY BlobControl* _UDF_BlobSjisUpper(const BlobControl* blob, BlobControl* out) {
    return convert_blob(blob, out, sjis_upper_span);
}

KOVUDF_ENTRY BlobControl* _UDF_BlobSjisLower(const BlobControl* blob, BlobControl* out) {
    return convert_blob(blob, out, sjis_lower_span);
}
