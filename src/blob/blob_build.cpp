// blob_build.cpp - filling an output BLOB from texts and other BLOBs.
//
// Text goes out in segments of 8192 bytes straight from the argument; BLOB
// segments are copied one for one, keeping their boundaries.  An empty
// segment carries no data, and some readers stop at one (the 6.0 engine's
// CAST, node-firebird's BLOB reader): none is ever written.
#include "../platform/scratch.h"
#include "blob.h"

const uint32_t text_chunk = 8192;

void write_text(Text text, SegmentWriter& out) {
    const unsigned char* bytes = text.bytes;
    size_t length = text.length;
    while (length > 0) {
        const uint16_t piece =
            static_cast<uint16_t>(length < text_chunk ? length : text_chunk);
        out.write(bytes, piece);
        bytes += piece;
        length -= piece;
    }
}

namespace {

// Copies every non-empty segment of `blob`.
void copy_segments(SegmentReader* blob, unsigned char* buffer, SegmentWriter& out) {
    if (blob == nullptr) {
        return;
    }
    const uint16_t size = blob->segment_size();
    uint16_t length = 0;
    while (blob->read(buffer, size, &length)) {
        if (length != 0) {
            out.write(buffer, length);
        }
    }
}

size_t buffer_for(const SegmentReader* blob) {
    return blob == nullptr ? 1 : blob->segment_size();
}

}  // namespace

bool concatenate_blobs(SegmentReader* first, SegmentReader* second, SegmentWriter& out) {
    const size_t first_size = buffer_for(first), second_size = buffer_for(second);
    ScratchBuffer buffer(first_size > second_size ? first_size : second_size);
    if (!buffer) {
        return false;
    }
    copy_segments(first, buffer.get(), out);
    copy_segments(second, buffer.get(), out);
    return true;
}

bool add_text_to_blob(SegmentReader* blob, Text text, SegmentWriter& out) {
    ScratchBuffer buffer(buffer_for(blob));
    if (!buffer) {
        return false;
    }
    copy_segments(blob, buffer.get(), out);
    write_text(text, out);
    return true;
}
