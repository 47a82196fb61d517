// files.cpp - file access for the BLOB file functions, per platform.
#include "files.h"

#if defined(_WIN32)

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

int host_open_read(const char* name) {
    const int file = _open(name, _O_RDONLY | _O_BINARY);
    struct _stat64 status;
    if (file >= 0 && (_fstat64(file, &status) != 0 || (status.st_mode & _S_IFREG) == 0)) {
        _close(file);
        return -1;
    }
    return file;
}

int host_read(int file, unsigned char* buffer, unsigned size) {
    return _read(file, buffer, size);
}

void host_close_read(int file) {
    _close(file);
}

HostWriteFile host_create_file(const char* name) {
    HANDLE handle = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return HostWriteFile{reinterpret_cast<intptr_t>(handle),
                         handle != INVALID_HANDLE_VALUE};
}

// One WriteFile call; only its success flag counts.
int32_t host_write(HostWriteFile file, const unsigned char* bytes, uint32_t count) {
    DWORD written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(file.handle), bytes, count, &written,
                   nullptr)) {
        return static_cast<int32_t>(GetLastError());
    }
    return 0;
}

int32_t host_close_written(HostWriteFile file) {
    CloseHandle(reinterpret_cast<HANDLE>(file.handle));
    return 0;
}

int32_t host_out_of_memory_code() {
    return ERROR_NOT_ENOUGH_MEMORY;
}

#else

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

// O_NONBLOCK keeps the open of a FIFO without writers from waiting; the
// flag means nothing to the regular files that pass the check.
int host_open_read(const char* name) {
    int file;
    do {
        file = open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (file < 0 && errno == EINTR);
    struct stat status;
    if (file >= 0 && (fstat(file, &status) != 0 || !S_ISREG(status.st_mode))) {
        close(file);
        return -1;
    }
    return file;
}

int host_read(int file, unsigned char* buffer, unsigned size) {
    ssize_t count;
    do {
        count = read(file, buffer, size);
    } while (count < 0 && errno == EINTR);
    return static_cast<int>(count);
}

void host_close_read(int file) {
    close(file);
}

HostWriteFile host_create_file(const char* name) {
    int file;
    do {
        file = open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (file < 0 && errno == EINTR);
    return HostWriteFile{file, file >= 0};
}

// Writes every byte, retrying short writes and interruptions.
int32_t host_write(HostWriteFile file, const unsigned char* bytes, uint32_t count) {
    while (count > 0) {
        const ssize_t written = write(static_cast<int>(file.handle), bytes, count);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno != 0 ? errno : EIO;
        }
        bytes += written;
        count -= static_cast<uint32_t>(written);
    }
    return 0;
}

int32_t host_close_written(HostWriteFile file) {
    if (close(static_cast<int>(file.handle)) != 0) {
        return errno != 0 && errno != EINTR ? errno : 0;
    }
    return 0;
}

int32_t host_out_of_memory_code() {
    return ENOMEM;
}

#endif
