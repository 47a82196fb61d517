// blob_info.cpp - describing a BLOB from its statistics, without reading it.
#include <cstdio>

#include "blob.h"

char* describe_blob(const BlobStats* stats, char* text, size_t size) {
    if (stats == nullptr) {
        std::snprintf(text, size, "<empty BLOB>");
    } else {
        std::snprintf(text, size, "number_segments:%d  max_seglen:%d  total_size:%d",
                      static_cast<int>(stats->segments),
                      static_cast<int>(stats->longest_segment),
                      static_cast<int>(stats->total_size));
    }
    return text;
}
