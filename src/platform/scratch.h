// scratch.h - working buffers from the module's own heap.
//
// A buffer is released when its owner goes out of scope, on every path.  A
// failed allocation leaves an empty owner (test it with `if (!buffer)`);
// nothing here throws.
#pragma once

#include <cstddef>
#include <cstdlib>

class ScratchBuffer {
  public:
    explicit ScratchBuffer(size_t size)
        : bytes_(static_cast<unsigned char*>(std::malloc(size == 0 ? 1 : size))) {}
    ~ScratchBuffer() { std::free(bytes_); }
    ScratchBuffer(const ScratchBuffer&) = delete;
    ScratchBuffer& operator=(const ScratchBuffer&) = delete;

    unsigned char* get() const { return bytes_; }
    explicit operator bool() const { return bytes_ != nullptr; }

  private:
    unsigned char* bytes_;
};
