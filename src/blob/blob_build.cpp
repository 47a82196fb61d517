// blob_build.cpp - filling the output BLOB from texts and other BLOBs:
// UDF_STRTOBLOB, UDF_BLOBCAT and UDF_BLOBADDSTR.
//
// Text goes out in segments of 8192 bytes straight from the argument; BLOB
// segments are copied one for one, keeping their boundaries.
#include <cstring>

#include "../module/kovudf.h"
#include "blob_internal.h"
#include "blob_io.h"

const uint32_t text_chunk = 8192;

void write_text(const unsigned char* bytes, size_t length, BlobControl* out) {
    while (length > 0) {
        const uint16_t piece =
            static_cast<uint16_t>(length < text_chunk ? length : text_chunk);
        write_segment(out, bytes, piece);
        bytes += piece;
        length -= piece;
    }
}

namespace {

const unsigned char* bytes_of(const char* text) {
    return reinterpret_cast<const unsigned char*>(text);
}

// Copies every segment of `blob` to `out`; empty segments only when asked.
void copy_segments(const BlobControl* blob, unsigned char* buffer, BlobControl* out,
                   bool keep_empty) {
    if (blob_is_null(blob)) {
        return;
    }
    const uint16_t size = segment_buffer_size(blob);
    uint16_t length = 0;
    while (read_segment(blob, buffer, size, &length)) {
        if (length != 0 || keep_empty) {
            write_segment(out, buffer, length);
        }
    }
}

size_t scratch_size(const BlobControl* blob) {
    return blob_is_null(blob) ? 1 : segment_buffer_size(blob);
}

}  // namespace

KOVUDF_ENTRY BlobControl* _UDF_StrToBlob(const char* text, BlobControl* out) {
    if (blob_is_null(out) || text == nullptr) {
        return out;
    }
    write_text(bytes_of(text), std::strlen(text), out);
    return out;
}

KOVUDF_ENTRY BlobControl* _UDF_BlobCat(const BlobControl* first,
                                       const BlobControl* second, BlobControl* out) {
    if (blob_is_null(out)) {
        return out;
    }
    const size_t first_size = scratch_size(first);
    const size_t second_size = scratch_size(second);
    ScratchBuffer buffer(first_size > second_size ? first_size : second_size);
    if (!buffer) {
        return out;
    }
    copy_segments(first, buffer.get(), out, true);
    copy_segments(second, buffer.get(), out, true);
    return out;
}

// A NULL text adds nothing: the result is the BLOB's bytes.
KOVUDF_ENTRY BlobControl* _UDF_BlobAddStr(const BlobControl* blob, const char* text,
                                          BlobControl* out) {
    if (text == nullptr) {
        return add_text_to_blob(blob, nullptr, 0, out);
    }
    return add_text_to_blob(blob, bytes_of(text), std::strlen(text), out);
}

BlobControl* add_text_to_blob(const BlobControl* blob, const unsigned char* text,
                              size_t length, BlobControl* out) {
    if (blob_is_null(out)) {
        return out;
    }
    const size_t size = scratch_size(blob);
    ScratchBuffer buffer(size > text_chunk ? size : text_chunk);
    if (!buffer) {
        return out;
    }
    copy_segments(blob, buffer.get(), out, false);
    write_text(text, length, out);
    return out;
}
