// blob_info.cpp - describing a BLOB from its control record, without reading
// a segment: UDF_BLOBINFO and UDF_BLOBSIZE.
#include <cstdio>
#include <cstring>

#include "../module/kovudf.h"
#include "../text/text_block.h"
#include "blob_internal.h"
#include "blob_io.h"

// Writes the one-line description (at most 75 characters) into `text`.
char* describe_blob(const BlobControl* blob, char* text, size_t size) {
    if (blob == nullptr) {
        std::snprintf(text, size, "<null BLOB>");
    } else if (blob->blob_handle == nullptr) {
        std::snprintf(text, size, "<empty BLOB>");
    } else {
        std::snprintf(text, size, "number_segments:%d  max_seglen:%d  total_size:%d",
                      static_cast<int>(blob->number_segments),
                      static_cast<int>(blob->max_seglen),
                      static_cast<int>(blob->total_size));
    }
    return text;
}

KOVUDF_ENTRY char* _UDF_BlobInfo(const BlobControl* blob) {
    char text[200];
    describe_blob(blob, text, sizeof text);
    return text_block_of(text, std::strlen(text));
}

KOVUDF_ENTRY int32_t _UDF_BlobSize(const BlobControl* blob) {
    if (blob_is_null(blob)) {
        return 0;
    }
    return blob->total_size;
}
