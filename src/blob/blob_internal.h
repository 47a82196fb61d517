// blob_internal.h - the BLOB family's routines below its entries, for the
// entries themselves and for other fronts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "../module/host.h"

// Writes counted text as segments of 8192 bytes (nothing for length 0).
void write_text(const unsigned char* bytes, size_t length, BlobControl* out);

// The BLOB's non-empty segments, then the text (length 0: nothing).
BlobControl* add_text_to_blob(const BlobControl* blob, const unsigned char* text,
                              size_t length, BlobControl* out);

// The one-line description of a BLOB record (at most 75 characters).
char* describe_blob(const BlobControl* blob, char* text, size_t size);

// Writes the BLOB into a new file; 0, -1 or the platform's error code.
int32_t copy_blob_to_file(const BlobControl* blob, const char* file_name);
