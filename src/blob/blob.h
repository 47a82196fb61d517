// blob.h - the BLOB functions on segment readers and writers (see
// blob_stream.h): describing a BLOB, building one from texts and BLOBs,
// stretches of its bytes, Shift-JIS case of a whole BLOB, and copying
// between a BLOB and a file.
//
// No routine holds a whole BLOB: each streams it through one buffer of the
// BLOB's longest segment, from the module's heap.  A routine that cannot
// have that buffer returns false (or -1) before it reads or writes anything.
#pragma once

#include <cstddef>
#include <cstdint>

#include "../platform/scratch.h"
#include "../text/encoding.h"
#include "../text/text.h"
#include "blob_stream.h"

// The one-line description of a BLOB's statistics (at most 75 characters),
// "<empty BLOB>" for a NULL one, into `text` of `size` bytes.
char* describe_blob(const BlobStats* stats, char* text, size_t size);

// Text goes out in segments of text_chunk bytes (nothing for the empty text).
extern const uint32_t text_chunk;
void write_text(Text text, SegmentWriter& out);

// Copies every segment of `first`, then of `second`, to `out`, segment for
// segment.  One buffer serves both.  Here and everywhere below, no empty
// segment is ever written: it carries no data, and some readers stop at it.
bool concatenate_blobs(SegmentReader* first, SegmentReader* second, SegmentWriter& out);

// The BLOB's segments, then the text.
bool add_text_to_blob(SegmentReader* blob, Text text, SegmentWriter& out);

// Stretches of a BLOB's bytes, through one buffer taken first: test the
// copier before asking for the room its stretch goes to.
class StretchCopier {
  public:
    explicit StretchCopier(SegmentReader& blob);
    explicit operator bool() const { return static_cast<bool>(buffer_); }
    // Copies up to `wanted` bytes from byte `start` (0 or more) into
    // `destination` and returns how many were copied.  Reading stops as soon
    // as the stretch is complete.
    uint32_t copy(int32_t start, uint32_t wanted, unsigned char* destination);
    // The same stretch cut to whole characters, as substring() in
    // encoding.h cuts a text: a character cut at either end of the stretch,
    // or by a segment end, is judged over the whole BLOB.
    uint32_t copy(int32_t start, uint32_t wanted, unsigned char* destination,
                  Encoding encoding);

  private:
    SegmentReader& blob_;
    uint16_t size_;
    ScratchBuffer buffer_;
};

// The whole BLOB in upper or lower case, as map_case() in encoding.h maps
// it.  A character cut between two segments is held back and converted
// whole.
bool convert_blob_case(SegmentReader* blob, SegmentWriter& out, CaseMapping mapping,
                       Encoding encoding = Encoding::bytes);

// The file's bytes, in chunks of file_chunk bytes; nothing when the file
// cannot be read or is not a regular file.
extern const unsigned file_chunk;
bool copy_file_to_blob(const char* file_name, SegmentWriter& out);

// Writes every non-empty segment into a new (or replaced) file.  0 done, -1
// the file cannot be created, else the platform's error code of the first
// failed write or the close; the platform's out-of-memory code, with the
// file untouched, when the buffer cannot be had.
int32_t copy_blob_to_file(SegmentReader& blob, const char* file_name);
