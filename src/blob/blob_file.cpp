// blob_file.cpp - copying between a BLOB and a file on the server machine.
//
// Bytes pass unchanged both ways.  The file name goes to the system as it is:
// these functions reach every file the server process may open, which is why
// they are declared in scripts of their own.  Only regular files are read: a
// device or a pipe may never end.
#include "../platform/files.h"
#include "../platform/scratch.h"
#include "blob.h"

const unsigned file_chunk = 8192;

bool copy_file_to_blob(const char* file_name, SegmentWriter& out) {
    const int file = host_open_read(file_name);
    if (file < 0) {
        return true;
    }
    ScratchBuffer buffer(file_chunk);
    if (buffer) {
        int count;
        while ((count = host_read(file, buffer.get(), file_chunk)) > 0) {
            out.write(buffer.get(), static_cast<uint16_t>(count));
        }
    }
    host_close_read(file);
    return static_cast<bool>(buffer);
}

// The buffer is taken before the file is touched: without it the file stays
// as it was.
int32_t copy_blob_to_file(SegmentReader& blob, const char* file_name) {
    const uint16_t size = blob.segment_size();
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
    while (result == 0 && blob.read(buffer.get(), size, &length)) {
        if (length != 0) {
            result = host_write(file, buffer.get(), length);
        }
    }
    const int32_t closed = host_close_written(file);
    return result != 0 ? result : closed;
}
