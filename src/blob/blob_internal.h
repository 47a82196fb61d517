// blob_internal.h - the BLOB family's internal routines behind
// UDF_BLOBINFO and UDF_BLOBTOFILE.
#pragma once

#include <cstddef>
#include <cstdint>

#include "../module/host.h"

// The one-line description of a BLOB record (at most 75 characters).
char* describe_blob(const BlobControl* blob, char* text, size_t size);

// Writes the BLOB into a new file; 0, -1 or the platform's error code.
int32_t copy_blob_to_file(const BlobControl* blob, const char* file_name);
