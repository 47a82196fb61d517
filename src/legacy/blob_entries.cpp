// blob_entries.cpp - the BLOB entries over the server's BLOB control
// records: descriptions, building, substrings, Shift-JIS case and files.
//
// A NULL BLOB (a record without a handle) is no data.  An output record
// without a handle is left alone, and so is an output BLOB whose working
// buffer cannot be had.
#include <cstring>

#include "../blob/blob.h"
#include "blob_record.h"
#include "entries.h"
#include "result_blocks.h"

KOVUDF_ENTRY char* _UDF_BlobInfo(const BlobControl* blob) {
    char text[200];
    if (blob == nullptr) {
        std::strcpy(text, "<null BLOB>");
    } else {
        const BlobStats stats{blob->number_segments, blob->max_seglen, blob->total_size};
        describe_blob(blob_is_null(blob) ? nullptr : &stats, text, sizeof text);
    }
    return text_block_of(text_of(text, std::strlen(text)));
}

KOVUDF_ENTRY int32_t _UDF_BlobSize(const BlobControl* blob) {
    return blob_is_null(blob) ? 0 : blob->total_size;
}

KOVUDF_ENTRY BlobControl* _UDF_StrToBlob(const char* text, BlobControl* out) {
    if (!blob_is_null(out) && text != nullptr) {
        RecordWriter writer(out);
        write_text(cstring_text(text), writer);
    }
    return out;
}

KOVUDF_ENTRY BlobControl* _UDF_BlobCat(const BlobControl* first,
                                       const BlobControl* second, BlobControl* out) {
    if (!blob_is_null(out)) {
        InputBlob a(first), b(second);
        RecordWriter writer(out);
        concatenate_blobs(a.get(), b.get(), writer);
    }
    return out;
}

// A NULL text adds nothing: the result is the BLOB's bytes.
KOVUDF_ENTRY BlobControl* _UDF_BlobAddStr(const BlobControl* blob, const char* text,
                                          BlobControl* out) {
    if (!blob_is_null(out)) {
        InputBlob input(blob);
        RecordWriter writer(out);
        add_text_to_blob(input.get(),
                         text == nullptr ? Text{nullptr, 0} : cstring_text(text), writer);
    }
    return out;
}

namespace {

// The block for a stretch request (header as in result_blocks.h).  A NULL
// BLOB, a length of 0 or less, and a negative start give the empty result;
// null when memory is short.
unsigned char* stretch_block(const BlobControl* blob, int32_t start, int16_t length,
                             uint32_t header) {
    if (blob_is_null(blob) || length <= 0 || start < 0) {
        return zeroed_stretch_block(header, 0);
    }
    const uint32_t wanted = static_cast<uint32_t>(length);
    RecordReader reader(blob);
    StretchCopier copier(reader);
    if (!copier) {
        return nullptr;
    }
    unsigned char* block = zeroed_stretch_block(header, wanted);
    if (block != nullptr) {
        set_stretch_length(block, header, copier.copy(start, wanted, block + header));
    }
    return block;
}

}  // namespace

KOVUDF_ENTRY char* _UDF_BlobSubStr(const BlobControl* blob, const int32_t* start,
                                   const int16_t* length) {
    if (start == nullptr || length == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<char*>(stretch_block(blob, *start, *length, cstring_header));
}

KOVUDF_ENTRY VaryingText* _UDF_BlobVSubStr(const BlobControl* blob, const int32_t* start,
                                           const int16_t* length) {
    if (start == nullptr || length == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<VaryingText*>(
        stretch_block(blob, *start, *length, varchar_header));
}

namespace {

BlobControl* converted(const BlobControl* blob, BlobControl* out, CaseMapping mapping) {
    if (!blob_is_null(out)) {
        InputBlob input(blob);
        RecordWriter writer(out);
        convert_blob_case(input.get(), writer, mapping);
    }
    return out;
}

}  // namespace

KOVUDF_ENTRY BlobControl* _UDF_BlobSjisUpper(const BlobControl* blob, BlobControl* out) {
    return converted(blob, out, CaseMapping::upper);
}

KOVUDF_ENTRY BlobControl* _UDF_BlobSjisLower(const BlobControl* blob, BlobControl* out) {
    return converted(blob, out, CaseMapping::lower);
}

KOVUDF_ENTRY BlobControl* _UDF_FileToBlob(const char* file_name, BlobControl* out) {
    if (!blob_is_null(out) && file_name != nullptr) {
        RecordWriter writer(out);
        copy_file_to_blob(file_name, writer);
    }
    return out;
}

KOVUDF_ENTRY int32_t _UDF_BlobToFile(const BlobControl* blob, const char* file_name,
                                     const int32_t* unused) {
    (void)unused;
    if (blob_is_null(blob)) {
        return -999;
    }
    if (file_name == nullptr) {
        return -1;
    }
    RecordReader reader(blob);
    return copy_blob_to_file(reader, file_name);
}
