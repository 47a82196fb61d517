// host_layout_check.cpp - BlobControl must match the server's own record.
//
// Where the server's header is at hand, compare field by field; a mismatch
// stops the build instead of corrupting BLOBs at run time.
#include <cstddef>

#include "host.h"

#if defined(__has_include)
#if __has_include(<ibase.h>)
#include <ibase.h>

static_assert(sizeof(BlobControl) <= sizeof(blobcallback), "BLOB record size");
static_assert(offsetof(BlobControl, get_segment) ==
                  offsetof(blobcallback, blob_get_segment),
              "get_segment offset");
static_assert(offsetof(BlobControl, blob_handle) == offsetof(blobcallback, blob_handle),
              "blob_handle offset");
static_assert(offsetof(BlobControl, number_segments) ==
                  offsetof(blobcallback, blob_number_segments),
              "number_segments offset");
static_assert(offsetof(BlobControl, max_seglen) ==
                  offsetof(blobcallback, blob_max_segment),
              "max_seglen offset");
static_assert(offsetof(BlobControl, total_size) ==
                  offsetof(blobcallback, blob_total_length),
              "total_size offset");
static_assert(offsetof(BlobControl, put_segment) ==
                  offsetof(blobcallback, blob_put_segment),
              "put_segment offset");
static_assert(sizeof(DateQuad) == sizeof(ISC_TIMESTAMP), "date value size");
#endif
#endif
