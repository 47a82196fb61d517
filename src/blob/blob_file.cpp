// blob_file.cpp - copying between a BLOB and a file on the server machine:
// UDF_FILETOBLOB and UDF_BLOBTOFILE.
//
// Bytes pass unchanged both ways.  The file name goes to the system as it is:
// these functions reach every file the server process may open, which is why
// they are declared in their own script (sql/kovudf_files.sql).  Only
// regular files are read: a device or a pipe may never end.
#include "../module/host_file.h"
#include "../module/kovudf.h"
#include "blob_internal.h"
#include "blob_io.h"

namespace {

const unsigned file_chunk = 8192;

}  // namespace

KOVUDF_ENTRY BlobControl* _UDF_FileToBlob(const char* file_name, BlobControl* out) {
    if (blob_is_null(out) || file_name == nullptr) {
        return out;
    }
    const int file = host_open_read(file_name);
    if (file < 0) {
        return out;
    }
    ScratchBuffer buffer(file_chunk);
    if (buffer) {
        int count;
        while ((count = host_read(file, buffer.get(), file_chunk)) > 0) {
            write_segment(out, buffer.get(), static_cast<uint16_t>(count));
        }
    }
    host_close_read(file);
    return out;
}

// Creates (or replaces) the file and writes every non-empty segment of the
// BLOB into it.  0 on success, -1 when the file cannot be created, else the
// platform's error code of the first failed write (or of the close).  The
// buffer is taken before the file is touched: without it the file stays as
// it was and the platform's out-of-memory code comes back.
int32_t copy_blob_to_file(const BlobControl* blob, const char* file_name) {
    const uint16_t size = segment_buffer_size(blob);
    ScratchBuffer buffer(size);
    if (!buffer) {
        return host_out_of_memory_code();
    }
    const HostWriteFile file = host_create_file(file_name);
    if (!file.valid) {
        return -1;
    }
    int32_t result = 0;
    uint16_t length = 0;
    while (result == 0 && read_segment(blob, buffer.get(), size, &length)) {
        if (length != 0) {
            result = host_write(file, buffer.get(), length);
        }
    }
    const int32_t closed = host_close_written(file);
    return result != 0 ? result : closed;
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
    return copy_blob_to_file(blob, file_name);
}
