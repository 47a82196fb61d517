// fuzz_support.h - what the fuzz targets share: reading the fuzzer's bytes as
// a series of choices, a BLOB whose bytes, segmentation, statistics and
// handle all come from those choices, an output BLOB that records what it is
// given, and a result allocator whose blocks each run frees.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "legacy/host.h"

using Bytes = std::vector<unsigned char>;

// Check a property; a failure aborts, which the fuzzer reports with the input.
#define FUZZ_CHECK(condition)                                                           \
    do {                                                                                \
        if (!(condition)) {                                                             \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, \
                         __LINE__);                                                     \
            std::abort();                                                               \
        }                                                                               \
    } while (0)

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // The next sizeof(T) bytes (zeros once the input runs out).
    template <class T>
    T take() {
        T value{};
        const size_t n = size_ < sizeof value ? size_ : sizeof value;
        std::copy(data_, data_ + n, reinterpret_cast<unsigned char*>(&value));
        data_ += n;
        size_ -= n;
        return value;
    }
    // Up to `most` of the next bytes.
    Bytes take_bytes(size_t most) {
        const size_t n = size_ < most ? size_ : most;
        Bytes out(n);
        std::copy(data_, data_ + n, out.begin());
        data_ += n;
        size_ -= n;
        return out;
    }
    Bytes rest() { return take_bytes(size_); }

  private:
    const uint8_t* data_;
    size_t size_;
};

// The result allocator: plain malloc; the target frees what it gets back.
inline void* fuzz_malloc(host_malloc_size size) {
    return std::malloc(size == 0 ? 1 : static_cast<size_t>(size));
}

// A BLOB served from memory in the segments chosen by the input.  A read
// with a buffer shorter than the segment delivers part of it, the rest on
// the next call, as the server does.  The statistics are the true ones
// unless the input chooses lying ones; the handle is null when it chooses a
// NULL BLOB.
class FuzzBlob {
  public:
    FuzzBlob(const Bytes& bytes, FuzzInput& choices) {
        const uint8_t shape = choices.take<uint8_t>();
        size_t at = 0;
        while (at < bytes.size() && segments_.size() < max_segments) {
            size_t length = choices.take<uint16_t>() % (bytes.size() - at + 1);
            if (segments_.size() + 1 == max_segments) {
                length = bytes.size() - at;
            }
            segments_.emplace_back(bytes.begin() + at, bytes.begin() + at + length);
            at += length;
        }
        if (at < bytes.size()) {
            segments_.emplace_back(bytes.begin() + at, bytes.end());
        }
        int32_t longest = 0;
        for (const Bytes& s : segments_) {
            longest = s.size() > static_cast<size_t>(longest)
                          ? static_cast<int32_t>(s.size())
                          : longest;
        }
        record_.get_segment = &get_segment;
        record_.put_segment = &put_segment;
        record_.blob_handle = (shape & 1) ? nullptr : this;
        record_.number_segments = static_cast<int32_t>(segments_.size());
        record_.max_seglen = longest;
        record_.total_size = static_cast<int32_t>(bytes.size());
        if (shape & 2) {  // lying statistics
            record_.max_seglen = choices.take<int32_t>();
            record_.number_segments = choices.take<int32_t>();
            record_.total_size = choices.take<int32_t>();
        }
    }
    // An output BLOB.
    FuzzBlob() {
        record_.get_segment = &get_segment;
        record_.put_segment = &put_segment;
        record_.blob_handle = this;
    }
    FuzzBlob(const FuzzBlob&) = delete;
    FuzzBlob& operator=(const FuzzBlob&) = delete;

    BlobControl* record() { return &record_; }
    bool is_null() const { return record_.blob_handle == nullptr; }
    const Bytes& written() const { return written_; }
    size_t put_calls() const { return put_calls_; }
    // Empty segments written: none may be, some readers stop at one.
    size_t empty_puts() const { return empty_puts_; }
    // Starts reading from the beginning again.
    void rewind() { next_ = delivered_ = 0; }

  private:
    static const size_t max_segments = 64;  // the last one takes what is left

    static short get_segment(void* handle, unsigned char* buffer, unsigned short size,
                             unsigned short* length) {
        auto* self = static_cast<FuzzBlob*>(handle);
        if (self->next_ >= self->segments_.size()) {
            *length = 0;
            return 0;
        }
        const Bytes& s = self->segments_[self->next_];
        size_t n = s.size() - self->delivered_;
        n = n < size ? n : size;
        std::copy(s.begin() + self->delivered_, s.begin() + self->delivered_ + n, buffer);
        self->delivered_ += n;
        if (self->delivered_ == s.size()) {
            ++self->next_;
            self->delivered_ = 0;
        }
        *length = static_cast<unsigned short>(n);
        return 1;
    }
    static void put_segment(void* handle, const unsigned char* buffer,
                            unsigned short length) {
        auto* self = static_cast<FuzzBlob*>(handle);
        self->written_.insert(self->written_.end(), buffer, buffer + length);
        ++self->put_calls_;
        self->empty_puts_ += length == 0 ? 1 : 0;
    }

    BlobControl record_{};
    std::vector<Bytes> segments_;
    size_t next_ = 0, delivered_ = 0, put_calls_ = 0;
    Bytes written_;
    size_t empty_puts_ = 0;
};

// The Shift-JIS case mapping, byte by byte, written apart from the library:
// ASCII letters, and the full-width letters 82 60-79 / 82 81-9A.
inline Bytes reference_case(Bytes text, bool upper) {
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = text[i];
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            if (c == 0x82 && i + 1 < text.size()) {
                unsigned char& d = text[i + 1];
                if (upper && d >= 0x81 && d <= 0x9A)
                    d -= 0x21;
                if (!upper && d >= 0x60 && d <= 0x79)
                    d += 0x21;
            }
            i += 2;
            continue;
        }
        if (upper && c >= 'a' && c <= 'z')
            text[i] -= 0x20;
        if (!upper && c >= 'A' && c <= 'Z')
            text[i] += 0x20;
        ++i;
    }
    return text;
}

// A zero-terminated copy of `bytes` in a block of exactly that size, so that
// a read past the terminator is caught.
struct ExactText {
    explicit ExactText(const Bytes& bytes) : block(bytes.size() + 1) {
        std::copy(bytes.begin(), bytes.end(), block.begin());
        block[bytes.size()] = 0;
    }
    const char* c_str() const { return reinterpret_cast<const char*>(block.data()); }
    std::vector<unsigned char> block;
};
