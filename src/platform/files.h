// files.h - the file calls behind UDF_FILETOBLOB and UDF_BLOBTOFILE.
//
// Reading uses the low-level open/read/close in binary mode.  Writing creates
// or replaces the file for reading and writing (shared with nobody on
// Windows) and reports a failed write with the platform's error code.
#pragma once

#include <cstdint>

// Reading.  host_open_read returns -1 when the file cannot be opened or is
// not a regular file (a device, a pipe or a directory may never end);
// host_read returns the count read, 0 at the end, negative on an error.
int host_open_read(const char* name);
int host_read(int file, unsigned char* buffer, unsigned size);
void host_close_read(int file);

// Writing.
struct HostWriteFile {
    intptr_t handle;
    bool valid;
};
HostWriteFile host_create_file(const char* name);
// 0 when every byte was written, else the platform's error code (nonzero).
int32_t host_write(HostWriteFile file, const unsigned char* bytes, uint32_t count);
// The platform's code for "not enough memory" (ENOMEM, ERROR_NOT_ENOUGH_MEMORY).
int32_t host_out_of_memory_code();
// 0, or the error code of a failed close where the platform reports one.
int32_t host_close_written(HostWriteFile file);
