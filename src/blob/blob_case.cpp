// blob_case.cpp - upper and lower case of a whole BLOB, segment by segment.
//
// Each segment is converted in place and written as one segment.  The bytes
// that begin a character a segment cuts are held back and put in front of
// the next one, so that character is converted whole; bytes left over at
// the very end go out alone, unconverted.  Zero bytes are ordinary
// characters, so the result does not depend on where the server cut the
// segments.
#include <cstring>

#include "../platform/scratch.h"
#include "blob.h"

bool convert_blob_case(SegmentReader* blob, SegmentWriter& out, CaseMapping mapping,
                       Encoding encoding) {
    if (blob == nullptr) {
        return true;
    }
    const uint16_t size = blob->segment_size();
    // Room in front for the bytes held back (at most 3).
    constexpr size_t most_held = 3;
    ScratchBuffer buffer(static_cast<size_t>(size) + most_held);
    if (!buffer) {
        return false;
    }
    unsigned char* bytes = buffer.get();
    size_t held = 0;
    uint16_t length = 0;
    while (blob->read(bytes + held, size, &length)) {
        const size_t count = held + length;
        held = map_case(bytes, bytes, count, mapping, encoding);
        write_bytes(out, bytes, static_cast<uint32_t>(count - held));
        std::memmove(bytes, bytes + count - held, held);
    }
    if (held > 0) {
        out.write(bytes, static_cast<uint16_t>(held));
    }
    return true;
}
