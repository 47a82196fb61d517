// blob_case.cpp - Shift-JIS upper and lower case of a whole BLOB, segment by
// segment.
//
// Each segment is converted in place and written as one segment.  A lead
// byte that ends a segment is held back and put in front of the next one, so
// a double-byte character cut between two segments is converted whole; a
// lead byte left over at the very end goes out alone, unconverted.  Zero
// bytes are ordinary characters, so the result does not depend on where the
// server cut the segments.
#include "../platform/scratch.h"
#include "../text/sjis_case.h"
#include "blob.h"

bool convert_blob_case(SegmentReader* blob, SegmentWriter& out, CaseMapping mapping) {
    if (blob == nullptr) {
        return true;
    }
    const auto map = mapping == CaseMapping::upper ? sjis_upper_span : sjis_lower_span;
    const uint16_t size = blob->segment_size();
    // One byte in front for a held lead byte.
    ScratchBuffer buffer(static_cast<size_t>(size) + 2);
    if (!buffer) {
        return false;
    }
    unsigned char* bytes = buffer.get();
    bool holding = false;
    unsigned char held = 0;
    uint16_t length = 0;
    while (blob->read(bytes + (holding ? 1 : 0), size, &length)) {
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
        out.write(&held, 1);
    }
    return true;
}
